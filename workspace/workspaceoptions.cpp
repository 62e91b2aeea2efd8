// The option controls of the calendar area, bound to settings records of the local store.
#include <QButtonGroup>
#include <QCheckBox>
#include <QToolButton>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

#include "store/mapserverdb.h"
#include "widgets/planner.h"
#include "widgets/plannerwaitlist.h"
#include "workspace/workspacehost.h"
#include "workspace/zeproutingform.h"

namespace {

// Settings class of CheckBox1 … CheckBox6; 0 for the one that is not stored.
constexpr int CheckBoxClass[7] = {0, 1011, 1012, 1013, 1014, 0, 1016};
constexpr int TimeGridClass = 1018;

}  // namespace

void TZEPRoutingForm::SetOptionsFromSettings() {
  TMapServerDB* Store = Host.MapServerDB();
  for (int Number = 1; Number <= 6; ++Number) {
    const int Class = CheckBoxClass[Number];
    CheckBox[Number]->setChecked(Class != 0 && Store && !Store->GetROData(Class, 1).isEmpty());
  }
  bool IsNumber = false;
  int GridIndex = Store ? Store->GetROData(TimeGridClass, 1).toInt(&IsNumber) : 0;
  if (!IsNumber || !RadioGroup1Items->button(GridIndex)) GridIndex = 1;
  RadioGroup1Items->button(GridIndex)->setChecked(true);
  RadioGroup2Items->button(0)->setChecked(true);
  RadioGroup3Items->button(0)->setChecked(true);
}

// Handlers come after the initial states, so that setting those runs none of them.
void TZEPRoutingForm::AttachHandlers() {
  for (int Number = 1; Number <= 6; ++Number)
    connect(CheckBox[Number], &QCheckBox::clicked, this,
            [this, Number] { CheckBox1Click(Number); });
  for (QButtonGroup* Group : {RadioGroup1Items, RadioGroup2Items, RadioGroup3Items})
    connect(Group, &QButtonGroup::idClicked, this, [this, Group] { RadioGroup1Click(Group); });
  for (int Number : {1, 2})
    connect(SpeedButton[Number], &QToolButton::clicked, this,
            [this, Number] { SpeedButton1Click(Number); });
  for (int Number : {3, 4})
    connect(SpeedButton[Number], &QToolButton::clicked, this,
            [this, Number] { SpeedButton3Click(Number); });
  connect(SpeedButton[7], &QToolButton::clicked, this, [this] { SpeedButton7Click(); });
  for (int Number : {8, 9, 10, 11, 19, 20})
    connect(SpeedButton[Number], &QToolButton::clicked, this,
            [this, Number] { SpeedButton8Click(Number); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  connect(WebBrowser1, &QWebEngineView::loadProgress, this,
          [this](int Percent) { WebBrowser1ProgressChange(Percent); });
  connect(WebBrowser1->page(), &QWebEnginePage::loadingChanged, this,
          [this](const QWebEngineLoadingInfo& Info) { WebBrowser1LoadingChanged(Info); });
  connect(WebBrowser1, &QWebEngineView::loadFinished, this,
          [this] { WebBrowser1DocumentComplete(); });
  connect(WebBrowser2, &QWebEngineView::loadFinished, this,
          [this](bool Ok) { WebBrowser2DocumentComplete(Ok); });
}

void TZEPRoutingForm::CheckBox1Click(int Number) {
  QCheckBox* Box = CheckBox[Number];
  if (Number == 5) {
    PlannerWaitList1->setVisible(Box->isChecked());
  } else if (TMapServerDB* Store = Host.MapServerDB()) {
    Store->SetROData(CheckBoxClass[Number], 1, Box->isChecked() ? QStringLiteral("X") : QString());
  }
  Planner1->setFocus();
}

void TZEPRoutingForm::RadioGroup1Click(QButtonGroup* Group) {
  if (Group != RadioGroup1Items) return;
  if (TMapServerDB* Store = Host.MapServerDB())
    Store->SetROData(TimeGridClass, 1, QString::number(RadioGroup1Items->checkedId()));
}

void TZEPRoutingForm::SpeedButton1Click(int Number) {
  if (!MapView) return;
  if (Number == 1)
    MapView->ZoomIn();
  else
    MapView->ZoomOut();
}

void TZEPRoutingForm::SpeedButton8Click(int Number) {
  if (Number == 8 || Number == 20) {
    NavigateHome();
  } else if (Number == 9) {
    NavigateBack();
  } else if (Number == 10) {
    NavigateForward();
  } else {
    // Cut appointments not yet pasted are dropped before the view is refreshed.
    PlannerWaitList2->Items().ClearAll();
    RefreshData();
  }
}
