#pragma once

#include <QString>
#include <memory>

#include "map/component/comtypes.h"
#include "map/component/ieditor.h"
#include "map/meattributes.h"

class IMapModel;
class IMapView;
class TMapView;

// The editor layer of a map view for station markers: creates the layer, inserts, replaces,
// deletes and selects objects, and hands selections made with the mouse to its map view.
class TMapEditor : public ISelectionNotice {
 public:
  // Owner may be null; a map view owner is told of selection changes.
  explicit TMapEditor(TMapView* AOwner);
  ~TMapEditor() override;

  void CreateMapEditor(std::shared_ptr<IMapModel> MapModel, std::shared_ptr<IMapView> MapView,
                       const QString& LName);
  void DestroyMapEditor();
  bool CreateLayer();
  bool DeleteLayer();

  int InsertObject(const TPoint& P, int Shape, const QString& Text, const QString& Beschreibung,
                   int Color, int RTyp);
  bool UpdateObject(int MEId, const TPoint& P, int Shape, const QString& Text,
                    const QString& Beschreibung, int Color, int RTyp);
  bool DeleteObject(int Id, int RTyp);
  bool DeleteAllObjects(int RTyp);
  bool SelectObject(int ID, int SelectMode, bool RefreshMap);

  IMEView* GetMEView() const;
  void SetObjectSize(int Width, int Height, int Offset);
  void SetLayerName(const QString& NewName);
  QString GetLayerNames(int LayerNr) const;
  void ShowObjectText(const QString& LName, bool Show);
  bool SetSpiderSearch(const TPoint& P, int Radius, int MaxResult, QVariant& varResult);
  bool ResetSpiderSearch();

  // The selection notice of the layer.
  ComStatus SelectionChanged(const QString& Name) override;

  std::shared_ptr<IMapView> m_mapView;
  std::shared_ptr<IMapModel> m_MapModel;
  std::shared_ptr<IMEModel> m_MEModel;
  std::shared_ptr<IMEPresenter3> m_MEPresenter;
  std::shared_ptr<INotificationSet2> m_Selection;
  int CWidth = 10;
  int CHeight = 10;
  int COffset = 0;
  QString MEPraefix = QStringLiteral("MapEdit ");
  QString LayerName = QStringLiteral("Objekte");
  QString VisibleName;
  QString DBPath;
  QString ObjectGroup = QStringLiteral("Objekte");

 private:
  IMEView* FindLayer(const QString& Name, bool ByDisplayName) const;
  QString SelectionName() const;
  bool Attributes(const TPoint& P, int Shape, const QString& Text, const QString& Beschreibung,
                  int Color, MEAttributes& Out) const;

  TMapView* m_Owner;
  std::shared_ptr<INotificationManager> m_NotificationManager;
};
