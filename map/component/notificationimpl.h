#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <memory>

#include "map/component/ieditor.h"

class NotificationSetImpl : public INotificationSet2 {
 public:
  int Count() const override { return static_cast<int>(ids_.size()); }
  ComStatus Item(int Position, int& Id) const override;
  bool Contains(int Id) const override { return ids_.contains(Id); }
  ComStatus Add(int Id) override;
  ComStatus Remove(int Id) override;
  ComStatus Toggle(int Id) override;
  ComStatus SelectOnly(int Id) override;
  ComStatus Clear() override;

  const QList<int>& ids() const { return ids_; }
  // Answers whether anything changed.
  bool replace(const QList<int>& Ids);

 private:
  QList<int> ids_;
};

// Selection sets by name, shared by the notification managers and the editor layers of the
// process (all on the GUI thread).
class SelectionRegistry {
 public:
  static SelectionRegistry& instance();
  std::shared_ptr<NotificationSetImpl> set(const QString& Name);
  void addHandler(const QString& Name, ISelectionNotice* Handler);
  void removeHandler(const QString& Name, ISelectionNotice* Handler);
  // A selection made on the map: replaces the set and tells its handlers once, when it changed.
  void selectByUser(const QString& Name, const QList<int>& Ids);

 private:
  struct Entry {
    std::shared_ptr<NotificationSetImpl> set = std::make_shared<NotificationSetImpl>();
    QList<ISelectionNotice*> handlers;
  };
  QHash<QString, Entry> entries_;
};

class NotificationManagerImpl : public INotificationManager {
 public:
  ComStatus Register(const QString& Name, ISelectionNotice* Handler,
                     std::shared_ptr<INotificationSet2>& Set) override;
  ComStatus Unregister(const QString& Name, ISelectionNotice* Handler) override;
};
