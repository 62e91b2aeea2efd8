#include "shell/mainform.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "store/mapserverdb.h"
#include "widgets/splashscreen.h"
#include "workspace/zeproutingformvariants.h"

namespace {

constexpr int LastLayoutClass = 1001;
constexpr int MapPathClass = 1002;

}  // namespace

TMainForm::TMainForm(const QString& HomeURL, TServices Services)
    : FServices(std::move(Services)), FHomeURL(HomeURL) {
  if (!FServices.ShowErrorBox)
    FServices.ShowErrorBox = [](QWidget* Parent, const QString& Text) {
      QMessageBox::critical(Parent, QApplication::applicationName(), Text);
    };
  FormCreate();
}

void TMainForm::FormCreate() {
  AppStart = false;
  FChildCounter = 0;
  setObjectName("MainForm");
  CreateToolStrip();
  MdiArea = new QMdiArea(this);
  MdiArea->setObjectName("MdiArea");
  MdiArea->setBackground(palette().brush(QPalette::Dark));
  auto* Central = new QWidget(this);
  auto* Layout = new QVBoxLayout(Central);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  Layout->addWidget(Panel1);
  Layout->addWidget(MdiArea, 1);
  setCentralWidget(Central);
  connect(MdiArea, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* Window) {
    if (auto* Form = Window ? dynamic_cast<TZEPRoutingForm*>(Window->widget()) : nullptr)
      Form->FormActivate();
  });
  connect(ComboBox1, &QComboBox::activated, this, [this](int Index) { ComboBox1Change(Index); });
  try {
    StartUp();
  } catch (...) {
    FailStart("Fehler bei der Installation");
  }
}

void TMainForm::StartUp() {
  PlaceOnScreen();
  SpeedButton5->setVisible(AppStart);
  SpeedButton6->setVisible(AppStart);

  FMapServerDB = FServices.CreateMapServerDB ? FServices.CreateMapServerDB()
                                             : std::make_unique<TMapServerDB>();
  ReadMapPath();

  QApplication::setApplicationName("ZEPRouting");
  setWindowTitle(QApplication::applicationName());

  AdvSplashScreen1 = new TSplashScreen();
  AdvSplashScreen1->SetProgramName(QApplication::applicationName());
  AdvSplashScreen1->SetVersionLine(
      QStringLiteral("Version %1%2").arg(TSplashScreen::FileVersion(), " vom 06.09.2016"));
  AdvSplashScreen1->CloseWhenShown(this);
  AdvSplashScreen1->Show();
  AdvSplashScreen1->AddProgressLine("Initialisierung");
  AdvSplashScreen1->AddProgressLine("Zuordnung der Karte");

  if (FServices.CreateMapServer) FMapServer = FServices.CreateMapServer(FMapPath);
  if (!FMapServer) throw std::runtime_error("no map server");
  if (FMapServer->ErrorNr() == 0) {
    AppStart = true;
    FStartSucceeded = true;
  } else {
    AdvSplashScreen1->Hide();
    ShowErrorMsg(FMapServer->ErrorNr(), "Zuordnung der Karte");
  }
}

void TMainForm::FailStart(const QString& Text) {
  if (AdvSplashScreen1) AdvSplashScreen1->Hide();
  AppStart = false;
  FServices.ShowErrorBox(this, Text);
}

void TMainForm::ReadMapPath() {
  if (FMapServerDB->GetROData(MapPathClass, 2).isEmpty())
    FMapServerDB->SetROData(MapPathClass, 2, QString());
  FMapPath = FMapServerDB->GetROData(MapPathClass, 1);
  if (FMapPath.isEmpty()) FMapPath = FServices.MapPathDefault;
}

void TMainForm::PlaceOnScreen() {
  const QRect Area = QApplication::primaryScreen()->availableGeometry();
  setGeometry(Area.adjusted(10, 10, -10, -10));
}

QToolButton* TMainForm::StripButton(const QString& Name, int X, const QString& Hint) {
  auto* Button = new QToolButton(Panel1);
  Button->setObjectName(Name);
  Button->setGeometry(X, 2, 20, 20);
  Button->setAutoRaise(true);
  Button->setToolTip(Hint);
  return Button;
}

void TMainForm::CreateToolStrip() {
  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFixedHeight(24);
  const QString NewWindow = QString::fromUtf8("Neues Fenster mit Darstellung als %1");
  const QString Arrange = QString::fromUtf8("Fenster %1 anordnen");
  SpeedButton5 = StripButton("SpeedButton5", 10, NewWindow.arg("Registerkarten"));
  SpeedButton6 = StripButton("SpeedButton6", 35, NewWindow.arg("Split-Screen"));
  SpeedButton7 = StripButton("SpeedButton7", 70, Arrange.arg(QString::fromUtf8("übereinander")));
  SpeedButton8 = StripButton("SpeedButton8", 95, Arrange.arg("nebeneinander"));
  SpeedButton9 = StripButton("SpeedButton9", 120, Arrange.arg(QString::fromUtf8("überlappend")));
  SpeedButton5->setText(QString::fromUtf8("▭"));
  SpeedButton6->setText(QString::fromUtf8("◫"));
  SpeedButton7->setText(QString::fromUtf8("☰"));
  SpeedButton8->setText(QString::fromUtf8("▥"));
  SpeedButton9->setText(QString::fromUtf8("❐"));
  ComboBox1 = new QComboBox(Panel1);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setEditable(false);
  ComboBox1->setGeometry(150, 1, 480, 22);
  ComboBox1->setToolTip(QString::fromUtf8("Auswahl des aktiven Fensters"));
  connect(SpeedButton5, &QToolButton::clicked, this, [this] { OpenWorkspace(false); });
  connect(SpeedButton6, &QToolButton::clicked, this, [this] { OpenWorkspace(true); });
  connect(SpeedButton7, &QToolButton::clicked, this, [this] { ArrangeWorkspaces(7); });
  connect(SpeedButton8, &QToolButton::clicked, this, [this] { ArrangeWorkspaces(8); });
  connect(SpeedButton9, &QToolButton::clicked, this, [this] { ArrangeWorkspaces(9); });
}

void TMainForm::ShowErrorMsg(int ENr, const QString& EMsg) {
  const QString Message = EMsg.isEmpty() ? QStringLiteral("Sonstiger Fehler") : EMsg;
  FServices.ShowErrorBox(this, QStringLiteral("%1 %2: %3").arg("Fehler-Nr.").arg(ENr).arg(Message));
}

QSize TMainForm::ClientSize() const { return MdiArea->viewport()->size(); }

bool TMainForm::event(QEvent* Event) {
  const bool Result = QMainWindow::event(Event);
  if (Event->type() == QEvent::WindowActivate) FormActivate();
  return Result;
}

void TMainForm::FormActivate() {
  if (AppStart) {
    AppStart = false;
    SpeedButton5->setVisible(true);
    SpeedButton6->setVisible(width() > 1024);
    OpenWorkspace(FMapServerDB->GetROData(LastLayoutClass, 1) == QLatin1String("2"));
  }
  AppStart = false;
}

void TMainForm::OpenWorkspace(bool Split) {
  if (!FStartSucceeded) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ++FChildCounter;
  auto* Window = new QMdiSubWindow;
  Window->setAttribute(Qt::WA_DeleteOnClose);
  MdiArea->addSubWindow(Window);
  TZEPRoutingForm* Form;
  if (Split)
    Form = TZEPRoutingForm::Create<TZEPRoutingFormSplit>(*this, Window);
  else
    Form = TZEPRoutingForm::Create<TZEPRoutingFormRegister>(*this, Window);
  Window->setWidget(Form);
  Window->show();
  FMapServerDB->SetROData(LastLayoutClass, 1, Split ? QStringLiteral("2") : QStringLiteral("1"));
  QApplication::restoreOverrideCursor();
}

void TMainForm::ArrangeWorkspaces(int Button) {
  const QList<QMdiSubWindow*> Windows = MdiArea->subWindowList();
  if (Button == 9) {
    MdiArea->cascadeSubWindows();
    return;
  }
  const QRect Area = MdiArea->viewport()->rect();
  const int Count = static_cast<int>(Windows.size());
  for (int Index = 0; Index < Count; ++Index) {
    QMdiSubWindow* Window = Windows.at(Index);
    if (Window->isMinimized() || Window->isMaximized()) Window->showNormal();
    if (Button == 7)
      Window->setGeometry(0, Area.height() * Index / Count, Area.width(), Area.height() / Count);
    else
      Window->setGeometry(Area.width() * Index / Count, 0, Area.width() / Count, Area.height());
  }
}

void TMainForm::ComboBox1Change(int Index) {
  const quintptr Identity = ComboBox1->itemData(Index).value<quintptr>();
  for (QMdiSubWindow* Window : MdiArea->subWindowList(QMdiArea::CreationOrder)) {
    auto* Form = dynamic_cast<TZEPRoutingForm*>(Window->widget());
    if (!Form || reinterpret_cast<quintptr>(&Form->FormId) != Identity) continue;
    if (Window->isMinimized()) Window->showNormal();
    Window->show();
    MdiArea->setActiveSubWindow(Window);
    Window->raise();
    return;
  }
}

TMainForm::~TMainForm() {
  // Workspaces go first: they use the shared objects and the list until their last step.
  for (QMdiSubWindow* Window : MdiArea->subWindowList()) delete Window;
  delete AdvSplashScreen1;
  FMapServer.reset();
  FMapServerDB.reset();
}
