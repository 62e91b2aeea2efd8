// The exchange with the web application: requests, page completion, the posting forms and
// the selection round trip. Each step that needs the page continues in the page's answer.
#include <QDesktopServices>
#include <QLabel>
#include <QToolButton>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

#include "base/datetimetext.h"
#include "planning/mapserverdata.h"
#include "widgets/plannerwaitlist.h"
#include "workspace/postingform.h"
#include "workspace/progresspanel.h"
#include "workspace/selectioncondition.h"
#include "workspace/webdocument.h"
#include "workspace/webrequests.h"
#include "workspace/zeproutingform.h"

void TZEPRoutingForm::ShowPage(const QString& Url) { WebBrowser1->setUrl(QUrl(Url)); }

void TZEPRoutingForm::NavigateHome() {
  if (WebAppURL.isEmpty()) return;
  LoadPostingPage();
  ShowPage(webrequests::StartRequest(WebAppURL));
}

void TZEPRoutingForm::NavigateBack() {
  if (!BrowserPanel->isHidden()) WebBrowser1->back();
}

void TZEPRoutingForm::NavigateForward() {
  if (!BrowserPanel->isHidden()) WebBrowser1->forward();
}

void TZEPRoutingForm::RefreshData() {
  if (!BrowserPanel->isHidden())
    WebBrowser1->reload();
  else
    RequestCalendarData(AdditionalWeekDays);
}

void TZEPRoutingForm::NavigateToResultSite(int ENr, const QString& EMsg) {
  ShowPage(webrequests::ResultSiteRequest(WebAppURL, ENr, EMsg));
}

void TZEPRoutingForm::LoadPostingPage() {
  WebBrowser2->setUrl(QUrl(webrequests::PostingPageRequest(WebAppURL)));
}

void TZEPRoutingForm::RequestCalendarData(int AdditionalDays) {
  ShowPage(webrequests::CalendarDataRequest(WebAppURL, MapServerData->ProjectId,
                                            MapServerData->DeviceId, DateToStr(PEPDate),
                                            AdditionalDays, !PlannerWaitList1->isHidden()));
}

void TZEPRoutingForm::OpenOrderPage(int AuftragId) const {
  QDesktopServices::openUrl(QUrl(webrequests::OrderPageUrl(WebAppURL, AuftragId)));
}

void TZEPRoutingForm::WebBrowser1ProgressChange(int Percent) {
  StatusPanel0->SetText(WebProgressText(Percent, 100));
}

// A page that failed, or an error answer of the web application (which still shows its page),
// is named in the status bar.
void TZEPRoutingForm::WebBrowser1LoadingChanged(const QWebEngineLoadingInfo& Info) {
  if (Info.status() == QWebEngineLoadingInfo::LoadStartedStatus) return;
  const QString Url = Info.url().toDisplayString();
  if (Info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain && Info.errorCode() >= 400)
    StatusPanel1->setText(QString::fromUtf8("Die Webanwendung meldet einen Fehler (HTTP %1): %2")
                              .arg(Info.errorCode())
                              .arg(Url));
  else if (Info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
    StatusPanel1->setText(QString::fromUtf8("Die Seite %1 konnte nicht geladen werden (Fehler %2).")
                              .arg(Url)
                              .arg(Info.errorCode()));
}

void TZEPRoutingForm::WebBrowser1DocumentComplete() {
  WebBrowser1->setEnabled(false);
  Timer1->stop();
  StatusPanel0->SetText(QString());
  FDocument1->BodyHtml([this](const QString& Body) { ReadCompletedPage(Body); });
}

void TZEPRoutingForm::ReadCompletedPage(const QString& Body) {
  MapServerData->ReadMapServerData(Body);
  UpdateBrowserButtons();
  // Without its map objects (the map could not be made) a workspace only shows pages.
  if (MapView && Geocoding && !MapServerData->Text().trimmed().isEmpty()) ProcessWebData();
  WebBrowser1->setEnabled(true);
  FinishPage(1);
}

void TZEPRoutingForm::FinishPage(int Browser) {
  if (AfterPageHandled) AfterPageHandled(Browser);
}

void TZEPRoutingForm::WebBrowser2DocumentComplete(bool) {
  const quint8 Mode = SubmitMode;
  SubmitMode = 0;
  switch (Mode) {
    case 2:
      RequestCalendarData(AdditionalWeekDays);
      break;
    case 3:
      ContinueForm();
      break;
    case 4:
      LoadPostingPage();
      break;
    default:
      break;
  }
  FinishPage(2);
}

void TZEPRoutingForm::SubmitPostingForm(const QString& FormName, const QString& Letter,
                                        const QMap<QString, QString>& Values, quint8 Mode,
                                        std::function<void(bool FormFound)> Done) {
  const TDomRef Form = TDomRef::ElementByName(FormName, 0);
  FDocument2->ReadFormElements(Form, [this, Form, Letter, Values, Mode, Done = std::move(Done)](
                                         const std::optional<QList<TDomElement>>& Elements) {
    if (!Elements) {
      if (Done) Done(false);
      return;
    }
    TPostingFormFill Fill = FillPostingForm(Form, *Elements, Letter, Values);
    if (Fill.Submit) SubmitMode = Mode;
    FDocument2->Run(Fill.Batch);
    if (Done) Done(true);
  });
}

void TZEPRoutingForm::PostGeocodingResults() {
  QStringList Lines = Geocoding->GeocodingList();
  QString Text;
  for (const QString& Line : Lines) Text += Line + QStringLiteral("\r\n");
  SubmitPostingForm("Form3", "G", {{"__3", Text}}, 4, [this](bool FormFound) {
    if (FormFound) Geocoding->ClearGeocodingList();
  });
}

void TZEPRoutingForm::ContinueForm() {
  const TDomRef Form = TDomRef::ElementByName("Form1", 0);
  FDocument1->ReadFormElements(
      Form, [this, Form](const std::optional<QList<TDomElement>>& Elements) {
        if (!Elements) return;
        TDomBatch Batch;
        if (Elements->size() > 10 && Elements->at(10).Name == QLatin1String("__11")) {
          MapServerData->SetNextEnabledDate();
          Batch.SetValue(Form.Element(10), DateToStr(MapServerData->CDate));
        }
        Batch.Submit(Form);
        FDocument1->Run(Batch);
      });
}

void TZEPRoutingForm::AfterMapSelection() {
  const QStringList Selected = MapView->SelectedStationList();
  const int Workflow = MapServerData->WorkflowId;
  const bool Thinning = Workflow == 12 || Workflow == 14 || Workflow == 42;
  SpeedButton[3]->setVisible(!Selected.isEmpty() && Thinning);
  SpeedButton[4]->setVisible(!Selected.isEmpty() && Thinning);
  SpeedButton[7]->setVisible(!Selected.isEmpty() && Workflow == 16);
  if (Workflow != 16 || Selected.isEmpty()) return;
  double Seconds = 0;
  const TStationList& Stations = *MapServerData->StationList;
  for (int Index = 0; Index < Stations.Count(); ++Index) {
    const TStation* Station = Stations.GetStation(Index);
    if (!Station || !Selected.contains(Station->Field(0))) continue;
    bool IsNumber = false;
    const double StayTime = Station->Field(23).toDouble(&IsNumber);
    if (IsNumber) Seconds += StayTime;
  }
  MapView->SetSelectedStationsStayTime(Seconds / 86400.0);
}

void TZEPRoutingForm::SpeedButton3Click(int Number) {
  if (HasSelectionRoundTrip(MapServerData->WorkflowId) && MapServerData->WorkflowId != 16) {
    MapView->SetShowStationCount(false);
    MapView->DeleteStationsFromMapView(Number == 4, false, false);
    SubmitSelection();
    MapView->SetSelectionMode(false);
  }
  SpeedButton[3]->setVisible(false);
  SpeedButton[4]->setVisible(false);
}

void TZEPRoutingForm::SpeedButton7Click() {
  MapView->SetShowStationCount(false);
  MapView->DeleteStationsFromMapView(false, false, true);
  SubmitSelection([this](const QString& Condition) {
    const TDomRef Form = TDomRef::ElementByName("Form1", 0);
    FDocument1->ReadFormElements(
        Form, [this, Form, Condition](const std::optional<QList<TDomElement>>& Elements) {
          if (!Elements || Elements->size() <= 3 || Elements->at(3).Name != QLatin1String("__4"))
            return;
          TDomBatch Batch;
          Batch.SetValue(Form.Element(3), Condition);
          Batch.Submit(Form);
          FDocument1->Run(Batch);
        });
  });
  MapView->SetSelectionMode(false);
}

void TZEPRoutingForm::SubmitSelection(std::function<void(const QString& Condition)> Done) {
  const TSelectionCondition Selection =
      SelectionCondition(MapServerData->WorkflowId, *MapServerData->StationList);
  if (MapServerData->WorkflowId == 16) {
    MapServerData->SetRouteInDB(2, Selection.Condition);
  } else if (!Selection.Condition.isEmpty()) {
    SubmitListForm(Selection.Condition, Selection.TargetIndex);
  }
  if (Done) Done(Selection.Condition);
}

void TZEPRoutingForm::SubmitListForm(const QString& Condition, int TargetIndex) {
  const TDomRef Form = TDomRef::LastForm();
  FDocument1->ReadFormElements(Form, [this, Form, Condition, TargetIndex](
                                         const std::optional<QList<TDomElement>>& Elements) {
    if (!Elements || Elements->size() <= TargetIndex) return;
    TDomBatch Batch;
    Batch.SetValue(Form.Element(TargetIndex), Condition);
    Batch.Submit(Form);
    FDocument1->Run(Batch);
  });
}
