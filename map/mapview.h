#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <memory>

#include "base/datetime.h"
#include "base/stringlist.h"
#include "map/component/comtypes.h"
#include "map/component/imapviewevents.h"
#include "map/mapviewlinks.h"

class ILocator;
class IMapModel;
class IMapPresenter;
class IMapView;
class QMenu;
class QObject;
class QPainter;
class QPrinter;
class QWidget;
class TClickInteractor;
class TMapEditor;
class TMapServerData;
class TStation;
class TStationList;

// Geometry of the title box in the upper left corner for a title of TextWidth x TextHeight
// pixels: the box from (15, 15) to Box's far corner (exclusive), the text at TextAt.
struct TTitleBox {
  QRect Box;
  QPoint TextAt;
};
TTitleBox TitleBoxGeometry(int TextWidth, int TextHeight);

// One map window of a workspace or dialog: loads the map, draws into a host widget, sets the
// section, zooms, rotates, prints and saves the map as a picture; puts the stations of the
// hub's station list on its editor layer, keeps the selected stations, writes the station
// information and offers the map's context menu.
class TMapView : public IMapViewEvents {
 public:
  // Context menu commands.
  static constexpr int CmdZoomIn = 550;
  static constexpr int CmdZoomOut = 551;
  static constexpr int CmdZoomTotal = 552;
  static constexpr int CmdAddStation = 555;
  static constexpr int CmdSetStart = 556;
  static constexpr int CmdSetFinish = 557;
  static constexpr int CmdSetOrderPlace = 558;
  static constexpr int CmdCalculate = 560;
  static constexpr int CmdOptimize = 561;
  // Colour value of an order marker without symbol picture.
  static constexpr int NoSymbolColor = 0x20000000;

  explicit TMapView(QObject* AOwner);
  ~TMapView() override;
  TMapView(const TMapView&) = delete;
  TMapView& operator=(const TMapView&) = delete;

  // ---- map ----
  void SetMapServerData(TMapServerData* Data);
  void SetGeocoding(IMapViewGeocoding* AGeocoding) { Geocoding = AGeocoding; }
  int CreateMapView(QWidget* FormMapControl, const QString& MapRootPath);
  std::shared_ptr<IMapView> GetIMapView() const { return m_MapView; }
  void SelectInteractor(int SelectMode);
  TMapEditor* CreateMapEditor(const QString& LName);
  TRect GetMapRect() const { return m_LogicalMapRect; }
  bool SetMapRect(int Left, int Right, int Top, int Bottom);
  bool SetMapRect(const QStringList& Strings);
  bool SetMapRect(const TStationList& AStationList);
  bool ZoomIn();
  bool ZoomOut();
  bool ZoomTotal();
  void RefreshMap();
  void SetMapRotation(double Rotation);
  bool ExportMap(const QString& JPGFile, int Width, int Height, double Rotation);
  bool PrintMap(int Anz);
  // The printer PrintMap uses; none means the default printer. Not owned.
  void SetPrinter(QPrinter* APrinter) { m_Printer = APrinter; }
  TClickInteractor* ClickInteractor() const { return m_ClickInteractor; }

  // ---- stations ----
  int SetStationInMap(TStation* AStation, int Shape, int Color, const QString& StationTitle);
  void SetStationsInMap(int Shape, int Color, const QString& StationTitles);
  void SetStationFromMap(int x, int y, int Mode);
  void DeleteStation(int SNr);
  void DeleteAllStations();
  void DeleteStationsFromMapView(bool VisibleStations, bool MarkOnly, bool OptAssistMode);
  bool StationVisibleInMap(int SNr) const;
  int StationCountInMap() const;
  void SetStationInfo();
  bool SetMEObject(int X, int Y, const QString& AText, const QString& ATitle, int Shape, int Color);
  bool UpdateMEObject(int ID, int X, int Y, const QString& AText, const QString& ATitle, int Shape,
                      int Color);
  bool DeleteMEObject(int ID);
  bool SelectMEObject(int ID, int SelectMode, bool RefreshMap);
  int GetMEId(int AId) const;
  bool SelectStation(int AId, int SelectMode);
  void OnMapSelectionChanged(const QString& MEIdList);
  bool CalculateRoute(int OptMode);
  bool OptimizeStationList(bool MapUpdate, quint8 FProfilMode, quint8 TimeFactor);

  // ---- map view events ----
  ComStatus SectionChanged(int Left, int Top, int Right, int Bottom) override;
  ComStatus ContextMenuOpening(IMapView* View, QMenu* Menu) override;
  ComStatus ContextMenuCommand(IMapView* View, int Command) override;
  ComStatus DrawingFinished(IMapView* View, QPainter* Painter) override;

  std::shared_ptr<IMapPresenter> m_MapPresenter;
  std::shared_ptr<ILocator> m_Locator;
  std::shared_ptr<IMapModel> m_MapModel;
  std::shared_ptr<IMapView> m_MapView;
  int m_MapCookie = 0;
  TStationList* StationList = nullptr;
  IMapViewGeocoding* Geocoding = nullptr;
  std::unique_ptr<TMapEditor> MapEditor;
  // Made by the routing adapter's side (it creates TRouting over m_MapModel and m_MapView).
  std::unique_ptr<IMapViewRouting> Routing;
  TClickInteractor* m_ClickInteractor = nullptr;
  TRect m_LogicalMapRect;
  TMapServerData* m_MapServerData = nullptr;
  QString MapTitle;
  QString PrintingTitle;
  QString PrintingHeader;
  bool ShowStationCount = false;
  bool CanCalculate = false;
  bool SelectionMode = false;
  TDateTime SelectedStationsStayTime;
  std::function<void()> AfterSelectionChangedProc;
  std::function<void(int)> OptimizingProc;
  std::function<void(quint8)> CalculationProc;
  std::unique_ptr<TStringList> SelectedStationList;
  std::function<void(const QString&)> UpdateUserRequestList;

 private:
  int JoinView(QWidget* FormMapControl);
  void SetUpInteractors();
  void DrawTitle(QPainter& Painter) const;
  void ShowStatus(const QString& Text, int Panel) const;
  void RemoveMarker(TStation* AStation);
  void AddMenuEntries(QMenu* Menu) const;
  bool PrintPages(QPrinter& Printer, int Anz);

  QPrinter* m_Printer = nullptr;
};
