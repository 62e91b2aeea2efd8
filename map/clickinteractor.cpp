#include "map/clickinteractor.h"

#include "map/component/imapview.h"
#include "map/component/itransform.h"

namespace {
bool copyPoint(const tagPOINT& from, tagPOINT& to) {
  to = from;
  return from.X >= 0 && from.Y >= 0;
}
}  // namespace

bool TClickInteractor::GetLeftClickPoint(tagPOINT& SelPoint) const {
  return copyPoint(m_LeftClickPos, SelPoint);
}

bool TClickInteractor::GetRightClickPoint(tagPOINT& SelPoint) const {
  return copyPoint(m_RightClickPos, SelPoint);
}

ComStatus TClickInteractor::Attach(IMapView* View) {
  m_MapView = View;
  m_Transform = View ? View->Transform() : nullptr;
  return ComStatus::Ok;
}

ComStatus TClickInteractor::HandleMessage(IMapView*, int Message, unsigned long, long LParam,
                                          long& Result) {
  Result = 0;
  if (Message != MapMessage::LeftButtonDown && Message != MapMessage::RightButtonDown) {
    return ComStatus::Ok;
  }
  tagPOINT point{static_cast<int>(LParam & 0xFFFF), static_cast<int>((LParam >> 16) & 0xFFFF)};
  if (m_Transform) m_Transform->Transform(point, CoordFmt::Pixel, CoordFmt::Map);
  (Message == MapMessage::LeftButtonDown ? m_LeftClickPos : m_RightClickPos) = point;
  return ComStatus::Ok;
}
