#include "map/routing.h"

#include <QCoreApplication>
#include <algorithm>

#include "map/component/imapmodel.h"
#include "map/component/imapview.h"
#include "map/mapview.h"
#include "map/routingfields.h"
#include "planning/mapserverdata.h"
#include "planning/routingresultlist.h"

namespace {
constexpr int kFieldsForTable = 24;
constexpr int kDayStart = 27000;
constexpr int kDayEnd = 72000;
constexpr int kDefaultStay = 1800;
constexpr int kNumberedWaypoints = 7;
constexpr int kMinRouteMargin = 50;

const std::array<std::pair<QLatin1String, const char*>, 10> kProgressTexts{{
    {QLatin1String("%1"), "Berechnung der Route..."},
    {QLatin1String("%2"), "Sortierung der Wegpunkte..."},
    {QLatin1String("%3"), "Generate direction hints.."},
    {QLatin1String("%4"), "Abbruch durch Benutzer"},
    {QLatin1String("%5"), "Generierung von Texten..."},
    {QLatin1String("%6"), "Berechnung der Zwischenstops..."},
    {QLatin1String("%7"), "Scannen der Route..."},
    {QLatin1String("%8"), "Objektsuche im Weg-Korridor..."},
    {QLatin1String("%9"), "Abschnitt kann nicht gelesen werden."},
    {QLatin1String("%10"), "Anschlußstation stimmt mit Segment bei SegmentRouting nicht überein"},
}};

const std::array<std::pair<int, const char*>, 12> kStatusTexts{{
    {-1001, "Initialisierung Wegoptimierung fehlgeschlagen"},
    {-1002, "keine Stationen verfügbar, die optimiert werden können"},
    {-1003, "Fehler bei Berechnung der Entfernungs-Matrix"},
    {-1004, "Aufbau der Entfernungs-Matrix fehlgeschlagen"},
    {-1005, "unzulässige Optionen für eine Station"},
    {-1006, "unzulässige Einstellung der Fahrzeiten"},
    {-1007, "Einstellungen der Öffnungszeiten einer oder mehrerer Stationen unzulässig"},
    {-1008, "Höchstens 200 Wegpunkte zulässig"},
    {-1010, "Speichermangel"},
    {-1013, "unzulässiger Startpunkt"},
    {-1014, "unzulässiger Zielpunkt"},
    {-1015, "unzulässige Entfernung zweier Wegpunkte"},
}};

struct SpeedProfile {
  QList<int> Speeds;
  QList<int> RoadTypes;
};

SpeedProfile SpeedProfileFor(quint8 FProfilMode) {
  switch (FProfilMode) {
    case 1:
      return {{0, 140, 135, 70, 125, 35, 85, 25, 60, 25, 50, 20, 40, 18, 16, 9, 5},
              {0, 0, 0, 0, 10, 20, 50, 100, 100}};
    case 2:
      return {{0, 130, 105, 65, 100, 33, 75, 25, 55, 25, 48, 20, 40, 18, 16, 9, 5},
              {0, 0, 0, 0, 10, 20, 50, 100, 100}};
    case 9:
      return {{0, 10, 7, 2, 7, 2, 7, 2, 7, 2, 7, 2, 7, 2, 5, 3, 5}, {0, 0, 0, 0, 0, 0, 0, 0, 0}};
    default:
      return {{0, 130, 120, 65, 100, 35, 80, 25, 60, 25, 50, 20, 30, 15, 16, 10, 5},
              {0, 0, 0, 0, 10, 20, 50, 80, 100}};
  }
}
}  // namespace

TRouting::~TRouting() {
  m_Alive.reset();
  DestroyRouting();
}

void TRouting::SetMapServerData(TMapServerData* Data) {
  m_MapServerData = Data;
  if (!Data) return;
  StationList = Data->StationList.get();
  Data->RoutingResultList = std::make_unique<TRoutingResultList>();
  RoutingResultList = Data->RoutingResultList.get();
}

void TRouting::CreateRouting(const std::shared_ptr<IMapModel>& MapModel,
                             const std::shared_ptr<IMapView>& MapView) {
  m_MapModel = MapModel;
  m_MapView = MapView;
  if (!m_MapModel) return;
  if (Failed(m_MapModel->GetRouteLister(m_RouteLister)) || !m_RouteLister) {
    ErrorNr = 21;
    return;
  }
  for (int i = 0; m_MapView && i < m_MapView->LayerPresenterCount() && !m_RoutingView; ++i) {
    m_RoutingView = std::dynamic_pointer_cast<IRoutingView2>(m_MapView->LayerPresenter(i));
  }
  if (!m_RoutingView) {
    ErrorNr = 23;
    return;
  }
  m_RouteLister->NewRoute(m_Route);
  m_RoutingView->ShowRoute(m_Route);
  if (Failed(m_RouteLister->Advise(static_cast<IRoutingEvents*>(this), m_RoutingCookie)) ||
      Failed(m_RouteLister->Advise(static_cast<IRoutingProgress*>(this), m_ProgressCookie))) {
    ErrorNr = 24;
    return;
  }
  m_RoutingView->SetDisplayOption(kNumberedWaypoints, true);
}

void TRouting::DestroyRouting() {
  if (m_RouteLister) {
    if (m_ProgressCookie) m_RouteLister->Unadvise(m_ProgressCookie);
    if (m_RoutingCookie) m_RouteLister->Unadvise(m_RoutingCookie);
    m_ProgressCookie = m_RoutingCookie = 0;
    // Work still running for this route would only be told to nobody.
    m_RouteLister->Cancel();
    if (m_Route) m_RouteLister->DeleteRoute(m_Route.get(), -1, 0);
  }
  m_Route.reset();
  m_RoutingView.reset();
  m_RouteLister.reset();
}

void TRouting::RecordComponentError(ComStatus Status) {
  if (Failed(Status)) ErrorMsg = ComErrorText();
}

void TRouting::ShowStatus(const QString& Text, int Panel) const {
  if (m_MapServerData && m_MapServerData->SetStatusText)
    m_MapServerData->SetStatusText(Text, Panel);
}

void TRouting::CreateRoute() {
  DeleteRoute();
  if (!StationList || !m_Route) return;
  QList<CodedRecord> waypoints;
  const auto add = [&waypoints](const TStation* s) {
    if (!s) return;
    waypoints.append({{2, s->Field(RoutingField::Label)},
                      {3, s->Field(RoutingField::X)},
                      {4, s->Field(RoutingField::Y)}});
  };
  add(StationList->RStart ? StationList->RStart.get() : StationList->Start.get());
  for (int i = 0; i < StationList->Count(); ++i) add(StationList->GetStation(i));
  add(StationList->Finish.get());
  if (Failed(m_Route->SetWaypoints(waypoints))) ErrorNr = 31;
}

void TRouting::DeleteRoute() {
  if (!m_RouteLister || !m_Route) return;
  m_RouteLister->RemoveDrawing(m_Route.get(), -1, 0);
  m_Route->SetWaypoints({CodedRecord{}});
}

void TRouting::DrawRoute() {
  if (!m_Route) return;
  TRect r;
  if (Failed(m_Route->GetBoundingRect(-1, r))) {
    ErrorMsg = ComErrorText() + QStringLiteral(" (Abfrage Umgebungsbereich der Route)");
    return;
  }
  if (!m_MapView) return;
  // A route along one straight street has no height (or width); the margin keeps an area.
  const int dx = std::max((r.Right - r.Left) / 10, kMinRouteMargin);
  const int dy = std::max((r.Top - r.Bottom) / 10, kMinRouteMargin);
  m_MapView->ShowRect(r.Left - dx, r.Top + dy, r.Right + dx, r.Bottom - dy);
  m_MapView->Refresh();
}

void TRouting::RoadMatching() {
  DeleteRoute();
  if (!StationList) return;
  VariantArray2D points;
  for (int i = 0; i < StationList->Count(); ++i) {
    points.Columns.append({StationList->GetStationDataValue(i, RoutingField::X),
                           StationList->GetStationDataValue(i, RoutingField::Y)});
  }
  if (!m_RouteLister || Failed(m_RouteLister->MatchRoads(m_Route.get(), points))) ErrorNr = 34;
}

void TRouting::SetRoutingOptions(int OptimizeMode, quint8 FProfilMode, quint8 TimeFactor) {
  if (!m_Route) return;
  int code = 0;
  if (OptimizeMode > 0 && StationList && StationList->StationCount() > 2) {
    int s = StationList->RStart ? 2 : 6;
    if (StationList->Finish) s -= 1;
    if (OptimizeMode > 1) s += 2;
    static constexpr int kCodes[] = {0, 2, 6, 1, 5, 2, 6, 1, 5};
    code = kCodes[s];
  }
  RecordComponentError(m_Route->SetOption(0, 4));
  RecordComponentError(m_Route->SetStartTime(RoutingStartTime.Value(), -1));
  RecordComponentError(m_Route->SetOptionBlock(0, 0, 0, 0, 0));
  RecordComponentError(m_Route->SetOptimization(code));
  RecordComponentError(m_Route->SetOption(0, 0));
  RecordComponentError(m_Route->SetTimeRange(0, 0, 86400, 0));
  RecordComponentError(m_Route->SetTimeFactor(0, TimeFactor));
  SetSpeedProfile(FProfilMode);
}

void TRouting::SetSpeedProfile(quint8 FProfilMode) {
  std::shared_ptr<IDrivingOptions> options;
  if (Failed(m_Route->GetDrivingOptions(options)) || !options) return;
  if (FProfilMode == 9 && Failed(options->SetOption(0, -1))) return;
  const SpeedProfile profile = SpeedProfileFor(FProfilMode);
  if (Failed(options->SetSpeedTable(profile.Speeds))) return;
  options->SetRoadTypeTable(profile.RoadTypes);
}

bool TRouting::CalculateRoute(int OptimizeMode, bool DrawRoute, quint8 FProfilMode,
                              quint8 TimeFactor) {
  CanDraw = DrawRoute;
  CreateRoute();
  m_AltRoute = 0;
  if (!StationList || StationList->StationCount() <= 1) return false;
  SetRoutingOptions(OptimizeMode, FProfilMode, TimeFactor);
  if (!m_RouteLister || Failed(m_RouteLister->CalculateRoute(m_Route.get(), DrawRoute))) {
    ErrorNr = 32;
    return false;
  }
  return true;
}

void TRouting::CancelCalculateRoute() {
  if (!m_RouteLister) return;
  const ComStatus status = m_RouteLister->Cancel();
  if (Failed(status)) {
    RecordComponentError(status);
    ErrorNr = 39;
    return;
  }
  m_AltRoute = std::max(m_AltRoute - 1, 0);
  if (m_Optimizing) TellOptimisationCancelled();
}

void TRouting::TellOptimisationCancelled() {
  m_Optimizing = false;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [this, alive = std::weak_ptr<bool>(m_Alive)] {
        if (alive.lock()) StationsOptimized(-1, OptimisationCancelled, {});
      },
      Qt::QueuedConnection);
}

const TStation* TRouting::Waypoint(int I, int N) const {
  if (I == 0 && StationList->RStart) return StationList->RStart.get();
  if (I == N - 1 && StationList->Finish) return StationList->Finish.get();
  return StationList->GetStation(StationList->RStart ? I - 1 : I);
}

bool TRouting::OptimizeStationSequenceExt(int OptimizeMode, int StartMonteur, int EndeMonteur,
                                          bool DefaultTimeWindow, quint8 FProfilMode,
                                          quint8 TimeFactor) {
  if (!StationList) return false;
  if (StartMonteur == 0) EndeMonteur = 0;
  if (EndeMonteur == 0) StartMonteur = 0;
  // A window that ends before it starts cannot be kept; an end that is no number is the
  // default end of the day, not midnight.
  for (int i = StationList->Count() - 1; i >= 0; --i) {
    const TStation* s = StationList->GetStation(i);
    bool hasEnd = false;
    const int end = s ? s->Field(RoutingField::WindowEnd).trimmed().toInt(&hasEnd) : 0;
    if (s && hasEnd && IntOr(s->Field(RoutingField::WindowStart), 0) > end) StationList->Delete(i);
  }
  if (StationList->Count() == 1) {
    if (!StationList->RStart) StationList->SetRStart(StationList->GetStation(0));
    if (!StationList->Finish) StationList->SetFinish(StationList->GetStation(0));
  } else if (StationList->Count() == 2 && !StationList->RStart && !StationList->Finish) {
    StationList->SetRStart(StationList->GetStation(0));
  }

  const int n = StationList->StationCount();
  if (DefaultTimeWindow) StartMonteur = EndeMonteur = 0;
  VariantArray2D table;
  for (int i = 0; i < n; ++i) {
    const TStation* s = Waypoint(i, n);
    if (!s || s->Count() < kFieldsForTable) continue;
    int from =
        DefaultTimeWindow ? kDayStart : IntOr(s->Field(RoutingField::WindowStart), kDayStart);
    const int to = DefaultTimeWindow ? kDayEnd : IntOr(s->Field(RoutingField::WindowEnd), kDayEnd);
    if (StartMonteur > 0) from = std::max(from, StartMonteur);
    table.Columns.append({IntOr(s->Field(0), 0), IntOr(s->Field(RoutingField::X), 0),
                          IntOr(s->Field(RoutingField::Y), 0), from, to,
                          IntOr(s->Field(RoutingField::Stay), kDefaultStay)});
  }
  const int first = StationList->RStart ? 2 : 1;
  int last = StationList->Finish ? n - 1 : n;
  if (last <= first) last = first + 1;
  const QVariantList options{1, 2, first, last, 0, 0, StartMonteur, EndeMonteur};

  m_AltRoute = 0;
  SetRoutingOptions(OptimizeMode, FProfilMode, TimeFactor);
  bool result = false;
  if (n == 1) {
    ApplyOptimizationResult({}, StationsOptimizedValidDays);
    if (AfterStationsOptimizedExtProc) AfterStationsOptimizedExtProc();
    result = true;
  } else if (n == 2) {
    result = CalculateRoute(0, false, 0, 75);
  } else {
    result = m_RouteLister && m_Route &&
             Succeeded(m_RouteLister->OptimizeRoute(m_Route.get(), table, options));
    m_Optimizing = result;
  }
  if (!result) ErrorNr = 33;
  return result;
}

QString TRouting::OptimizerStatusText(int Status) {
  for (const auto& [status, text] : kStatusTexts) {
    if (status == Status) return QString::fromUtf8(text);
  }
  return {};
}

ComStatus TRouting::Progress(const QString& TextCode, int Percent, bool& Continue) {
  Continue = true;
  try {
    if (!m_MapServerData || !m_MapServerData->SetStatusText) return ComStatus::Ok;
    ShowStatus(QString::number(std::clamp(Percent, -1, 101)), 0);
    for (const auto& [code, text] : kProgressTexts) {
      if (TextCode == code) ShowStatus(QString::fromUtf8(text), 1);
    }
    return ComStatus::Ok;
  } catch (...) {
    return ComStatus::Fail;
  }
}

ComStatus TRouting::RouteCalculated(int RouteNr, int Distance, int Duration) {
  if (RouteNr >= 0 && RouteNr < static_cast<int>(RoutingResults.size())) {
    RoutingResults[RouteNr] = {Distance, Duration};
  }
  if (AfterCalculatedProc) {
    AfterCalculatedProc();
  } else {
    ShowStatus(GetRoutingResults(RouteNr), 1);
  }
  return ComStatus::Ok;
}

ComStatus TRouting::Error(int AErrorNr, const QString& Text) {
  ErrorMsg = Text;
  ErrorNr = AErrorNr;
  return ComStatus::Ok;
}

ComStatus TRouting::RouteListed(int) {
  if (!CanDraw || !m_RouteLister) return ComStatus::Ok;
  QList<CodedRecord> listing;
  const ComStatus status = m_RouteLister->ListRoute(m_Route.get(), m_AltRoute, 2, 0, listing);
  if (Failed(status)) {
    RecordComponentError(status);
    return ComStatus::Ok;
  }
  FillRouteListing(listing);
  if (AfterListedProc) {
    ApplyOptimizationResult({}, StationsOptimizedValidDays);
    AfterListedProc();
  }
  return ComStatus::Ok;
}

ComStatus TRouting::StationsOptimized(int SequenceNr, int Status, const VariantArray2D& Answer) {
  m_Optimizing = false;
  ErrorNr = 0;
  if (Status >= 0 && m_Route && Succeeded(m_Route->AcceptOptimizedOrder(SequenceNr))) {
    ApplyOptimizationResult(Answer, StationsOptimizedValidDays);
  } else {
    ErrorNr = Status;
    if (const QString text = OptimizerStatusText(Status); !text.isEmpty()) ErrorMsg = text;
  }
  if (AfterStationsOptimizedExtProc) AfterStationsOptimizedExtProc();
  return ComStatus::Ok;
}

ComStatus TRouting::RoadsMatched(int) {
  DrawRoute();
  return ComStatus::Ok;
}

TRouting* CreateRouting(TMapView& MapView) {
  if (!MapView.Routing && MapView.m_MapView) {
    auto routing = std::make_unique<TRouting>();
    routing->CreateRouting(MapView.m_MapModel, MapView.m_MapView);
    MapView.Routing = std::move(routing);
  }
  return dynamic_cast<TRouting*>(MapView.Routing.get());
}
