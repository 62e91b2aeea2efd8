// The data block of a web application page: marker lines, workflow line and query rows.

#include <QHash>

#include "base/delphistr.h"
#include "planning/mapserverdata.h"
#include "planning/textsplit.h"

namespace {
const QString kMarker = QStringLiteral("[ZEPRouting]");
const QString kLineBreak = QStringLiteral("\r\n");

bool IsMarkerLine(const QString& Line) { return Trim(Line) == kMarker; }

bool IsDecimal(const QString& Text) {
  const qsizetype first = Text.startsWith(u'+') || Text.startsWith(u'-') ? 1 : 0;
  if (first >= Text.size()) return false;
  for (qsizetype i = first; i < Text.size(); ++i) {
    if (Text[i] < u'0' || Text[i] > u'9') return false;
  }
  return true;
}

// The workflow of the block's first line: its decimal number modulo 1000, or -1 for a line
// that is no positive decimal number.
int WorkflowOf(const QString& Line) {
  const QString text = Trim(Line);
  const int number = IsDecimal(text) ? StrToIntDef(text, 0) : 0;
  return number > 0 ? number % 1000 : -1;
}
}  // namespace

void TMapServerData::ReadMapServerData(const QString& Data) {
  const QStringList lines = SplitAtBreaks(Data);
  Clear();
  WorkflowId = -1;
  qsizetype first = 0;
  while (first < lines.size() && !IsMarkerLine(lines[first])) ++first;
  qsizetype last = lines.size() - 1;
  while (last > first && !IsMarkerLine(lines[last])) --last;
  // Without a marker, with a single one or with nothing between two, the block is empty.
  if (last - first < 2) return;
  WorkflowId = WorkflowOf(lines[first + 1]);
  for (qsizetype i = first + 2; i < last; ++i) {
    if (!Trim(lines[i]).isEmpty()) Add(lines[i]);
  }
}

void TMapServerData::SetQueryData(int QNr) {
  QueryData.clear();
  // Row names are compared without case; the first line of a name counts, so the lines are
  // indexed from the last to the first.
  QHash<QString, int> lineOfName;
  for (int i = Count() - 1; i >= 0; --i) {
    const QString line = Strings(i);
    const qsizetype separator = line.indexOf(QLatin1Char('='));
    if (separator >= 0) lineOfName.insert(line.left(separator).toCaseFolded(), i);
  }
  for (int row = 1;; ++row) {
    const QString name = Format(QStringLiteral("Q%dR%d"), {QNr, row}).toCaseFolded();
    const auto found = lineOfName.constFind(name);
    if (found == lineOfName.constEnd()) break;
    QueryData.append(ValueFromIndex(found.value()).replace(QLatin1Char('~'), FSeparator));
  }
}

QString TMapServerData::GetQueryData(int Index) const {
  if (Index < 0 || Index >= QueryData.size()) return QString();
  QString row = QueryData[Index];
  if (!FSeparator.isEmpty()) row.replace(FSeparator, kLineBreak);
  return row;
}
