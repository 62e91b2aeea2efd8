#include "workspace/addresscheck.h"

#include "planning/stationlist.h"
#include "sql/sqlstring.h"

QString GeocodedAddressText(const QStringList& Fields) {
  const QString Town = (Fields.value(8) + ' ' + Fields.value(9)).trimmed();
  return QStringLiteral("%1 %2, %3").arg(Fields.value(7), Town, Fields.value(10)).trimmed();
}

namespace {

QStringList StationFields(const TStation& Station) {
  QStringList Fields;
  for (int Field = 0; Field < TStation::FieldCount; ++Field) Fields << Station.Field(Field);
  return Fields;
}

void CheckOneAddress(const TDomElement& Div, int Index, const TStation& Station, TDomBatch& Batch) {
  const QStringList Fields = StationFields(Station);
  const QString OrderNumber = Fields.value(0);
  if (Div.Name != QLatin1String("D") + QString(OrderNumber).remove('-')) return;

  QString Text = GeocodedAddressText(Fields);
  const TDomRef CheckBox = TDomRef::Form(0).Element(Index);
  bool Disabled = false;
  if (!Text.contains('@')) {
    const TDomRef Form = TDomRef::Form(1);
    const QString Values =
        QStringLiteral("%1,%2,%3,%4,%5")
            .arg(OrderNumber.mid(1), QuoteString(Fields.value(7)), QuoteString(Fields.value(8)),
                 QuoteString(Fields.value(9)), QuoteString(Fields.value(10)));
    Batch.SetName(Form.Element(2 * Index + 6), QStringLiteral("__%1").arg(2 * Index + 7));
    Batch.SetValue(Form.Element(2 * Index + 6), Values);
    Batch.SetName(Form.Element(2 * Index + 7), QStringLiteral("__%1").arg(2 * Index + 8));
    Batch.SetValue(Form.Element(2 * Index + 7), Text);
  } else {
    Text.replace('@', '?');
    Disabled = true;
  }
  if (Div.InnerText == Text)
    Disabled = true;
  else
    Batch.SetInnerText(TDomRef::ElementByName(Div.Name, 0), Text);
  if (Disabled) Batch.SetDisabled(CheckBox, true);
  Batch.SetChecked(CheckBox, !Disabled);
}

}  // namespace

TDomBatch AddressCheck(const QList<TDomElement>& AllElements, const TStationList& Stations) {
  TDomBatch Batch;
  int Index = 0;
  for (const TDomElement& Element : AllElements) {
    if (Element.TagName != QLatin1String("DIV")) continue;
    if (Index >= Stations.Count()) break;
    if (const TStation* Station = Stations.GetStation(Index))
      CheckOneAddress(Element, Index, *Station, Batch);
    ++Index;
  }
  return Batch;
}
