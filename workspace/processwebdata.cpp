// The dispatcher: what a data page of the web application makes the workspace do.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QUrl>
#include <QWebEngineView>

#include "planning/mapserverdata.h"
#include "widgets/planner.h"
#include "widgets/plannerwaitlist.h"
#include "workspace/addresscheck.h"
#include "workspace/webdocument.h"
#include "workspace/zeproutingform.h"

namespace {

constexpr qint64 DefaultPinColour = 0x20000000;
constexpr qint64 OwnPinColour = -1;
constexpr int PinShape = 15;

bool IsOneOf(int Workflow, std::initializer_list<int> Workflows) {
  return std::find(Workflows.begin(), Workflows.end(), Workflow) != Workflows.end();
}

// The application's request page must be a web address: a page must not point the workspace
// at local files or scripts.
bool IsWebAddress(const QString& Address) {
  const QUrl Url(Address, QUrl::StrictMode);
  return Url.isValid() && (Url.scheme() == "http" || Url.scheme() == "https") &&
         !Url.host().isEmpty();
}

class TWaitCursor {
 public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace

void TZEPRoutingForm::ProcessWebData() {
  CommonStart();
  const int Workflow = MapServerData->WorkflowId;
  if (Workflow == 0) {
    ProcessSetUp();
  } else if (Workflow == -1) {
    ProcessPageTitle();
  } else if (Workflow == 2 || Workflow == 4) {
    if (ProcessPeriodOptimization)
      ProcessPeriodOptimization(*this);
    else
      StatusPanel1->setText(QString::fromUtf8("Die Routenoptimierung ist nicht verfügbar."));
  } else if (IsOneOf(Workflow, {12, 14, 16, 30, 33, 42, 44})) {
    ProcessOrderList();
  } else if (Workflow == 24) {
    ProcessGpsTrack();
  } else if (Workflow == 50) {
    if (ProcessCalendarData)
      ProcessCalendarData(*this);
    else
      StatusPanel1->setText(QString::fromUtf8("Die Personaleinsatzplanung ist nicht verfügbar."));
  }
  CommonEnd();
}

void TZEPRoutingForm::CommonStart() {
  MapView->SetMapTitle(QString());
  StatusPanel1->clear();
  Geocoding->SetCancelGeocoding(true);
  MapView->SetShowStationCount(IsOneOf(MapServerData->WorkflowId, {14, 16, 42, 50}));
  MapView->SetCanCalculate(true);
  MapServerData->RouteNr = 0;
  MapView->AfterSelectionChangedProc = nullptr;
  MapView->OptimizingProc = nullptr;
  MapView->CalculationProc = nullptr;
  ItemSelectedFromMap = false;
}

void TZEPRoutingForm::CommonEnd() {
  const int Workflow = MapServerData->WorkflowId;
  if (Geocoding->GeocodingList().isEmpty()) {
    if (IsOneOf(Workflow, {0, 14, 16, 33, 50})) LoadPostingPage();
  } else {
    PostGeocodingResults();
  }
  if (Workflow == 33) RunAddressCheck();
}

bool TZEPRoutingForm::RenameFromPageTitle() {
  const QString Title = WebBrowser1->title();
  if (Caption == Title) return false;
  Caption = Title;
  setWindowTitle(Caption);
  RenameListEntry();
  return true;
}

void TZEPRoutingForm::ProcessSetUp() {
  if (RenameFromPageTitle())
    MapView->CreateMapEditor(QStringLiteral("%1 (%2)").arg(Caption, FormId));
  ClearCalendarAndWaitList();
  MapView->DeleteAllStations();
  if (Routing) Routing->DeleteRoute();
  ShowCalendar(false, false);

  MapServerData->SetQueryData(1);
  if (!MapServerData->QueryData.isEmpty()) {
    const QString Address = MapServerData->QueryData.first().trimmed();
    if (IsWebAddress(Address))
      WebAppURL = Address;
    else
      StatusPanel1->setText(
          QString::fromUtf8("Die Webanwendung nennt keine gültige Adresse: %1").arg(Address));
  }
  ProcessMapRect(2);
  MapServerData->SetQueryData(3);
  if (!MapServerData->QueryData.isEmpty())
    MapServerData->SetRouteTable(QStringLiteral("R") + MapServerData->QueryData.first());
}

void TZEPRoutingForm::ProcessPageTitle() {
  const QString Title = WebBrowser1->title();
  Caption = Title;
  setWindowTitle(Caption);
  RenameListEntry();
  ProcessMapRect(1);
}

void TZEPRoutingForm::ProcessMapRect(int QNr) {
  MapServerData->SetQueryData(QNr);
  if (!MapServerData->QueryData.isEmpty()) MapView->SetMapRect(MapServerData->QueryData);
}

void TZEPRoutingForm::ClearCalendarAndWaitList() {
  Planner1->Items().UnSelectAll();
  PlannerWaitList1->Items().ClearAll();
  PlannerWaitList1->hide();
  CheckBox[5]->setChecked(false);
}

bool TZEPRoutingForm::QueryIsEmpty(int QNr) {
  MapServerData->SetQueryData(QNr);
  return MapServerData->QueryData.isEmpty();
}

QString TZEPRoutingForm::QueryText(int QNr) {
  MapServerData->SetQueryData(QNr);
  return MapServerData->QueryData.join(QStringLiteral("\r\n"));
}

void TZEPRoutingForm::ProcessOrderList() {
  const int Workflow = MapServerData->WorkflowId;
  TStationList& Stations = *MapServerData->StationList;
  MapView->AfterSelectionChangedProc = [this] { AfterMapSelection(); };
  ShowCalendar(false, false);
  Planner1->Items().UnSelectAll();
  MapView->DeleteAllStations();
  if (Routing) Routing->DeleteRoute();
  Stations.ClearStart();
  Stations.ClearFinish();

  MapServerData->SetQueryData(1);
  MapServerData->QueryDataToStationList(0);
  if (Workflow == 16) {
    Geocoding->SetGeocodingUserRequest(false);
    for (const auto& [QNr, Mode] : {std::pair{4, 1}, std::pair{5, 2}}) {
      if (QueryIsEmpty(QNr)) continue;
      MapServerData->QueryDataToStationList(static_cast<quint8>(Mode));
      TStation* End = Mode == 1 ? Stations.Start.get() : Stations.Finish.get();
      if (End) Geocoding->GeocodingStation(End, 0);
    }
  }
  MapServerData->SetQueryData(2);
  Geocoding->SetGeocodingUserRequest(!MapServerData->QueryData.isEmpty() &&
                                     MapServerData->QueryData.first() == QLatin1String("X"));
  if (IsOneOf(Workflow, {12, 14, 16})) MapView->SetMapTitle(QueryText(3));

  if (!Stations.IsEmpty()) {
    {
      TWaitCursor Wait;
      Geocoding->GeocodingStations(false);
    }
    if (IsOneOf(Workflow, {14, 16, 42})) MapServerData->SyncRouteTable(true, 1, TDateTime(0));
    PutStationsOnMap(Workflow == 16 ? OwnPinColour : DefaultPinColour,
                     Workflow == 12 ? QStringLiteral("PLZ/Ort:") : QString());
  }
  if (Workflow == 16) SetActivePage(Stations.IsEmpty() ? 0 : 1);
}

void TZEPRoutingForm::PutStationsOnMap(qint64 Color, const QString& Titles) {
  MapView->SetStationsInMap(PinShape, Color, Titles);
  MapView->RefreshMap();
  MapView->SetStationInfo();
}

void TZEPRoutingForm::ProcessGpsTrack() {
  MapView->DeleteAllStations();
  MapServerData->SetQueryData(1);
  MapServerData->QueryGPSDataToStationList();
  MapView->SetMapTitle(QueryText(3));
  MapView->SetStationsInMap(PinShape, DefaultPinColour, QString());
  if (Routing) Routing->RoadMatching();
  ShowCalendar(false, true);
}

void TZEPRoutingForm::RunAddressCheck() {
  FDocument1->ReadAllElements([this](const QList<TDomElement>& Elements) {
    const TDomBatch Batch = AddressCheck(Elements, *MapServerData->StationList);
    FDocument1->Run(Batch, [this] { FinishPage(3); });
  });
}
