#include "map/geocoding.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <algorithm>
#include <climits>

#include "map/component/factory.h"
#include "map/component/igeocoder.h"
#include "map/mapview.h"
#include "map/userrequestform.h"
#include "planning/mapserverdata.h"

namespace {
constexpr int kX = 4;
constexpr int kY = 5;
constexpr int kCountry = 6;
constexpr int kPostalCode = 7;
constexpr int kTown = 8;
constexpr int kDistrict = 9;
constexpr int kStreet = 10;
constexpr int kHouseNumberKey = 14;
// Rows of a result column.
constexpr int kRowX = 2;
constexpr int kRowY = 3;
constexpr int kRowPostalCode = 5;
constexpr int kRowStreet = 8;
constexpr int kRowHouseNumber = 9;
constexpr int kCandidateShape = 15;
constexpr int kCandidateColor = 0x20000000;
constexpr int kHouseNumberDigits = 4;
// Smallest stretch of ground (map units, about metres) the dialog's map shows.
constexpr int kCandidateMinSpan = 300;
constexpr int kHouseNumberKeyLength = 20;

void Check(ComStatus Status) {
  if (Failed(Status)) throw EGeocodingError(ComErrorText());
}

bool IsNonZeroNumber(const QString& Text) {
  bool ok = false;
  return Text.trimmed().toLongLong(&ok) != 0 && ok;
}

QString Row(const VariantArray2D& Result, int Row, int Column) {
  return Result.At(Result.RowLow + Row, Column).toString();
}

// Postal code, town and district of a candidate joined by blanks.
QString PlaceText(const VariantArray2D& Result, int Column) {
  return QStringList{Row(Result, 5, Column), Row(Result, 6, Column), Row(Result, 7, Column)}.join(
      QLatin1Char(' '));
}
}  // namespace

TCountryPostalCode SplitCountryPostalCode(const QString& Country, const QString& PostalCode) {
  TCountryPostalCode r{Country, PostalCode.trimmed()};
  if ((r.Country.isEmpty() || r.Country.size() > 3) && !r.PostalCode.isEmpty() &&
      r.PostalCode[0] > QLatin1Char('@')) {
    const auto digit = std::find_if(r.PostalCode.cbegin(), r.PostalCode.cend(),
                                    [](QChar c) { return c.isDigit(); });
    if (digit != r.PostalCode.cend()) {
      const auto at = static_cast<int>(digit - r.PostalCode.cbegin());
      QString country = r.PostalCode.left(at).trimmed();
      if (!country.isEmpty() && country.back() < QLatin1Char('A')) country.chop(1);
      r.Country = country;
      r.PostalCode = r.PostalCode.mid(at);
    }
  }
  if (r.Country.isEmpty() || r.Country == QLatin1String("DE")) r.Country = QStringLiteral("D");
  return r;
}

QString HouseNumberKey(const QString& StreetText) {
  const QStringList words = StreetText.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (words.isEmpty()) return {};
  QString number = StreetText.trimmed();
  for (qsizetype i = words.size() - 1; i >= 0; --i) {
    if (words[i][0].isDigit()) {
      number = words.mid(i).join(QLatin1Char(' '));
      break;
    }
  }
  qsizetype digits = 0;
  while (digits < number.size() && number[digits].isDigit()) ++digits;
  QString lead = number.left(digits);
  while (lead.size() > 1 && lead[0] == QLatin1Char('0')) lead.remove(0, 1);
  return (lead.rightJustified(kHouseNumberDigits, QLatin1Char('0')) + number.mid(digits))
      .left(kHouseNumberKeyLength);
}

TGeocoding::TGeocoding()
    : m_Geocoder(ComponentFactory::Instance().CreateGeocoder()),
      m_Transform(std::make_unique<TTransform>()),
      GeocodingList(std::make_unique<TStationList>()) {
  if (!m_Geocoder) throw EGeocodingError(ComErrorText());
}

TGeocoding::~TGeocoding() = default;

bool TGeocoding::GeocodingStation(TStation* AStation, int GeocodingMode) {
  QVariant options;
  Check(m_Geocoder->GetSearchOptions(options));
  if (!AStation) return false;
  TStation& s = *AStation;
  const bool hasPoint = !s.Field(kX).isEmpty() && !s.Field(kY).isEmpty();
  const bool usable = !s.Field(kPostalCode).isEmpty() || !s.Field(kTown).isEmpty() ||
                      GeocodingMode == 2 || hasPoint;
  if (!usable) return false;

  TFound found;
  const bool atPoint = GeocodingMode == 2 || (GeocodingMode != 1 && IsNonZeroNumber(s.Field(kX)) &&
                                              IsNonZeroNumber(s.Field(kY)));
  if (atPoint) {
    found.Result = ReverseLookup(s.Field(kX).toInt(), s.Field(kY).toInt());
  } else {
    found = SearchAddress(s, options);
  }
  if (found.Asked && !found.Ok) return false;
  if (found.Result.IsEmpty()) return false;
  WriteResult(s, found.Result, found.StreetForKey);
  if (found.Asked && m_UserRequestForm && m_UserRequestForm->CheckBox1->isChecked()) NoteChoice(s);
  return true;
}

TGeocoding::TFound TGeocoding::SearchAddress(TStation& AStation, const QVariant& Options) {
  const TCountryPostalCode cp =
      SplitCountryPostalCode(AStation.Field(kCountry), AStation.Field(kPostalCode));
  QString country = cp.Country, postalCode = cp.PostalCode;
  QString town = AStation.Field(kTown), district = AStation.Field(kDistrict);
  QString street = AStation.Field(kStreet);
  const QString searchedPostalCode = postalCode;
  const int a = GeocodingUserRequest ? 2 : 0;
  const int b = GeocodingUserRequest ? 2 : 1;
  TFound found;
  int code = 0;
  Check(m_Geocoder->Search(Options, country, postalCode, town, district, street, 0, a, 1, b, 1, 1,
                           3, found.Result, code));
  found.StreetForKey = street;
  bool ask = code == 2;
  if (code == 1 && !searchedPostalCode.isEmpty())
    ask = searchedPostalCode.left(3) != postalCode.left(3);
  if (code == 0 || !ask) return found;
  if (!AStation.Field(kX).isEmpty() && !AStation.Field(kY).isEmpty()) {
    found.Result = ReverseLookup(AStation.Field(kX).toInt(), AStation.Field(kY).toInt());
    found.StreetForKey.clear();
    return found;
  }
  return m_UserRequestForm ? AskUser(AStation, found.Result) : found;
}

VariantArray2D TGeocoding::ReverseLookup(int X, int Y) {
  auto* reverse = dynamic_cast<IReverseGeocoder*>(m_Geocoder.get());
  if (!reverse) throw EGeocodingError(QStringLiteral("Der Geocoder kennt keine Umkehrsuche"));
  VariantArray2D result;
  Check(reverse->ReverseLookup(X, Y, result));
  return result;
}

// The dialog's map shows every candidate with room around it; a single candidate, or several
// in one house, would otherwise give a section without area, which the view refuses.
void ShowCandidates(TUserRequestForm& Form) {
  const TStationList& list = *Form.MapServerData->StationList;
  if (list.Count() == 0) return;
  int left = INT_MAX, right = INT_MIN, bottom = INT_MAX, top = INT_MIN;
  for (int i = 0; i < list.Count(); ++i) {
    const int x = list.GetStationDataValue(i, kX).toInt(),
              y = list.GetStationDataValue(i, kY).toInt();
    left = std::min(left, x);
    right = std::max(right, x);
    bottom = std::min(bottom, y);
    top = std::max(top, y);
  }
  const int half = std::max({right - left, top - bottom, kCandidateMinSpan}) * 3 / 4;
  const int cx = left / 2 + right / 2, cy = bottom / 2 + top / 2;
  Form.MapView->SetMapRect(cx - half, cx + half, cy + half, cy - half);
}

TGeocoding::TFound TGeocoding::AskUser(const TStation& AStation, const VariantArray2D& Candidates) {
  TUserRequestForm& form = *m_UserRequestForm;
  form.ListBox1->clear();
  form.MapView->DeleteAllStations();
  QStringList searched;
  for (int f = kCountry; f <= kStreet; ++f) searched << AStation.Field(f);
  form.Label2->setText(searched.join(QLatin1Char(' ')).trimmed());

  bool firstExact = false;
  for (int i = Candidates.ColumnLow; i <= Candidates.ColumnHigh(); ++i) {
    QString street = Row(Candidates, kRowStreet, i).trimmed();
    const QString number = Row(Candidates, kRowHouseNumber, i).trimmed();
    if (i == Candidates.ColumnLow) firstExact = street.size() >= 2 && !number.isEmpty();
    if (street == QLatin1String("@")) {
      if (i != Candidates.ColumnLow && firstExact) continue;
      street.clear();
    }
    const QString text = (PlaceText(Candidates, i).trimmed() + QStringLiteral(", ") + street +
                          QLatin1Char(' ') + number)
                             .trimmed();
    const QString x = Row(Candidates, kRowX, i), y = Row(Candidates, kRowY, i);
    form.ListBox1->addItem(text.trimmed());
    form.MapView->SetMEObject(x.toInt(), y.toInt(), text, QString::number(i + 1), kCandidateShape,
                              kCandidateColor);
    form.MapServerData->AddStationByXY(QString::number(i + 1), x, y, text, QString(),
                                       QStringLiteral("1800"), QStringLiteral("27000"),
                                       QStringLiteral("72000"), QString(), QString());
  }
  ShowCandidates(form);
  if (form.ListBox1->count() > 0) form.SelectItem(0);

  TFound found;
  int row = -1;
  if (firstExact && form.ListBox1->count() == 1) {
    row = 0;
  } else {
    found.Asked = true;
    const int answer = form.Execute();
    if (answer == TUserRequestForm::Accepted) row = form.ListBox1->currentRow();
    if (answer == TUserRequestForm::Rejected) CancelGeocoding = true;
  }
  const TStation* chosen = form.MapServerData->StationList->GetStation(row);
  if (!chosen) return found;
  found.Result = ReverseLookup(chosen->Field(kX).toInt(), chosen->Field(kY).toInt());
  found.StreetForKey = AStation.Field(kStreet);
  found.Ok = true;
  return found;
}

void TGeocoding::WriteResult(TStation& AStation, const VariantArray2D& Result,
                             const QString& StreetForKey) {
  const int c = Result.ColumnLow;
  QString description = PlaceText(Result, c);
  const QString street = Row(Result, kRowStreet, c);
  if (!street.isEmpty() && street != QLatin1String("@")) {
    description += QLatin1Char(' ') + street + QLatin1Char(' ') + Row(Result, kRowHouseNumber, c);
  }
  if (AStation.Field(1).isEmpty()) AStation.SetField(1, description);
  for (int r = 0; r <= 11; ++r) AStation.SetField(2 + r, Row(Result, r, c));
  AStation.SetField(kHouseNumberKey, HouseNumberKey(StreetForKey));
  for (int r = 13; r <= 18; ++r) AStation.SetField(2 + r, Row(Result, r, c));
}

void TGeocoding::NoteChoice(const TStation& AStation) {
  const TPoint gps =
      m_Transform->TransMercatorToGPS({AStation.Field(kX).toInt(), AStation.Field(kY).toInt()});
  const auto degrees = [](int v) {
    return QString::asprintf("%8.5f", v / 100000.0)
        .replace(QLatin1Char(','), QLatin1Char('.'))
        .trimmed();
  };
  GeocodingList->Add(AStation.Field(0) + QLatin1Char('|') + degrees(gps.Y) + QLatin1Char(',') +
                     degrees(gps.X));
}

bool TGeocoding::GeocodingStations(bool BreakOnError) {
  CancelGeocoding = false;
  int errors = 0;
  bool result = false;
  TStationList* list = m_MapServerData ? m_MapServerData->StationList.get() : nullptr;
  const int count = list ? list->Count() : 0;
  for (int n = 1; n <= count && !CancelGeocoding; ++n) {
    result = GeocodingStation(list->GetStation(n - 1), 0);
    ShowStatus(QString::number(n * 100 / count), 0);
    if (!result) {
      if (BreakOnError) break;
      ++errors;
      result = true;
    }
    ShowStatus(
        QStringLiteral("%1 von %2 Stationen geocodiert (%3 Fehler)").arg(n).arg(count).arg(errors),
        1);
  }
  return result;
}

void TGeocoding::ShowStatus(const QString& Text, int Panel) const {
  if (m_MapServerData && m_MapServerData->SetStatusText)
    m_MapServerData->SetStatusText(Text, Panel);
}
