#pragma once

#include <QMap>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "base/datetime.h"
#include "workspace/mapservices.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QStatusBar;
class QToolButton;
class QWebEngineLoadingInfo;
class QWebEngineView;
class TMapServerData;
class TPlanner;
class TPlannerDatePicker;
class TPlannerWaitList;
class TProgressPanel;
class TWebDocument;
class TWorkspaceHost;

// One workspace: the web application in a web view, the orders of the current task on a map
// and, for staff deployment, a calendar. It owns its planning data hub and map adapters and
// shares only what the main window holds. The two variants differ in where the three panels
// go. Create one through Create<Variant>(), which runs the creation steps once the variant's
// layout is known.
class TZEPRoutingForm : public QWidget {
 public:
  ~TZEPRoutingForm() override;

  template <typename Variant>
  static Variant* Create(TWorkspaceHost& Host, QWidget* Parent = nullptr) {
    auto* Form = new Variant(Host, Parent);
    Form->FormCreate();
    return Form;
  }

  // ---- Views ----
  virtual void ShowCalendar(bool CalendarMode, bool ShowMap);
  virtual void SetActivePage(int Value) = 0;

  // ---- Status and deferred steps ----
  // Sets a status panel and paints it at once, processing pending events.
  void ShowStatus(const QString& Text, int Panel);
  QString StatusText(int Panel) const;
  // Runs Step one timer tick of WaitAfterOptimizing + Step ms later; 0 cancels.
  void ScheduleStep(int Step);
  void UpdateBrowserButtons();

  // ---- Web application ----
  void NavigateHome();
  void NavigateBack();
  void NavigateForward();
  void RefreshData();
  void NavigateToResultSite(int ENr, const QString& EMsg);
  void LoadPostingPage();
  void PostGeocodingResults();
  // Fills the posting page's form FormName (its "__1" must hold Letter) with Values by element
  // name and submits it under Mode; Done tells whether the page had that form.
  void SubmitPostingForm(const QString& FormName, const QString& Letter,
                         const QMap<QString, QString>& Values, quint8 Mode,
                         std::function<void(bool FormFound)> Done = {});
  void SubmitSelection(std::function<void(const QString& Condition)> Done = {});
  void AfterMapSelection();
  void RequestCalendarData(int AdditionalDays);
  void OpenOrderPage(int AuftragId) const;
  // Dispatches the hub's current block by its workflow number.
  void ProcessWebData();

  // ---- Window events ----
  void FormActivate();

  // Hooks the planning run and the calendar fill; unset, those tasks only run the common
  // steps and say so in the status bar.
  std::function<void(TZEPRoutingForm&)> ProcessPeriodOptimization;  // workflows 2 and 4
  std::function<void(TZEPRoutingForm&)> ProcessCalendarData;        // workflow 50
  std::function<void(TZEPRoutingForm&, int Step)> RunDeferredStep;  // steps 1 … 4
  // Answers an error message box of a workflow; a test sets it to answer without a dialog.
  std::function<void(const QString& Text)> ShowErrorBox;
  // Called when a page of WebBrowser1 or WebBrowser2 has been handled completely.
  std::function<void(int Browser)> AfterPageHandled;

 protected:
  TZEPRoutingForm(TWorkspaceHost& Host, QWidget* Parent);
  virtual void ArrangePanels() = 0;
  QWidget* Content() const { return FContent; }
  void FormCreate();

 private:
  void CreateControls();
  void CreateBrowserPanel();
  void CreateMapPanel();
  void CreateCalendarPanel();
  void CreateCalendarOptions();
  void CreateStatusBar();
  void SetButtonHints();
  void SetOptionsFromSettings();
  void AttachHandlers();
  void CreateMapObjects();

  QToolButton* ToolButton(QWidget* Bar, const QString& Name, int X);
  QCheckBox* OptionCheckBox(const QString& Name, const QString& Caption, int X, int Y);
  QGroupBox* RadioGroup(const QString& Name, const QString& Caption, const QStringList& Items,
                        int Columns, QButtonGroup*& Group);

  // Event handlers.
  void SpeedButton1Click(int Number);
  void SpeedButton3Click(int Number);
  void SpeedButton7Click();
  void SpeedButton8Click(int Number);
  void CheckBox1Click(int Number);
  void RadioGroup1Click(QButtonGroup* Group);
  void Timer1Timer();
  void WebBrowser1ProgressChange(int Percent);
  void WebBrowser1DocumentComplete();
  void WebBrowser1LoadingChanged(const QWebEngineLoadingInfo& Info);
  void WebBrowser2DocumentComplete(bool Ok);

  // Web exchange parts.
  void ReadCompletedPage(const QString& Body);
  void FinishPage(int Browser);
  void ContinueForm();
  void SubmitListForm(const QString& Condition, int TargetIndex);
  void DeleteSelectedAndSubmit(bool VisibleStations, bool MarkOnly, bool OptAssistMode,
                               std::function<void(const QString&)> Done);
  void ShowPage(const QString& Url);

  // Dispatcher parts.
  void CommonStart();
  void CommonEnd();
  void ProcessSetUp();
  void ProcessPageTitle();
  void ProcessOrderList();
  void ProcessGpsTrack();
  void ProcessMapRect(int QNr);
  bool RenameFromPageTitle();
  void ClearCalendarAndWaitList();
  bool QueryIsEmpty(int QNr);
  QString QueryText(int QNr);
  void RunAddressCheck();
  void PutStationsOnMap(qint64 Color, const QString& Titles);
  void RenameListEntry();
  int ListEntryIndex() const;

 public:
  // ---- Fields ----
  QString WebAppURL;
  std::unique_ptr<TMapServerData> MapServerData;
  std::unique_ptr<TWorkspaceMapView> MapView;
  std::unique_ptr<TWorkspaceGeocoding> Geocoding;
  std::unique_ptr<TWorkspaceRouting> Routing;
  int TerminCheckLayer = 16;
  int WaitTimeLayer = 64;
  quint32 WaitAfterOptimizing = 100;
  bool NextCompletation = false;
  quint8 SubmitMode = 0;
  TDateTime PEPDate;
  QStringList TerminChanges;
  bool WeekMode = false;
  bool ItemSelectedFromMap = false;
  int AdditionalWeekDays = 0;
  std::unique_ptr<QMenu> PopupMenu;
  QStringList PFooterInfo;
  QString FormId;
  QString Caption;  // the window title as the web application named it

  // ---- Controls (object names as the controls are known) ----
  QWidget* BrowserPanel = nullptr;
  QWidget* BrowserButtons = nullptr;
  QWebEngineView* WebBrowser1 = nullptr;
  QWebEngineView* WebBrowser2 = nullptr;
  QWidget* MapPanel = nullptr;
  QWidget* MapButtons = nullptr;
  QWidget* MapControl = nullptr;
  QWidget* CalendarPanel = nullptr;
  QWidget* CalendarButtons = nullptr;
  QWidget* CalendarOptions = nullptr;
  QSplitter* CalendarSplitter = nullptr;
  TPlanner* Planner1 = nullptr;
  TPlannerWaitList* PlannerWaitList1 = nullptr;
  TPlannerWaitList* PlannerWaitList2 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  TProgressPanel* StatusPanel0 = nullptr;
  QLabel* StatusPanel1 = nullptr;
  QTimer* Timer1 = nullptr;
  QToolButton* SpeedButton[21] = {};  // SpeedButton1 … SpeedButton20 at their numbers
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  TPlannerDatePicker* MonthCalendar1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  QGroupBox* RadioGroup1 = nullptr;
  QGroupBox* RadioGroup2 = nullptr;
  QGroupBox* RadioGroup3 = nullptr;
  QButtonGroup* RadioGroup1Items = nullptr;
  QButtonGroup* RadioGroup2Items = nullptr;
  QButtonGroup* RadioGroup3Items = nullptr;
  QCheckBox* CheckBox[7] = {};  // CheckBox1 … CheckBox6 at their numbers
  QLineEdit* Edit1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;

 protected:
  TWorkspaceHost& Host;

 private:
  QWidget* FContent = nullptr;
  TWebDocument* FDocument1 = nullptr;
  TWebDocument* FDocument2 = nullptr;
  bool FDestroying = false;
};
