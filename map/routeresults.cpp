#include "map/routeresults.h"

#include <QDateTime>
#include <QStringList>
#include <cmath>

#include "map/routing.h"
#include "planning/mapserverdata.h"
#include "planning/routingresultlist.h"

namespace {
constexpr int kStay = 23;
constexpr int kWindowStart = 21;
constexpr int kArrival = 24;
constexpr int kDistance = 25;
constexpr int kWaitTime = 26;
constexpr int kDaysSearched = 366;
constexpr int kSecondsPerDay = 86400;
// Rows of an optimisation answer; day is the optimiser's day count from the first day.
enum AnswerRow { kOrderNr, kArrivalTime, kDriven, kWaiting, kDay };
// Column of a listing row whose value marks a waypoint row, and the one that gets the arrival.
constexpr int kFlagValue = 9;
constexpr int kArrivalValue = 3;
constexpr int kCoordinatesCode = 3;

int IntOr(const QString& Text, int Default) {
  bool ok = false;
  const int v = Text.trimmed().toInt(&ok);
  return ok ? v : Default;
}

// Seconds since the epoch of an arrival text, read as written; nullopt when unreadable.
std::optional<qint64> ArrivalSeconds(const QString& Text) {
  const QDateTime t = QDateTime::fromString(Text.trimmed(), QStringLiteral("dd.MM.yyyy hh:mm"));
  if (!t.isValid()) return std::nullopt;
  return QDateTime(t.date(), t.time(), Qt::UTC).toSecsSinceEpoch();
}

QString ListingFieldName(int Code) {
  static const QHash<int, QString> names{
      {1, "Comment"},
      {2, "Compass"},
      {3, "Coordinates"},
      {4, "Desription"},
      {5, "DiffKm"},
      {6, "Direction"},
      {7, "Km"},
      {8, "Map"},
      {9, "Route"},
      {10, "Symbol"},
      {11, "Time"},
      {12, "EntryId"},
      {15, "Pausenart"},
      {16, "Aufenthalt"},
      {17, "DiffAngle"},
      {18, "EntryType"},
      {19, "RoadType"},
      {20, "SegmentIdHigh"},
      {21, "SegmentIdLow"},
      {22, "SegmentLength"},
      {23, "NodeText"},
      {24, "AdditionalInfo"},
      {25, "DirectionInfo"},
      {26, "RealFearry"},
      {27, "AliasUsed"},
      {28, "Turn"},
      {29, "CountryCode"},
      {30, "SegmentType"},
      {31, "DirectionType"},
  };
  return names.value(Code, QStringLiteral("S_%1").arg(Code));
}
}  // namespace

QDate NextValidDay(QDate Day, const QString& ValidDays) {
  for (int tries = 0; tries < kDaysSearched; ++tries) {
    Day = Day.addDays(1);
    const int index = ValidDays.size() > 7 ? Day.day() : Day.dayOfWeek();
    if (index > ValidDays.size() || ValidDays[index - 1] != QLatin1Char('0')) return Day;
  }
  return Day;
}

QString ArrivalText(QDate Day, int Seconds) {
  return QDateTime(Day, QTime(0, 0), Qt::UTC)
      .addSecs(Seconds)
      .toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

QString TRouting::GetRoutingResults(int RouteNr) const {
  if (RouteNr < 0 || RouteNr >= static_cast<int>(RoutingResults.size())) return {};
  const TRoutingResult& r = RoutingResults[RouteNr];
  const QString km = QString::asprintf("%8.2f", r.Distance / 1000.0).trimmed().replace('.', ',');
  // Whole hours, so a tour of more than a day does not start again at 00.
  const qint64 minutes = static_cast<qint64>(r.Duration) * 10 / 60;
  const QString time = QStringLiteral("%1:%2")
                           .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                           .arg(minutes % 60, 2, 10, QLatin1Char('0'));
  return QStringLiteral("Fahrstrecke: %1 km; Fahrdauer: %2 h").arg(km, time);
}

void TRouting::ApplyOptimizationResult(const VariantArray2D& Answer, const QString& ValidDays) {
  const int remembered = RoutingResults[0].Duration;
  RoutingResults[0] = {};
  if (!StationList || StationList->Count() == 0) return;
  if (StationList->Count() < 3) {
    ApplyTwoStations(ValidDays, remembered);
    return;
  }
  if (Answer.IsEmpty()) {
    ErrorMsg = QStringLiteral("Die Antwort der Optimierung enthält keine Stationen");
    return;
  }
  ApplyArrivals(Answer, ValidDays);
}

void TRouting::ApplyTwoStations(const QString& ValidDays, int RememberedDuration) {
  QDate d = NextValidDay(RoutingStartTime.ToQDate().addDays(-1), ValidDays);
  int p = 0;
  const TStation* first = StationList->GetStation(0);
  const int start = IntOr(first->Field(kWindowStart), 0);
  const int times[2] = {start, start + IntOr(first->Field(kStay), 0) + RememberedDuration * 10};
  for (int i = 0; i < StationList->Count(); ++i) {
    const int t = times[i];
    if (t < p) {
      p = 0;
      d = NextValidDay(d, ValidDays);
    } else {
      p = t;
    }
    StationList->SetStationDataValue(i, kArrival, ArrivalText(d, t));
  }
}

void TRouting::ApplyArrivals(const VariantArray2D& Answer, const QString& ValidDays) {
  QDate d = NextValidDay(RoutingStartTime.ToQDate().addDays(-1), ValidDays);
  int p = 0;
  int lastDay = 0;
  int q = 0;
  const auto row = [&Answer](int Row, int Column) {
    return Answer.At(Answer.RowLow + Row, Column).toString();
  };
  for (int c = Answer.ColumnLow; c <= Answer.ColumnHigh() && q < StationList->Count(); ++c) {
    const int at = StationList->IndexOf(row(kOrderNr, c));
    if (at < 0) continue;
    StationList->Exchange(at, q);
    const int t = IntOr(row(kArrivalTime, c), 0);
    // The optimiser's day count says when the tour goes on the next day, also when the
    // arrival there is later in the day than the one before.
    bool hasDay = false;
    const int day = row(kDay, c).toInt(&hasDay);
    const int nextDays = hasDay ? std::max(day - lastDay, 0) : (t < p ? 1 : 0);
    for (int k = 0; k < nextDays; ++k) d = NextValidDay(d, ValidDays);
    if (hasDay) lastDay = std::max(day, lastDay);
    p = nextDays > 0 ? 0 : t;
    StationList->SetStationDataValue(q, kArrival, ArrivalText(d, t));
    StationList->SetStationDataValue(q, kDistance, row(kDriven, c));
    StationList->SetStationDataValue(q, kWaitTime, row(kWaiting, c));
    ++q;
  }
  const int count = StationList->Count();
  RoutingResults[0].Distance = IntOr(StationList->GetStationDataValue(count - 1, kDistance), 0);
  const auto firstArrival = ArrivalSeconds(StationList->GetStationDataValue(0, kArrival));
  const auto lastArrival = ArrivalSeconds(StationList->GetStationDataValue(count - 1, kArrival));
  qint64 tens = firstArrival && lastArrival ? (*lastArrival - *firstArrival) / 10 : 0;
  for (int i = 0; i < count - 1; ++i)
    tens -= IntOr(StationList->GetStationDataValue(i, kStay), 0) / 10;
  RoutingResults[0].Duration = static_cast<int>(tens);
}

void TRouting::FillRouteListing(const QList<CodedRecord>& Listing) {
  if (!RoutingResultList) return;
  RoutingResultList->Clear();
  RoutingResultList->FieldNames.clear();
  if (!Listing.isEmpty()) {
    const CodedRecord& header = Listing.first();
    for (int j = 0; j < header.size(); ++j) {
      RoutingResultList->FieldNames << ListingFieldName(header[j].first);
      if (header[j].first == kCoordinatesCode) m_CoordIndex = j - 1;
    }
  }
  for (const CodedRecord& record : Listing) {
    QStringList values;
    for (const auto& [code, value] : record) values << value.toString();
    if (values.size() <= kFlagValue ||
        values[kFlagValue].trimmed().indexOf(QLatin1String("flag")) != 1) {
      continue;
    }
    const int position = RoutingResultList->Count();
    if (StationList && position < StationList->Count()) {
      const QString arrival = StationList->GetStationDataValue(position, kArrival);
      if (!arrival.isEmpty()) values[kArrivalValue] = arrival;
    }
    auto* row = new TStringList(true);
    for (const QString& v : values) row->Add(v);
    RoutingResultList->AddObject(QString(), row);
  }
  RoutingResultList->BuildRoutingResultData();
}
