// Rendering of a TCSVFile as CSV, plain text, HTML or XML.
#include "base/delphistr.h"
#include "sql/csvfile.h"

namespace {
constexpr int kExcelMinLength = 11;
constexpr int kExcelBlock = 8;
const QChar kNoBreakSpace(0x00A0);

QString CleanLineBreaks(QString Value) {
  Value.replace(QLatin1String("\r\n"), QLatin1String(" "));
  Value.replace(QLatin1String("\n\n"), QLatin1String(" "));
  Value.replace(QLatin1Char('\t'), QLatin1Char(' '));
  Value.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return Value;
}

// Excel turns long digit strings into numbers and loses their digits; a trailing no-break
// space keeps them text. Only blocks followed by more characters are examined.
bool LooksLikeLongNumber(const QString& Value) {
  if (Value.size() < kExcelMinLength) return false;
  for (qsizetype start = 0; start + kExcelBlock < Value.size(); start += kExcelBlock)
    if (StrToIntDef(Value.mid(start, kExcelBlock), -1) < 0) return false;
  return true;
}

QString EscapeMarkup(QString Value, bool ForXML) {
  Value.replace(QLatin1Char('&'), QLatin1String("&amp;"));
  Value.replace(QLatin1Char('>'), QLatin1String("&gt;"));
  Value.replace(QLatin1Char('<'), QLatin1String("&lt;"));
  Value.replace(QLatin1Char('"'), QLatin1String("&quot;"));
  if (!ForXML) return Value;
  Value.replace(QLatin1Char('\t'), QLatin1String("&#x9;"));
  Value.replace(QLatin1Char('\n'), QLatin1String("&#xA;"));
  Value.replace(QLatin1Char('\r'), QLatin1String("&#xD;"));
  // Other control characters cannot appear in an XML document at all, not even escaped.
  Value.removeIf([](QChar c) { return c.unicode() < 0x20; });
  return Value;
}

bool IsXMLNameChar(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-') ||
         c == QLatin1Char('.');
}

// Column names such as "COUNT(*)" or "Ort Name" are no element names; their other
// characters become "_" so that the document stays well-formed.
QString XMLElementName(const QString& Name) {
  QString result = Trim(Name);
  for (QChar& c : result)
    if (!IsXMLNameChar(c)) c = QLatin1Char('_');
  if (result.isEmpty() || !(result[0].isLetter() || result[0] == QLatin1Char('_')))
    result.prepend(QLatin1Char('_'));
  return result;
}

QString Tag(const QString& Name) { return QLatin1Char('<') + Name + QLatin1Char('>'); }
QString EndTag(const QString& Name) { return QStringLiteral("</") + Name + QLatin1Char('>'); }
}  // namespace

QString TCSVFile::GetValidCSVData(const QString& S) const {
  if (CSVMode != mCSV) return Trim(S);
  QString value = CleanLineBreaks(S);
  if (FSeparator == QLatin1String(","))
    value.replace(QLatin1Char(','), QLatin1Char(';'));
  else if (!FSeparator.isEmpty())
    value.replace(FSeparator, QLatin1String(","));
  if (ConvertForExcel && LooksLikeLongNumber(Trim(value))) value = Trim(value) + kNoBreakSpace;
  return Trim(value);
}

QString TCSVFile::RenderElement(int FieldIndex, const TCSVRecord& Record) const {
  QString name = CSVMode == mHTML ? QStringLiteral("td") : XMLElementName(FieldNames[FieldIndex]);
  if (XMLShowDataTyp && FieldIndex < Record.RecordFieldDataTypes.size())
    name += QLatin1Char('_') + Record.RecordFieldDataTypes[FieldIndex];
  const QString value = EscapeMarkup(Trim(Record.Strings(FieldIndex)), CSVMode == mXML);
  return Tag(name) + value + EndTag(name);
}

QString TCSVFile::RenderRecord(int Index, const TCSVRecord& Record) {
  QString recordTag;
  if (IsMarkup() && !XMLRecordTag.isEmpty()) {
    recordTag = XMLRecordTag;
    if (XMLShowRecNo) recordTag += QLatin1Char('_') + QString::number(Index + 1);
  }
  QString line = recordTag.isEmpty() ? QString() : Tag(recordTag);
  for (int j = 0; j < Record.Count(); ++j) {
    if (IsMarkup() && j < FieldNames.size()) {
      line += RenderElement(j, Record);
      continue;
    }
    if (j > 0) line += FSeparator;
    line += FSeparator.isEmpty() ? Record.Strings(j) : GetValidCSVData(Record.Strings(j));
  }
  return recordTag.isEmpty() ? line : line + EndTag(recordTag);
}

QString TCSVFile::HeaderLine() const {
  const TCSVRecord* last = GetCSVRecord(Count() - 1);
  const qsizetype shown = qMin<qsizetype>(last->Count(), FieldNames.size());
  QStringList names;
  for (qsizetype j = 0; j < shown; ++j) {
    const QString name = Trim(FieldNames[j]);
    names.append(CSVMode == mHTML ? Tag(QStringLiteral("th")) + EscapeMarkup(name, false) +
                                        EndTag(QStringLiteral("th"))
                                  : name);
  }
  if (CSVMode == mCSV) return names.join(FSeparator);
  return Tag(QStringLiteral("tr")) + names.join(QString()) + EndTag(QStringLiteral("tr"));
}

void TCSVFile::WrapDocument() {
  if (!XMLTableTag.isEmpty()) {
    const QString opening =
        CSVMode == mXML ? Trim(XMLTableTag + QLatin1Char(' ') + XMLTableNS) : XMLTableTag;
    Insert(0, Tag(opening));
    Add(EndTag(XMLTableTag));
  }
  if (CSVMode == mHTML) {
    Insert(0, Tag(QStringLiteral("html")));
    Add(EndTag(QStringLiteral("html")));
  } else {
    Insert(0, QStringLiteral("<?xml version=\"1.0\" ") + XMLHeadParam + QStringLiteral("?>"));
  }
}

void TCSVFile::RebuildCSVData() {
  for (int i = Count() - 1; i >= 0; --i)
    if (!GetCSVRecord(i)) Delete(i);
  if (CSVMode == mHTML) XMLRecordTag = QStringLiteral("tr");
  for (int i = 0; i < Count(); ++i) SetString(i, RenderRecord(i, *GetCSVRecord(i)));
  if (WithFieldNames && Count() > 0 && (CSVMode == mCSV || CSVMode == mHTML))
    Insert(0, HeaderLine());
  if (IsMarkup()) WrapDocument();
}

void TCSVFile::InsertXMLNode(int Zeile, const QString& XMLTag, const QString& XMLTagNS) {
  if (CSVMode != mXML || Zeile < 0 || Zeile >= Count()) return;
  Insert(Zeile, Tag(Trim(XMLTag + QLatin1Char(' ') + XMLTagNS)));
  Insert(Zeile + 1, EndTag(XMLTag));
}
