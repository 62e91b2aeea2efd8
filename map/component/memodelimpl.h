#pragma once

#include <QMap>
#include <QString>
#include <functional>

#include "map/component/ieditor.h"
#include "map/component/meobject.h"

// The objects of one editor layer, by identifier. A persistent layer writes itself to its
// file after every change.
class MEModelImpl : public IMEModel {
 public:
  ComStatus InsertObject(const MEAttributes& Attributes, int RTyp, int& Id) override;
  ComStatus UpdateObject(int Id, const MEAttributes& Attributes, int RTyp) override;
  ComStatus DeleteObject(int Id, int RTyp) override;
  ComStatus DeleteAllObjects(int RTyp) override;
  int ObjectCount() const override { return static_cast<int>(objects_.size()); }

  const QMap<int, MEObject>& objects() const { return objects_; }
  // Binds the layer to a file; Load reads it (false when missing or unreadable).
  void setFile(const QString& Path) { file_ = Path; }
  bool load();
  void setChanged(std::function<void()> Changed) { changed_ = std::move(Changed); }

 private:
  void afterChange();
  bool save() const;

  QMap<int, MEObject> objects_;
  int nextId_ = 1;
  QString file_;
  std::function<void()> changed_;
};
