#include "workspace/zeproutingformvariants.h"

#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QWidget* Filled(QWidget* Holder, std::initializer_list<QWidget*> Panels) {
  auto* Layout = new QVBoxLayout(Holder);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  for (QWidget* Panel : Panels) Layout->addWidget(Panel);
  return Holder;
}

QWidget* Named(QWidget* Widget, const QString& Name) {
  Widget->setObjectName(Name);
  return Widget;
}

}  // namespace

TZEPRoutingFormRegister::TZEPRoutingFormRegister(TWorkspaceHost& Host, QWidget* Parent)
    : TZEPRoutingForm(Host, Parent) {}

void TZEPRoutingFormRegister::ArrangePanels() {
  PageControl1 = new QTabWidget(Content());
  PageControl1->setObjectName("PageControl1");
  PageControl1->setDocumentMode(true);
  TabSheet1 = Filled(Named(new QWidget, "TabSheet1"), {BrowserPanel, CalendarPanel});
  TabSheet2 = Filled(Named(new QWidget, "TabSheet2"), {MapPanel});
  PageControl1->addTab(TabSheet1, "Datenansicht");
  PageControl1->addTab(TabSheet2, "Karte");
  PageControl1->setCurrentIndex(0);
  CalendarPanel->hide();
  Filled(Content(), {PageControl1});
}

void TZEPRoutingFormRegister::ShowCalendar(bool CalendarMode, bool ShowMap) {
  TZEPRoutingForm::ShowCalendar(CalendarMode, ShowMap);
  PageControl1->setTabText(0, CalendarMode ? "Personaleinsatzplanung" : "Datenansicht");
  SetActivePage(ShowMap ? 1 : 0);
}

void TZEPRoutingFormRegister::SetActivePage(int Value) { PageControl1->setCurrentIndex(Value); }

TZEPRoutingFormSplit::TZEPRoutingFormSplit(TWorkspaceHost& Host, QWidget* Parent)
    : TZEPRoutingForm(Host, Parent) {}

void TZEPRoutingFormSplit::ArrangePanels() {
  BasePanel = Named(new QWidget(Content()), "BasePanel");
  Splitter1 = new QSplitter(Qt::Horizontal, BasePanel);
  Splitter1->setObjectName("Splitter1");
  PanelLeft = Filled(Named(new QWidget, "PanelLeft"), {BrowserPanel, CalendarPanel});
  PanelRight = Filled(Named(new QWidget, "PanelRight"), {MapPanel});
  Splitter1->addWidget(PanelLeft);
  Splitter1->addWidget(PanelRight);
  // The left pane keeps 0.6 of the width however the window is sized, until the user moves
  // the splitter.
  const int LeftWidth = static_cast<int>(0.6 * width());
  Splitter1->setSizes({LeftWidth, width() - LeftWidth});
  Splitter1->setStretchFactor(0, 3);
  Splitter1->setStretchFactor(1, 2);
  CalendarPanel->hide();
  Filled(BasePanel, {Splitter1});
  Filled(Content(), {BasePanel});
}
