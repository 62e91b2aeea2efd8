// The main window with a recording map server: start-up, first activation, opening and
// picking workspaces, numbered errors and the failed start.
#include "shell/mainform.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

#include "store/mapserverdb.h"
#include "workspace/tests/fakemap.h"
#include "workspace/zeproutingformvariants.h"

namespace {

class MainForm : public ::testing::Test {
 protected:
  std::unique_ptr<TMainForm> Start(int MapErrorNr = 0, bool Raise = false) {
    Calls.ServerErrorNr = MapErrorNr;
    TMainForm::TServices Services;
    Services.CreateMapServer = [this, Raise](const QString& MapPath) {
      if (Raise) throw std::runtime_error("kein Kartenmodul");
      MapPathSeen = MapPath;
      return std::unique_ptr<TWorkspaceMapServer>(std::make_unique<TFakeMapServer>(Calls));
    };
    Services.ShowErrorBox = [this](QWidget*, const QString& Text) { Boxes << Text; };
    Services.MapPathDefault = "/karten/demo";
    return std::make_unique<TMainForm>(QString(), std::move(Services));
  }
  static QList<TZEPRoutingForm*> Workspaces(TMainForm& Main) {
    QList<TZEPRoutingForm*> Forms;
    for (QMdiSubWindow* Window : Main.MdiArea->subWindowList(QMdiArea::CreationOrder))
      Forms << dynamic_cast<TZEPRoutingForm*>(Window->widget());
    return Forms;
  }
  // Settings as a previous run left them; the store is the one file of this test process.
  static void Store(int Class, const QString& Value) { TMapServerDB().SetROData(Class, 1, Value); }

  TMapCalls Calls;
  QStringList Boxes;
  QString MapPathSeen;
};

TEST_F(MainForm, NumberedErrorsReadAsFehlerNr) {
  auto Main = Start();
  Main->ShowErrorMsg(3, "Zuordnung der Karte");
  Main->ShowErrorMsg(7, "");
  EXPECT_EQ(Boxes,
            (QStringList{"Fehler-Nr. 3: Zuordnung der Karte", "Fehler-Nr. 7: Sonstiger Fehler"}));
}

TEST_F(MainForm, StartUpReadsTheMapPathAndHidesTheOpenButtons) {
  Store(1002, "");
  auto Main = Start();
  EXPECT_EQ(MapPathSeen, "/karten/demo");
  EXPECT_TRUE(Main->SpeedButton5->isHidden());
  EXPECT_TRUE(Main->SpeedButton6->isHidden());
  EXPECT_EQ(Main->SpeedButton7->toolTip(), QString::fromUtf8("Fenster übereinander anordnen"));
  EXPECT_EQ(Main->SpeedButton6->toolTip(), "Neues Fenster mit Darstellung als Split-Screen");
  EXPECT_EQ(Main->ComboBox1->toolTip(), "Auswahl des aktiven Fensters");
  Store(1002, "/karten/bayreuth");
  auto Second = Start();
  EXPECT_EQ(MapPathSeen, "/karten/bayreuth");
  Store(1002, "");
}

TEST_F(MainForm, FirstActivationOpensTheStoredLayoutOnce) {
  const struct {
    QString Stored;
    int Width;
    bool Split;
    bool SplitButton;
  } Cases[] = {{"", 1200, false, true}, {"1", 1200, false, true}, {"x", 1025, false, true},
               {"2", 1200, true, true}, {"2", 1024, true, false}, {"2", 900, true, false}};
  for (const auto& Case : Cases) {
    Store(1001, Case.Stored);
    auto Main = Start();
    Main->resize(Case.Width, 700);
    Main->FormActivate();
    Main->FormActivate();  // coming back to the window later opens nothing
    const QList<TZEPRoutingForm*> Forms = Workspaces(*Main);
    ASSERT_EQ(Forms.size(), 1) << Case.Stored.toStdString();
    EXPECT_EQ(dynamic_cast<TZEPRoutingFormSplit*>(Forms.first()) != nullptr, Case.Split);
    EXPECT_FALSE(Main->SpeedButton5->isHidden());
    EXPECT_EQ(!Main->SpeedButton6->isHidden(), Case.SplitButton) << Case.Width;
    EXPECT_EQ(TMapServerDB().GetROData(1001, 1), Case.Split ? "2" : "1");
  }
}

TEST_F(MainForm, WorkspaceNumbersAreNeverReused) {
  auto Main = Start();
  Main->OpenWorkspace(false);
  Main->OpenWorkspace(true);
  Main->OpenWorkspace(false);
  delete Main->MdiArea->subWindowList(QMdiArea::CreationOrder).at(1);
  EXPECT_EQ(Main->ChildCounter(), 3);
  Main->OpenWorkspace(false);
  const QList<TZEPRoutingForm*> Forms = Workspaces(*Main);
  ASSERT_EQ(Forms.size(), 3);
  EXPECT_EQ(Forms.last()->FormId, "4");
  EXPECT_EQ(Main->ComboBox1->count(), 3);
}

TEST_F(MainForm, PickingAMinimisedWorkspaceRestoresAndActivatesIt) {
  auto Main = Start();
  Main->show();
  Main->OpenWorkspace(false);
  Main->OpenWorkspace(false);
  QList<QMdiSubWindow*> Windows = Main->MdiArea->subWindowList(QMdiArea::CreationOrder);
  Windows.first()->showMinimized();
  Main->MdiArea->setActiveSubWindow(Windows.last());
  Main->ComboBox1Change(0);
  EXPECT_FALSE(Windows.first()->isMinimized());
  EXPECT_EQ(Main->MdiArea->activeSubWindow(), Windows.first());
}

TEST_F(MainForm, ArrangingPlacesEveryWorkspaceInsideTheFrame) {
  auto Main = Start();
  Main->resize(1200, 800);
  Main->show();
  Main->OpenWorkspace(false);
  Main->OpenWorkspace(false);
  const QRect Area = Main->MdiArea->viewport()->rect();
  Main->ArrangeWorkspaces(7);
  QList<QMdiSubWindow*> Windows = Main->MdiArea->subWindowList();
  EXPECT_EQ(Windows.at(0)->width(), Area.width());
  EXPECT_EQ(Windows.at(1)->y(), Area.height() / 2);
  Main->ArrangeWorkspaces(8);
  EXPECT_EQ(Windows.at(1)->x(), Area.width() / 2);
  EXPECT_EQ(Windows.at(0)->height(), Area.height());
}

TEST_F(MainForm, AFailedStartOpensNothing) {
  auto Main = Start(3);
  EXPECT_EQ(Boxes, QStringList{"Fehler-Nr. 3: Zuordnung der Karte"});
  Main->FormActivate();
  EXPECT_TRUE(Workspaces(*Main).isEmpty());
  EXPECT_TRUE(Main->SpeedButton5->isHidden());
  EXPECT_TRUE(Main->SpeedButton6->isHidden());

  Boxes.clear();
  auto Broken = Start(0, true);
  EXPECT_EQ(Boxes, QStringList{"Fehler bei der Installation"});
  Broken->FormActivate();
  EXPECT_TRUE(Workspaces(*Broken).isEmpty());
}

}  // namespace
