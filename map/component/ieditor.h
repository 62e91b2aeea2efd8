#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

#include "map/component/comstatus.h"
#include "map/component/ilayerpresenter.h"

// One (key, value) pair of an object's attribute array. Keys are small integers; an empty
// text as key carries one coordinate value (x and y alternate). Fixed keys: 3 colour,
// 7 group, 8 description, 9 text, 15 picture file, 19 shape, 20 anchor point follows (value
// 22), 21 that many points follow.
struct MEAttribute {
  QVariant Key;
  QVariant Value;
};
using MEAttributes = QList<MEAttribute>;

// The object store of an editor layer. RTyp tags an object's kind; deleting with RTyp 0
// matches every kind. An emptied layer numbers its next objects 1, 2, 3, … again.
class IMEModel {
 public:
  virtual ~IMEModel() = default;
  virtual ComStatus InsertObject(const MEAttributes& Attributes, int RTyp, int& Id) = 0;
  virtual ComStatus UpdateObject(int Id, const MEAttributes& Attributes, int RTyp) = 0;
  virtual ComStatus DeleteObject(int Id, int RTyp) = 0;
  virtual ComStatus DeleteAllObjects(int RTyp) = 0;
  virtual int ObjectCount() const = 0;
};

// An editor layer as the map shows it.
class IMEView {
 public:
  virtual ~IMEView() = default;
  // The layer's name; the map knows it as "MapEdit " + name.
  virtual QString Name() const = 0;
  virtual QString DisplayName() const = 0;
  virtual ComStatus SetDisplayName(const QString& Name) = 0;
  // Object texts on or off, shown up to MaxUnitsPerPixel map units per pixel.
  virtual ComStatus ShowObjectTexts(bool Show, double MaxUnitsPerPixel) = 0;
};

// Makes, opens and removes an editor layer and draws it; added to a view's layer presenters.
class IMEPresenter3 : public ILayerPresenter {
 public:
  // Joins the presenter to the view that draws it (and whose model names the layer).
  virtual ComStatus SetMapView(const std::shared_ptr<class IMapView>& View) = 0;
  virtual ComStatus CreateMemoryLayer(const QString& Name, const QString& VisibleName,
                                      int Flags) = 0;
  // Opens a layer kept in a file; fails when there is none or it is not readable.
  virtual ComStatus OpenLayer(const QString& FilePath, int Flags) = 0;
  virtual ComStatus CreatePersistentLayer(const QString& Name, const QString& VisibleName,
                                          const QString& FilePath, int Flags) = 0;
  virtual ComStatus GetModel(std::shared_ptr<IMEModel>& Model) = 0;
  // FullName "MapEdit " + name; the presenter leaves the view.
  virtual ComStatus RemoveLayer(const QString& FullName) = 0;
};

// Told when the selection registered under a name changes through the mouse.
class ISelectionNotice {
 public:
  virtual ~ISelectionNotice() = default;
  virtual ComStatus SelectionChanged(const QString& Name) = 0;
};

// The selected objects of one layer, by identifier, positions counting from 1. Changes made
// through these calls tell nobody; changes made on the map tell the registered handler once.
class INotificationSet2 {
 public:
  virtual ~INotificationSet2() = default;
  virtual int Count() const = 0;
  virtual ComStatus Item(int Position, int& Id) const = 0;
  virtual bool Contains(int Id) const = 0;
  virtual ComStatus Add(int Id) = 0;
  virtual ComStatus Remove(int Id) = 0;
  virtual ComStatus Toggle(int Id) = 0;
  // Only Id stays selected.
  virtual ComStatus SelectOnly(int Id) = 0;
  virtual ComStatus Clear() = 0;
};

// Hands out selection sets by name ("<model name>:MapEdit <layer>"); the layer with that
// full name uses the same set.
class INotificationManager {
 public:
  virtual ~INotificationManager() = default;
  virtual ComStatus Register(const QString& Name, ISelectionNotice* Handler,
                             std::shared_ptr<INotificationSet2>& Set) = 0;
  virtual ComStatus Unregister(const QString& Name, ISelectionNotice* Handler) = 0;
};
