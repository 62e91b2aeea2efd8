#include <QMenu>

#include "map/clickinteractor.h"
#include "map/component/imapview.h"
#include "map/mapview.h"
#include "planning/mapserverdata.h"

namespace {
void AddEntry(QMenu* Menu, const QString& Text, int Command) {
  Menu->addAction(Text)->setData(Command);
}
}  // namespace

ComStatus TMapView::ContextMenuOpening(IMapView* View, QMenu* Menu) {
  if (View != m_MapView.get() || !Menu || !m_MapServerData || m_MapServerData->WorkflowId <= 0) {
    return ComStatus::Ok;
  }
  if (!Menu->actions().isEmpty()) Menu->removeAction(Menu->actions().first());
  AddMenuEntries(Menu);
  return ComStatus::Ok;
}

void TMapView::AddMenuEntries(QMenu* Menu) const {
  const int workflow = m_MapServerData->WorkflowId;
  const int items = StationList ? StationList->Count() : 0;
  const int stations = StationList ? StationList->StationCount() : 0;
  const QString start = QStringLiteral("Klickpunkt als Startpunkt festlegen");
  const QString finish = QStringLiteral("Klickpunkt als Zielpunkt festlegen");
  if (workflow == 1) {
    AddEntry(Menu, QStringLiteral("Klickpunkt als Auftragsort festlegen"), CmdSetOrderPlace);
  } else if (workflow == 14 || workflow == 16 || workflow == 50) {
    if (CanCalculate && items > 2) {
      AddEntry(Menu, start, CmdSetStart);
      AddEntry(Menu, finish, CmdSetFinish);
    }
  } else {
    AddEntry(Menu, QStringLiteral("Klickpunkt zur Stationsliste hinzufügen"), CmdAddStation);
    AddEntry(Menu, start, CmdSetStart);
    AddEntry(Menu, finish, CmdSetFinish);
  }
  if (CanCalculate && stations > 1) AddEntry(Menu, QStringLiteral("Route berechnen"), CmdCalculate);
  if (CanCalculate && stations > 2) AddEntry(Menu, QStringLiteral("Route optimieren"), CmdOptimize);
}

ComStatus TMapView::ContextMenuCommand(IMapView* View, int Command) {
  if (View != m_MapView.get()) return ComStatus::Ok;
  tagPOINT p;
  const bool clicked = m_ClickInteractor && m_ClickInteractor->GetRightClickPoint(p);
  switch (Command) {
    case CmdZoomIn:
      ZoomIn();
      break;
    case CmdZoomOut:
      ZoomOut();
      break;
    case CmdZoomTotal:
      ZoomTotal();
      break;
    case CmdAddStation:
    case CmdSetStart:
    case CmdSetFinish:
      if (clicked) SetStationFromMap(p.X, p.Y, Command - CmdAddStation);
      break;
    case CmdSetOrderPlace:
      if (!clicked) break;
      SetStationFromMap(p.X, p.Y, 0);
      if (StationList && StationList->Count() > 0 && UpdateUserRequestList) {
        if (const TStation* last = StationList->GetStation(StationList->Count() - 1)) {
          UpdateUserRequestList(last->Field(1));
        }
      }
      break;
    case CmdCalculate:
      CalculationProc ? CalculationProc(2) : (void)CalculateRoute(0);
      break;
    case CmdOptimize:
      OptimizingProc ? OptimizingProc(-1) : (void)CalculateRoute(1);
      break;
    default:
      break;
  }
  return ComStatus::Ok;
}
