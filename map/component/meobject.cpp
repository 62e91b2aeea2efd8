#include "map/component/meobject.h"

namespace {
enum Key { kColour = 3, kGroup = 7, kDescription = 8, kText = 9, kPicture = 15, kShape = 19 };

bool isCoordinateKey(const QVariant& key) {
  return key.typeId() == QMetaType::QString && key.toString().isEmpty();
}
}  // namespace

geo::Point MEObject::Anchor() const {
  if (Points.isEmpty()) return {};
  if (Shape == 7 || Shape == 12 || Shape >= 13) return Points.front();
  geo::Box box;
  for (const geo::Point& p : Points) box.extend(p);
  return {static_cast<std::int32_t>((static_cast<double>(box.minX) + box.maxX) / 2),
          static_cast<std::int32_t>((static_cast<double>(box.minY) + box.maxY) / 2)};
}

bool ReadMEObject(const MEAttributes& Attributes, MEObject& Object) {
  Object.Attributes = Attributes;
  QList<int> coordinates;
  for (const MEAttribute& a : Attributes) {
    if (isCoordinateKey(a.Key)) {
      coordinates.append(a.Value.toInt());
      continue;
    }
    switch (a.Key.toInt()) {
      case kShape:
        Object.Shape = a.Value.toInt();
        break;
      case kColour:
        Object.HasColour = true;
        Object.Colour = a.Value.toInt();
        break;
      case kGroup:
        Object.Group = a.Value.toString();
        break;
      case kDescription:
        Object.Description = a.Value.toString();
        break;
      case kText:
        Object.Text = a.Value.toString();
        break;
      case kPicture:
        Object.Picture = a.Value.toString();
        break;
      default:
        break;
    }
  }
  for (qsizetype i = 0; i + 1 < coordinates.size(); i += 2) {
    Object.Points.append({coordinates[i], coordinates[i + 1]});
  }
  if (Object.Shape < 1 || Object.Shape > 16) return false;
  const bool box = Object.Shape <= 6 || Object.Shape == 8 || Object.Shape == 9;
  if (box && Object.Points.size() < 2) return false;
  if ((Object.Shape == 10 || Object.Shape == 11) && Object.Points.size() < 4) return false;
  return !Object.Points.isEmpty();
}
