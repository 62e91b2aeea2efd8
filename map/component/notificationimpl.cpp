#include "map/component/notificationimpl.h"

ComStatus NotificationSetImpl::Item(int Position, int& Id) const {
  if (Position < 1 || Position > ids_.size()) {
    return ComFail(QStringLiteral("Position %1 außerhalb der Auswahl").arg(Position),
                   ComStatus::InvalidArgument);
  }
  Id = ids_[Position - 1];
  return ComStatus::Ok;
}

ComStatus NotificationSetImpl::Add(int Id) {
  if (ids_.contains(Id)) return ComStatus::False;
  ids_.append(Id);
  return ComStatus::Ok;
}

ComStatus NotificationSetImpl::Remove(int Id) {
  return ids_.removeAll(Id) > 0 ? ComStatus::Ok : ComStatus::False;
}

ComStatus NotificationSetImpl::Toggle(int Id) { return ids_.contains(Id) ? Remove(Id) : Add(Id); }

ComStatus NotificationSetImpl::SelectOnly(int Id) {
  ids_ = {Id};
  return ComStatus::Ok;
}

ComStatus NotificationSetImpl::Clear() {
  ids_.clear();
  return ComStatus::Ok;
}

bool NotificationSetImpl::replace(const QList<int>& Ids) {
  if (Ids == ids_) return false;
  ids_ = Ids;
  return true;
}

SelectionRegistry& SelectionRegistry::instance() {
  static SelectionRegistry registry;
  return registry;
}

std::shared_ptr<NotificationSetImpl> SelectionRegistry::set(const QString& Name) {
  return entries_[Name].set;
}

void SelectionRegistry::addHandler(const QString& Name, ISelectionNotice* Handler) {
  auto& handlers = entries_[Name].handlers;
  if (!handlers.contains(Handler)) handlers.append(Handler);
}

void SelectionRegistry::removeHandler(const QString& Name, ISelectionNotice* Handler) {
  const auto it = entries_.find(Name);
  if (it == entries_.end()) return;
  it->handlers.removeAll(Handler);
  if (it->handlers.isEmpty() && it->set.use_count() == 1) entries_.erase(it);
}

void SelectionRegistry::selectByUser(const QString& Name, const QList<int>& Ids) {
  Entry& entry = entries_[Name];
  if (!entry.set->replace(Ids)) return;
  const auto handlers = entry.handlers;  // a handler may unregister while being told
  for (ISelectionNotice* handler : handlers) handler->SelectionChanged(Name);
}

ComStatus NotificationManagerImpl::Register(const QString& Name, ISelectionNotice* Handler,
                                            std::shared_ptr<INotificationSet2>& Set) {
  if (!Handler || Name.isEmpty()) {
    return ComFail(QStringLiteral("Kein Name oder kein Empfänger für die Auswahl"),
                   ComStatus::InvalidArgument);
  }
  SelectionRegistry::instance().addHandler(Name, Handler);
  Set = SelectionRegistry::instance().set(Name);
  return ComStatus::Ok;
}

ComStatus NotificationManagerImpl::Unregister(const QString& Name, ISelectionNotice* Handler) {
  SelectionRegistry::instance().removeHandler(Name, Handler);
  return ComStatus::Ok;
}
