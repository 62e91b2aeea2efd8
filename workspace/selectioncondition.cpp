#include "workspace/selectioncondition.h"

#include <QStringList>

#include "planning/stationlist.h"
#include "sql/sqlstring.h"

QString LabelWithoutCount(const QString& Label) {
  QString Text = Label.trimmed();
  if (Text.endsWith(')')) {
    const int Open = Text.lastIndexOf('(');
    if (Open >= 0) Text = Text.left(Open).trimmed();
  }
  return Text;
}

namespace {

// Order numbers go into the condition as they are; anything that is not a whole number comes
// from a broken or hostile page and goes in as a text literal, never as SQL.
QString OrderNumberItem(const QString& Number) {
  bool IsNumber = false;
  Number.toLongLong(&IsNumber);
  return IsNumber ? Number : SQLString(Number, 2);
}

}  // namespace

bool HasSelectionRoundTrip(int WorkflowId) {
  return WorkflowId == 12 || WorkflowId == 14 || WorkflowId == 16 || WorkflowId == 42;
}

TSelectionCondition SelectionCondition(int WorkflowId, const TStationList& Stations) {
  if (!HasSelectionRoundTrip(WorkflowId)) return {};
  QStringList Items;
  for (int Index = 0; Index < Stations.Count(); ++Index) {
    const TStation* Station = Stations.GetStation(Index);
    if (WorkflowId == 12)
      Items << SQLString(LabelWithoutCount(Station ? Station->Field(1) : QString()), 2);
    else
      Items << OrderNumberItem(Station ? Station->Field(0) : Stations.Strings(Index));
  }
  const QString List = Items.isEmpty() ? QStringLiteral("null") : Items.join(',');
  if (WorkflowId == 12)
    return {QStringLiteral("(ISNULL(PLZ,%1)+%2+ISNULL(Ort,%1) IN (%3))")
                .arg(QuoteString(QString()), QuoteString(QStringLiteral(" ")), List),
            7};
  return {QStringLiteral("(AuftragId IN (%1))").arg(List), 3};
}
