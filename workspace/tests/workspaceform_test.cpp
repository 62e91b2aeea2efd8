// The workspace window with a recording map server: creation, options, buttons, deferred
// steps and its entry in the main window's list.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>
#include <QWebEngineView>

#include "planning/mapserverdata.h"
#include "widgets/plannerwaitlist.h"
#include "workspace/tests/testhost.h"
#include "workspace/zeproutingformvariants.h"

namespace {

class WorkspaceForm : public ::testing::Test {
 protected:
  template <typename Variant = TZEPRoutingFormRegister>
  Variant* Open() {
    auto* Form = TZEPRoutingForm::Create<Variant>(Host);
    Forms << Form;
    ++Host.Counter;
    return Form;
  }
  void TearDown() override { qDeleteAll(Forms); }
  TTestHost Host;
  QList<TZEPRoutingForm*> Forms;
};

TEST_F(WorkspaceForm, CreationNumbersTheWorkspaceAndAddsAnEmptySelectedEntry) {
  Open();
  auto* Second = Open<TZEPRoutingFormSplit>();
  EXPECT_EQ(Second->FormId, "2");
  ASSERT_EQ(Host.List.count(), 2);
  EXPECT_EQ(Host.List.currentIndex(), 1);
  EXPECT_EQ(Host.List.itemText(1), "");
  EXPECT_EQ(Host.List.itemData(1).value<quintptr>(), reinterpret_cast<quintptr>(&Second->FormId));
  EXPECT_TRUE(Host.Calls.Log.contains("SelectInteractor(3)"));
  EXPECT_EQ(Second->SubmitMode, 0);
  EXPECT_TRUE(Second->WebBrowser2->isHidden());
}

TEST_F(WorkspaceForm, ControlsCarryTheirNamesHintsAndInitialStates) {
  auto* Form = Open();
  for (const char* Name : {"BrowserPanel",     "BrowserButtons",   "WebBrowser1",
                           "WebBrowser2",      "MapPanel",         "MapButtons",
                           "MapControl",       "CalendarPanel",    "CalendarButtons",
                           "CalendarOptions",  "CalendarSplitter", "Planner1",
                           "PlannerWaitList1", "PlannerWaitList2", "StatusBar1",
                           "Timer1",           "MonthCalendar1",   "Edit1",
                           "GroupBox1",        "RadioGroup3",      "CheckBox6",
                           "PageControl1",     "TabSheet2"})
    EXPECT_NE(Form->findChild<QObject*>(Name), nullptr) << Name;
  for (int Number = 1; Number <= 20; ++Number)
    EXPECT_EQ(Form->SpeedButton[Number]->objectName(), QStringLiteral("SpeedButton%1").arg(Number));
  EXPECT_EQ(Form->SpeedButton[9]->toolTip(), QString::fromUtf8("Seite zurück"));
  EXPECT_EQ(Form->SpeedButton[15]->toolTip(), QString::fromUtf8("Terminänderungen speichern"));
  EXPECT_EQ(Form->SpeedButton[19]->toolTip(), "Kalenderanzeige aktualisieren");
  for (int Number : {3, 4, 7, 8, 9, 10, 11, 17}) EXPECT_TRUE(Form->SpeedButton[Number]->isHidden());
  for (int Number : {13, 14, 15, 16}) EXPECT_FALSE(Form->SpeedButton[Number]->isEnabled());
  EXPECT_EQ(Form->Label4->text(), "Suche von Kalendereinträgen:");
  EXPECT_TRUE(Form->CalendarPanel->isHidden());
  auto* Tabs = static_cast<TZEPRoutingFormRegister*>(Form)->PageControl1;
  EXPECT_EQ(Tabs->tabText(0), "Datenansicht");
  EXPECT_EQ(Tabs->tabText(1), "Karte");
}

TEST_F(WorkspaceForm, OptionsStartFromTheSettingsWithoutRunningTheirHandlers) {
  const struct {
    QString Grid;
    int Index;
  } Cases[] = {{"", 1}, {"abc", 1}, {"4", 4}, {"0", 0}, {"6", 1}, {"-1", 1}};
  for (const auto& Case : Cases) {
    Host.Store->SetROData(1011, 1, "X");
    Host.Store->SetROData(1012, 1, "");
    Host.Store->SetROData(1018, 1, Case.Grid);
    auto* Form = Open();
    EXPECT_TRUE(Form->CheckBox[1]->isChecked());
    EXPECT_FALSE(Form->CheckBox[2]->isChecked());
    EXPECT_FALSE(Form->CheckBox[5]->isChecked());
    EXPECT_EQ(Form->RadioGroup1Items->checkedId(), Case.Index) << Case.Grid.toStdString();
    EXPECT_EQ(Host.Store->GetROData(1018, 1), Case.Grid);  // nothing stored back
  }
}

TEST_F(WorkspaceForm, ClicksStoreTheOptions) {
  Host.Store->SetROData(1013, 1, "");
  auto* Form = Open();
  Form->show();
  Form->CheckBox[3]->click();
  EXPECT_EQ(Host.Store->GetROData(1013, 1), "X");
  Form->CheckBox[3]->click();
  EXPECT_EQ(Host.Store->GetROData(1013, 1), "");
  Form->RadioGroup1Items->button(4)->click();
  EXPECT_EQ(Host.Store->GetROData(1018, 1), "4");
  Form->CheckBox[5]->click();
  EXPECT_FALSE(Form->PlannerWaitList1->isHidden());
  EXPECT_EQ(Host.Store->GetROData(1015, 1), "");
}

TEST_F(WorkspaceForm, BrowserButtonsFollowTheWorkflow) {
  auto* Form = Open();
  const struct {
    int Workflow;
    bool HomeAndRefresh;
    bool BackAndForward;
  } Cases[] = {{-1, false, false}, {0, false, false}, {1, true, true},
               {12, true, true},   {49, true, true},  {50, true, false}};
  for (const auto& Case : Cases) {
    Form->MapServerData->WorkflowId = Case.Workflow;
    Form->UpdateBrowserButtons();
    EXPECT_EQ(!Form->SpeedButton[8]->isHidden(), Case.HomeAndRefresh) << Case.Workflow;
    EXPECT_EQ(!Form->SpeedButton[11]->isHidden(), Case.HomeAndRefresh) << Case.Workflow;
    EXPECT_EQ(!Form->SpeedButton[9]->isHidden(), Case.BackAndForward) << Case.Workflow;
    EXPECT_EQ(!Form->SpeedButton[10]->isHidden(), Case.BackAndForward) << Case.Workflow;
  }
}

TEST_F(WorkspaceForm, OnlyTheLastScheduledStepRunsAndZeroCancels) {
  auto* Form = Open();
  QList<int> Steps;
  Form->RunDeferredStep = [&](TZEPRoutingForm&, int Step) { Steps << Step; };
  Form->ScheduleStep(2);
  Form->ScheduleStep(3);
  EXPECT_TRUE(WaitFor([&] { return !Steps.isEmpty(); }));
  EXPECT_EQ(Steps, QList<int>{3});
  Form->ScheduleStep(1);
  Form->ScheduleStep(0);
  EXPECT_FALSE(Form->Timer1->isActive());
  Form->WaitAfterOptimizing = 5;
  Form->ScheduleStep(4);
  EXPECT_EQ(Form->Timer1->interval(), 9);
  EXPECT_TRUE(WaitFor([&] { return Steps.size() == 2; }));
  EXPECT_EQ(Steps.last(), 4);
}

TEST_F(WorkspaceForm, ClosingRemovesExactlyItsOwnEntry) {
  Open();
  auto* Second = Open();
  auto* Third = Open();
  Host.List.setCurrentIndex(2);
  Forms.removeOne(Second);
  delete Second;
  ASSERT_EQ(Host.List.count(), 2);
  EXPECT_EQ(Host.List.itemData(1).value<quintptr>(), reinterpret_cast<quintptr>(&Third->FormId));
  EXPECT_EQ(Host.List.currentIndex(), -1);
}

TEST_F(WorkspaceForm, ActivationSelectsTheEntryAndLendsItsGeocodingToTheDialog) {
  auto* First = Open();
  Open();
  First->FormActivate();
  EXPECT_EQ(Host.List.currentIndex(), 0);
  EXPECT_EQ(Host.Server.Served, First->Geocoding.get());
}

TEST_F(WorkspaceForm, ARoutingAdapterThatFailsIsReportedAndDiscarded) {
  Host.Calls.RoutingErrorNr = 31;
  auto* Form = Open();
  EXPECT_EQ(Host.Errors, QStringList{"31:Erstellung der Routenliste"});
  EXPECT_EQ(Form->Routing, nullptr);
}

TEST_F(WorkspaceForm, CalendarModeSwapsTheViewsAndNamesTheTab) {
  auto* Form = Open();
  Form->ShowCalendar(true, true);
  auto* Tabs = static_cast<TZEPRoutingFormRegister*>(Form)->PageControl1;
  EXPECT_FALSE(Form->CalendarPanel->isHidden());
  EXPECT_TRUE(Form->BrowserPanel->isHidden());
  EXPECT_EQ(Tabs->tabText(0), "Personaleinsatzplanung");
  EXPECT_EQ(Tabs->currentIndex(), 1);
  Form->ShowCalendar(false, false);
  EXPECT_EQ(Tabs->tabText(0), "Datenansicht");
  EXPECT_EQ(Tabs->currentIndex(), 0);
}

TEST_F(WorkspaceForm, ShowStatusPaintsAtOnce) {
  auto* Form = Open();
  Form->ShowStatus("42", 0);
  Form->ShowStatus("Geocodierung", 1);
  EXPECT_EQ(Form->StatusText(0), "42");
  EXPECT_EQ(Form->StatusText(1), "Geocodierung");
  Form->MapServerData->SetStatusText("vom Hub", 1);
  EXPECT_EQ(Form->StatusText(1), "vom Hub");
}

}  // namespace
