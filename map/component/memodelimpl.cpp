#include "map/component/memodelimpl.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {
bool matches(const MEObject& object, int rtyp) { return rtyp == 0 || object.RTyp == rtyp; }

QJsonArray attributesToJson(const MEAttributes& attributes) {
  QJsonArray pairs;
  for (const MEAttribute& a : attributes) {
    pairs.append(QJsonArray{QJsonValue::fromVariant(a.Key), QJsonValue::fromVariant(a.Value)});
  }
  return pairs;
}

MEAttributes attributesFromJson(const QJsonArray& pairs) {
  MEAttributes attributes;
  for (const QJsonValue& pair : pairs) {
    const QJsonArray kv = pair.toArray();
    const QJsonValue key = kv.at(0);
    attributes.append(
        {key.isString() ? QVariant(key.toString()) : QVariant(key.toInt()), kv.at(1).toVariant()});
  }
  return attributes;
}
}  // namespace

ComStatus MEModelImpl::InsertObject(const MEAttributes& Attributes, int RTyp, int& Id) {
  MEObject object;
  if (!ReadMEObject(Attributes, object)) {
    return ComFail(QStringLiteral("Unvollständige Objektbeschreibung"), ComStatus::InvalidArgument);
  }
  object.Id = Id = nextId_++;
  object.RTyp = RTyp;
  objects_.insert(object.Id, object);
  afterChange();
  return ComStatus::Ok;
}

ComStatus MEModelImpl::UpdateObject(int Id, const MEAttributes& Attributes, int RTyp) {
  const auto it = objects_.find(Id);
  if (it == objects_.end()) {
    return ComFail(QStringLiteral("Objekt %1 nicht vorhanden").arg(Id), ComStatus::InvalidArgument);
  }
  MEObject object;
  if (!ReadMEObject(Attributes, object)) {
    return ComFail(QStringLiteral("Unvollständige Objektbeschreibung"), ComStatus::InvalidArgument);
  }
  object.Id = Id;
  object.RTyp = RTyp;
  *it = object;
  afterChange();
  return ComStatus::Ok;
}

ComStatus MEModelImpl::DeleteObject(int Id, int RTyp) {
  const auto it = objects_.find(Id);
  if (it == objects_.end() || !matches(*it, RTyp)) {
    return ComFail(QStringLiteral("Objekt %1 nicht vorhanden").arg(Id), ComStatus::InvalidArgument);
  }
  objects_.erase(it);
  afterChange();
  return ComStatus::Ok;
}

ComStatus MEModelImpl::DeleteAllObjects(int RTyp) {
  for (auto it = objects_.begin(); it != objects_.end();) {
    it = matches(*it, RTyp) ? objects_.erase(it) : std::next(it);
  }
  afterChange();
  return ComStatus::Ok;
}

void MEModelImpl::afterChange() {
  if (objects_.isEmpty()) nextId_ = 1;
  if (!file_.isEmpty()) save();
  if (changed_) changed_();
}

bool MEModelImpl::save() const {
  QJsonArray list;
  for (const MEObject& o : objects_) {
    list.append(QJsonObject{{QStringLiteral("id"), o.Id},
                            {QStringLiteral("rtyp"), o.RTyp},
                            {QStringLiteral("attributes"), attributesToJson(o.Attributes)}});
  }
  QSaveFile file(file_);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(QJsonDocument(
                 QJsonObject{{QStringLiteral("ZEPMapEdit"), 1}, {QStringLiteral("objects"), list}})
                 .toJson(QJsonDocument::Compact));
  return file.commit();
}

bool MEModelImpl::load() {
  QFile file(file_);
  if (!file.open(QIODevice::ReadOnly)) {
    ComSetErrorText(QStringLiteral("Die Ebenendatei %1 kann nicht gelesen werden").arg(file_));
    return false;
  }
  const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
  if (root.value(QStringLiteral("ZEPMapEdit")).toInt() != 1) {
    ComSetErrorText(QStringLiteral("Die Datei %1 ist keine Kartenebene").arg(file_));
    return false;
  }
  objects_.clear();
  for (const QJsonValue& v : root.value(QStringLiteral("objects")).toArray()) {
    const QJsonObject o = v.toObject();
    MEObject object;
    if (!ReadMEObject(attributesFromJson(o.value(QStringLiteral("attributes")).toArray()),
                      object)) {
      continue;
    }
    object.Id = o.value(QStringLiteral("id")).toInt();
    object.RTyp = o.value(QStringLiteral("rtyp")).toInt();
    if (object.Id <= 0 || objects_.contains(object.Id)) continue;
    objects_.insert(object.Id, object);
    nextId_ = std::max(nextId_, object.Id + 1);
  }
  return true;
}
