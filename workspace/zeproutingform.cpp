#include "workspace/zeproutingform.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "planning/mapserverdata.h"
#include "widgets/planner.h"
#include "widgets/plannerdatepicker.h"
#include "widgets/plannerwaitlist.h"
#include "workspace/buttonpictures.h"
#include "workspace/progresspanel.h"
#include "workspace/webdocument.h"
#include "workspace/workspacehost.h"

namespace {

QWidget* Panel(QWidget* Parent, const QString& Name) {
  auto* Widget = new QWidget(Parent);
  Widget->setObjectName(Name);
  return Widget;
}

QWidget* ButtonBar(QWidget* Parent, const QString& Name) {
  QWidget* Bar = Panel(Parent, Name);
  Bar->setFixedHeight(24);
  return Bar;
}

QVBoxLayout* StackedLayout(QWidget* Holder) {
  auto* Layout = new QVBoxLayout(Holder);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  return Layout;
}

QLabel* BoldLabel(QWidget* Parent, const QString& Name, const QString& Text, int X, int Y) {
  auto* Label = new QLabel(Text, Parent);
  Label->setObjectName(Name);
  QFont Font = Label->font();
  Font.setBold(true);
  Label->setFont(Font);
  Label->move(X, Y);
  return Label;
}

}  // namespace

TZEPRoutingForm::TZEPRoutingForm(TWorkspaceHost& Host, QWidget* Parent)
    : QWidget(Parent), Host(Host) {
  setObjectName("ZEPRoutingForm");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* Layout = StackedLayout(this);
  FContent = Panel(this, "Content");
  Layout->addWidget(FContent, 1);
  CreateControls();
  Layout->addWidget(StatusBar1);
}

void TZEPRoutingForm::CreateControls() {
  CreateBrowserPanel();
  CreateMapPanel();
  CreateCalendarPanel();
  CreateStatusBar();
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
}

QToolButton* TZEPRoutingForm::ToolButton(QWidget* Bar, const QString& Name, int X) {
  auto* Button = new QToolButton(Bar);
  Button->setObjectName(Name);
  Button->setGeometry(X, 2, 20, 20);
  Button->setAutoRaise(true);
  SpeedButton[Name.mid(QStringLiteral("SpeedButton").size()).toInt()] = Button;
  return Button;
}

void TZEPRoutingForm::CreateBrowserPanel() {
  BrowserPanel = Panel(nullptr, "BrowserPanel");
  BrowserButtons = ButtonBar(BrowserPanel, "BrowserButtons");
  ToolButton(BrowserButtons, "SpeedButton9", 10)->setArrowType(Qt::LeftArrow);
  ToolButton(BrowserButtons, "SpeedButton8", 40)->setText(QString::fromUtf8("⌂"));
  ToolButton(BrowserButtons, "SpeedButton10", 70)->setArrowType(Qt::RightArrow);
  ToolButton(BrowserButtons, "SpeedButton11", 100)->setText(QString::fromUtf8("↻"));
  WebBrowser1 = new QWebEngineView(BrowserPanel);
  WebBrowser1->setObjectName("WebBrowser1");
  WebBrowser2 = new QWebEngineView(BrowserPanel);
  WebBrowser2->setObjectName("WebBrowser2");
  WebBrowser2->setFixedSize(30, 0);
  FDocument1 = new TWebDocument(WebBrowser1->page());
  FDocument2 = new TWebDocument(WebBrowser2->page());
  auto* Layout = StackedLayout(BrowserPanel);
  Layout->addWidget(BrowserButtons);
  Layout->addWidget(WebBrowser1, 1);
  Layout->addWidget(WebBrowser2);
}

void TZEPRoutingForm::CreateMapPanel() {
  MapPanel = Panel(nullptr, "MapPanel");
  MapButtons = ButtonBar(MapPanel, "MapButtons");
  const QStringList Glyphs{"+",
                           "-",
                           QString::fromUtf8("◧"),
                           QString::fromUtf8("◨"),
                           QString(),
                           QString::fromUtf8("▣"),
                           QString::fromUtf8("➤")};
  for (int Number = 1; Number <= 7; ++Number)
    ToolButton(MapButtons, QStringLiteral("SpeedButton%1").arg(Number), 10 + 30 * (Number - 1))
        ->setText(Glyphs.at(Number - 1));
  SpeedButton[5]->setIcon(PrinterPicture());
  MapControl = Panel(MapPanel, "MapControl");
  auto* MapLayout = StackedLayout(MapControl);
  MapLayout->setContentsMargins(1, 1, 1, 1);
  auto* Layout = StackedLayout(MapPanel);
  Layout->addWidget(MapButtons);
  Layout->addWidget(MapControl, 1);
}

void TZEPRoutingForm::CreateCalendarPanel() {
  CalendarPanel = Panel(nullptr, "CalendarPanel");
  CalendarButtons = ButtonBar(CalendarPanel, "CalendarButtons");
  const int Numbers[] = {20, 19, 12, 13, 14, 15, 16, 17};
  const int Positions[] = {10, 40, 70, 130, 160, 220, 250, 310};
  const QStringList Glyphs{QString::fromUtf8("⌂"), QString::fromUtf8("↻"), QString::fromUtf8("▤"),
                           QString::fromUtf8("✂"), QString::fromUtf8("⎘"), QString::fromUtf8("✔"),
                           QString::fromUtf8("✖"), QString::fromUtf8("⇩")};
  for (int Index = 0; Index < 8; ++Index)
    ToolButton(CalendarButtons, QStringLiteral("SpeedButton%1").arg(Numbers[Index]),
               Positions[Index])
        ->setText(Glyphs.at(Index));
  CreateCalendarOptions();
  CalendarSplitter = new QSplitter(Qt::Vertical, CalendarPanel);
  CalendarSplitter->setObjectName("CalendarSplitter");
  CalendarSplitter->addWidget(CalendarOptions);
  auto* PlannerArea = Panel(nullptr, "PlannerArea");
  auto* PlannerLayout = new QHBoxLayout(PlannerArea);
  PlannerLayout->setContentsMargins(0, 0, 0, 0);
  Planner1 = new TPlanner(PlannerArea);
  Planner1->setObjectName("Planner1");
  PlannerWaitList1 = new TPlannerWaitList(PlannerArea);
  PlannerWaitList1->setObjectName("PlannerWaitList1");
  PlannerWaitList2 = new TPlannerWaitList(PlannerArea);
  PlannerWaitList2->setObjectName("PlannerWaitList2");
  PlannerLayout->addWidget(Planner1, 1);
  PlannerLayout->addWidget(PlannerWaitList1);
  PlannerWaitList1->hide();
  PlannerWaitList2->hide();
  CalendarSplitter->addWidget(PlannerArea);
  CalendarSplitter->setStretchFactor(1, 1);
  auto* Layout = StackedLayout(CalendarPanel);
  Layout->addWidget(CalendarButtons);
  Layout->addWidget(CalendarSplitter, 1);
}

QCheckBox* TZEPRoutingForm::OptionCheckBox(const QString& Name, const QString& Caption, int X,
                                           int Y) {
  auto* Box = new QCheckBox(Caption, Name == "CheckBox1" || Name == "CheckBox2"
                                         ? CalendarOptions
                                         : static_cast<QWidget*>(GroupBox1));
  Box->setObjectName(Name);
  Box->move(X, Y);
  CheckBox[Name.right(1).toInt()] = Box;
  return Box;
}

QGroupBox* TZEPRoutingForm::RadioGroup(const QString& Name, const QString& Caption,
                                       const QStringList& Items, int Columns,
                                       QButtonGroup*& Group) {
  auto* Box = new QGroupBox(Caption, CalendarOptions);
  Box->setObjectName(Name);
  auto* Layout = new QGridLayout(Box);
  Layout->setContentsMargins(6, 2, 6, 2);
  Layout->setVerticalSpacing(0);
  Group = new QButtonGroup(Box);
  for (int Index = 0; Index < Items.size(); ++Index) {
    auto* Button = new QRadioButton(Items.at(Index), Box);
    Group->addButton(Button, Index);
    Layout->addWidget(Button, Index / Columns, Index % Columns);
  }
  return Box;
}

void TZEPRoutingForm::CreateCalendarOptions() {
  CalendarOptions = Panel(nullptr, "CalendarOptions");
  CalendarOptions->setMinimumHeight(0);
  CalendarOptions->setMaximumHeight(185);
  Label1 = BoldLabel(CalendarOptions, "Label1", QString(), 15, 5);
  MonthCalendar1 = new TPlannerDatePicker(CalendarOptions);
  MonthCalendar1->setObjectName("MonthCalendar1");
  MonthCalendar1->setGeometry(15, 20, 290, 24);
  Label2 = BoldLabel(CalendarOptions, "Label2", QString(), 320, 5);
  ComboBox1 = new QComboBox(CalendarOptions);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setGeometry(320, 20, 260, 22);
  Label3 = BoldLabel(CalendarOptions, "Label3", QString(), 320, 50);
  ComboBox2 = new QComboBox(CalendarOptions);
  ComboBox2->setObjectName("ComboBox2");
  ComboBox2->setGeometry(320, 65, 260, 22);
  QStringList Minutes;
  for (int Value : {10, 15, 20, 30, 60, 90}) Minutes << QStringLiteral("%1 min").arg(Value);
  RadioGroup1 = RadioGroup("RadioGroup1", "Zeitraster", Minutes, 3, RadioGroup1Items);
  RadioGroup1->setGeometry(15, 47, 290, 60);
  RadioGroup2 = RadioGroup(
      "RadioGroup2", "Auftragsfilterung nach Status",
      {"Alles", "Geplant", "Offen", "Geladen", "Abgeschlossen", QString::fromUtf8("Terminprüfung")},
      3, RadioGroup2Items);
  RadioGroup2->setGeometry(15, 120, 290, 60);
  RadioGroup3 = RadioGroup("RadioGroup3", "Anzeige-Optionen",
                           {"Standard", "5 Tage", "2 Wochen", "4 Wochen"}, 2, RadioGroup3Items);
  RadioGroup3->setGeometry(320, 120, 260, 60);
  Label4 = BoldLabel(CalendarOptions, "Label4", QString(), 600, 5);
  Edit1 = new QLineEdit(CalendarOptions);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(600, 20, 230, 22);
  auto* SearchButton = ToolButton(CalendarOptions, "SpeedButton18", 840);
  SearchButton->move(840, 20);
  SearchButton->setIcon(MagnifierPicture());
  GroupBox1 = new QGroupBox(CalendarOptions);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(600, 47, 260, 132);
  OptionCheckBox("CheckBox1", "Zeitleiste je Spalte", 320, 95);
  OptionCheckBox("CheckBox2", "Zeitfensterdarstellung", 440, 95);
  OptionCheckBox("CheckBox3", QString::fromUtf8("Mittagspause berücksichtigen"), 10, 20);
  OptionCheckBox("CheckBox4", QString::fromUtf8("Sofortoptimierung neu eingefügter Aufträge"), 10,
                 50);
  OptionCheckBox("CheckBox5", "Warteliste verwenden", 10, 80);
  OptionCheckBox("CheckBox6", "Auslastung anzeigen", 10, 110);
}

void TZEPRoutingForm::CreateStatusBar() {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  StatusPanel0 = new TProgressPanel(StatusBar1);
  StatusPanel0->setObjectName("StatusPanel0");
  StatusPanel1 = new QLabel(StatusBar1);
  StatusPanel1->setObjectName("StatusPanel1");
  StatusBar1->addWidget(StatusPanel0);
  StatusBar1->addWidget(StatusPanel1, 1);
}

void TZEPRoutingForm::FormCreate() {
  ArrangePanels();
  WebAppURL.clear();
  WebBrowser2->setVisible(false);
  SubmitMode = 0;

  FormId = QString::number(Host.ChildCounter());
  QComboBox* List = Host.WorkspaceList();
  List->addItem(QString(), QVariant::fromValue(reinterpret_cast<quintptr>(&FormId)));
  List->setCurrentIndex(List->count() - 1);

  resize(Host.ClientSize().width() - x() / 2 - 50, Host.ClientSize().height() - y() / 2 - 50);

  Timer1->stop();
  WaitAfterOptimizing = 100;
  PopupMenu = std::make_unique<QMenu>();
  SetButtonHints();
  Label1->setText("Auswahl Datum:");
  Label2->setText("Projekt:");
  Label3->setText("Monteur:");
  Label4->setText("Suche von Kalendereinträgen:");
  for (QLabel* Label : {Label1, Label2, Label3, Label4}) Label->adjustSize();
  GroupBox1->setTitle(QString::fromUtf8("Planungs- und Optimierungs-Optionen"));

  TerminCheckLayer = 16;
  WaitTimeLayer = 64;
  PEPDate = TDateTime::FromQDate(QDate::currentDate());
  MonthCalendar1->SetDate(PEPDate);

  SetOptionsFromSettings();
  AttachHandlers();
  TerminChanges.clear();
  PFooterInfo.clear();
  CreateMapObjects();
  if (!Host.HomeURL().isEmpty()) ShowPage(Host.HomeURL());
}

void TZEPRoutingForm::CreateMapObjects() {
  MapServerData = std::make_unique<TMapServerData>();
  MapServerData->MapServerDB = Host.MapServerDB();
  MapServerData->SetStatusText = [this](const QString& Text, int Panel) {
    ShowStatus(Text, Panel);
  };
  TWorkspaceMapServer* Server = Host.MapServer();
  if (!Server) return;
  MapView = Server->CreateMapView(MapControl, Host.MapPath());
  if (!MapView) return;
  MapView->SetMapServerData(MapServerData.get());
  MapView->SelectInteractor(3);
  Geocoding = Server->CreateGeocoding();
  if (Geocoding) {
    Geocoding->SetMapServerData(MapServerData.get());
    MapView->SetGeocoding(Geocoding.get());
  }
  Routing = MapView->CreateRouting();
  if (Routing && Routing->ErrorNr() != 0) {
    Host.ShowErrorMsg(Routing->ErrorNr(), "Erstellung der Routenliste");
    Routing.reset();
  }
  if (Routing) Routing->SetMapServerData(MapServerData.get());
}

void TZEPRoutingForm::SetButtonHints() {
  const auto Hint = [this](int Number, const QString& Text) {
    SpeedButton[Number]->setToolTip(Text);
  };
  Hint(1, "In Karte hineinzoomen");
  Hint(2, "Aus Karte herauszoomen");
  Hint(3, "Nur sichtbare Stationen in Stationsliste belassen");
  Hint(4, "Sichtbare Stationen aus Stationsliste entfernen");
  Hint(5, "Kartenausschnitt drucken");
  Hint(6, "Kartenausschnitt als Bilddatei speichern");
  Hint(7, QString::fromUtf8("Ausgewählte Stationen als Tagesroute optimieren"));
  Hint(8, "Startseite");
  Hint(9, QStringLiteral("%1 %2").arg("Seite", QString::fromUtf8("zurück")));
  Hint(10, QStringLiteral("%1 %2").arg("Seite", QString::fromUtf8("vorwärts")));
  Hint(11, QStringLiteral("%1 aktualisieren").arg("Browser-Anzeige"));
  Hint(12, "Alle Spalten anzeigen");
  Hint(13, "Termine ausschneiden");
  Hint(14, QString::fromUtf8("Termine einfügen"));
  Hint(15, QStringLiteral("%1en speichern").arg(QString::fromUtf8("Terminänderung")));
  Hint(16, QStringLiteral("%1en verwerfen").arg(QString::fromUtf8("Terminänderung")));
  Hint(17, QString::fromUtf8("Tagesrouten für Navigationsgerät speichern"));
  Hint(19, QStringLiteral("%1 aktualisieren").arg("Kalenderanzeige"));
  Hint(20, "Startseite");
  for (int Number : {3, 4, 7, 8, 9, 10, 11, 17}) SpeedButton[Number]->setVisible(false);
  for (int Number : {13, 14, 15, 16}) SpeedButton[Number]->setEnabled(false);
}

TZEPRoutingForm::~TZEPRoutingForm() {
  FDestroying = true;
  Timer1->stop();
  QComboBox* List = Host.WorkspaceList();
  List->setCurrentIndex(-1);
  const int Entry = ListEntryIndex();
  if (Entry >= 0) List->removeItem(Entry);
  PFooterInfo.clear();
  ComboBox2->clear();
  ComboBox1->clear();
  PopupMenu.reset();
  TerminChanges.clear();
  // The pages may still answer scripts; nothing of them may reach a half-destroyed form.
  FDocument1->Detach();
  FDocument2->Detach();
  WebBrowser1->page()->disconnect(this);
  WebBrowser2->page()->disconnect(this);
  WebBrowser1->disconnect(this);
  WebBrowser2->disconnect(this);
  Routing.reset();
  Geocoding.reset();
  MapView.reset();
  MapServerData.reset();
}

int TZEPRoutingForm::ListEntryIndex() const {
  const QComboBox* List = Host.WorkspaceList();
  for (int Index = 0; Index < List->count(); ++Index)
    if (List->itemData(Index).value<quintptr>() == reinterpret_cast<quintptr>(&FormId))
      return Index;
  return -1;
}

void TZEPRoutingForm::RenameListEntry() {
  QComboBox* List = Host.WorkspaceList();
  const int Entry = ListEntryIndex();
  if (Entry < 0) return;
  List->setItemText(Entry, Caption);
  List->setCurrentIndex(Entry);
}

void TZEPRoutingForm::ShowCalendar(bool CalendarMode, bool) {
  CalendarPanel->setVisible(CalendarMode);
  BrowserPanel->setVisible(!CalendarMode);
  PFooterInfo.clear();
}

void TZEPRoutingForm::ShowStatus(const QString& Text, int Panel) {
  if (Panel == 0)
    StatusPanel0->SetText(Text);
  else
    StatusPanel1->setText(Text);
  if (!FDestroying) QApplication::processEvents();
}

QString TZEPRoutingForm::StatusText(int Panel) const {
  return Panel == 0 ? StatusPanel0->Text() : StatusPanel1->text();
}

void TZEPRoutingForm::ScheduleStep(int Step) {
  Timer1->stop();
  if (Step == 0) return;
  Timer1->setInterval(static_cast<int>(WaitAfterOptimizing) + Step);
  Timer1->start();
}

void TZEPRoutingForm::Timer1Timer() {
  Timer1->stop();
  const int Step = Timer1->interval() - static_cast<int>(WaitAfterOptimizing);
  if (RunDeferredStep) RunDeferredStep(*this, Step);
}

void TZEPRoutingForm::UpdateBrowserButtons() {
  const int Workflow = MapServerData->WorkflowId;
  SpeedButton[8]->setVisible(Workflow > 0);
  SpeedButton[11]->setVisible(Workflow > 0);
  SpeedButton[9]->setVisible(Workflow >= 1 && Workflow <= 49);
  SpeedButton[10]->setVisible(Workflow >= 1 && Workflow <= 49);
}

void TZEPRoutingForm::FormActivate() {
  UpdateBrowserButtons();
  RenameListEntry();
  if (Host.MapServer() && Geocoding) Host.MapServer()->ServeGeocoding(Geocoding.get());
}
