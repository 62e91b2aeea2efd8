#include "map/routeresults.h"

#include <QDateTime>
#include <QStringList>
#include <cmath>

#include "geo/route/listing.h"
#include "map/routing.h"
#include "map/routingfields.h"
#include "planning/mapserverdata.h"
#include "planning/routingresultlist.h"

namespace {
constexpr int kDaysSearched = 366;
constexpr int kSecondsPerDay = 86400;
// Rows of an optimisation answer; day is the optimiser's day count from the first day.
enum AnswerRow { kOrderNr, kArrivalTime, kDriven, kWaiting, kDay };
// Column of a listing row whose value marks a waypoint row, and the one that gets the arrival.
constexpr int kFlagValue = 9;
constexpr int kArrivalValue = 3;
constexpr int kCoordinatesCode = 3;

// Seconds since the epoch of an arrival text, read as written; nullopt when unreadable.
std::optional<qint64> ArrivalSeconds(const QString& Text) {
  const QDateTime t = QDateTime::fromString(Text.trimmed(), QStringLiteral("dd.MM.yyyy hh:mm"));
  if (!t.isValid()) return std::nullopt;
  return QDateTime(t.date(), t.time(), Qt::UTC).toSecsSinceEpoch();
}

// The listing's column names are the engine's names of the type codes.
QString ListingFieldName(int Code) {
  for (const geo::ListingColumn& c : geo::listingColumns()) {
    if (c.code == Code) return QString::fromUtf8(c.name);
  }
  return QStringLiteral("S_%1").arg(Code);
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
  const int start = IntOr(first->Field(RoutingField::WindowStart), 0);
  const int times[2] = {
      start, start + IntOr(first->Field(RoutingField::Stay), 0) + RememberedDuration * 10};
  for (int i = 0; i < StationList->Count(); ++i) {
    const int t = times[i];
    if (t < p) {
      p = 0;
      d = NextValidDay(d, ValidDays);
    } else {
      p = t;
    }
    StationList->SetStationDataValue(i, RoutingField::Arrival, ArrivalText(d, t));
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
    StationList->SetStationDataValue(q, RoutingField::Arrival, ArrivalText(d, t));
    StationList->SetStationDataValue(q, RoutingField::Distance, row(kDriven, c));
    StationList->SetStationDataValue(q, RoutingField::WaitTime, row(kWaiting, c));
    ++q;
  }
  const int count = StationList->Count();
  RoutingResults[0].Distance =
      IntOr(StationList->GetStationDataValue(count - 1, RoutingField::Distance), 0);
  const auto firstArrival =
      ArrivalSeconds(StationList->GetStationDataValue(0, RoutingField::Arrival));
  const auto lastArrival =
      ArrivalSeconds(StationList->GetStationDataValue(count - 1, RoutingField::Arrival));
  qint64 tens = firstArrival && lastArrival ? (*lastArrival - *firstArrival) / 10 : 0;
  for (int i = 0; i < count - 1; ++i)
    tens -= IntOr(StationList->GetStationDataValue(i, RoutingField::Stay), 0) / 10;
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
      const QString arrival = StationList->GetStationDataValue(position, RoutingField::Arrival);
      if (!arrival.isEmpty()) values[kArrivalValue] = arrival;
    }
    auto* row = new TStringList(true);
    for (const QString& v : values) row->Add(v);
    RoutingResultList->AddObject(QString(), row);
  }
  RoutingResultList->BuildRoutingResultData();
}
