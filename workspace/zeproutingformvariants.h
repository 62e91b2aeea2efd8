#pragma once

#include "workspace/zeproutingform.h"

class QSplitter;
class QTabWidget;

// The workspace with the web or calendar view on one tab page and the map on the other.
class TZEPRoutingFormRegister : public TZEPRoutingForm {
 public:
  TZEPRoutingFormRegister(TWorkspaceHost& Host, QWidget* Parent);
  void ShowCalendar(bool CalendarMode, bool ShowMap) override;
  void SetActivePage(int Value) override;

  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* TabSheet2 = nullptr;

 protected:
  void ArrangePanels() override;
};

// The workspace with the web or calendar view beside the map.
class TZEPRoutingFormSplit : public TZEPRoutingForm {
 public:
  TZEPRoutingFormSplit(TWorkspaceHost& Host, QWidget* Parent);
  void SetActivePage(int) override {}

  QWidget* BasePanel = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* PanelLeft = nullptr;
  QWidget* PanelRight = nullptr;

 protected:
  void ArrangePanels() override;
};
