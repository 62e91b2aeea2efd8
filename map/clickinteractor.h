#pragma once

#include <memory>

#include "map/component/comtypes.h"
#include "map/component/iinteractor.h"

class ITransform;

// Remembers where the user last pressed the left and the right mouse button on the map, in
// map coordinates. The view holds it; the map view keeps a plain pointer.
class TClickInteractor : public IInteractor {
 public:
  bool GetLeftClickPoint(tagPOINT& SelPoint) const;
  bool GetRightClickPoint(tagPOINT& SelPoint) const;

  unsigned MessageMask() override { return 0x07000000; }
  IMapView* AttachedView() override { return m_MapView; }
  ComStatus Attach(IMapView* View) override;
  ComStatus Notify(int) override { return ComStatus::Ok; }
  ComStatus HandleMessage(IMapView* View, int Message, unsigned long WParam, long LParam,
                          long& Result) override;

 private:
  IMapView* m_MapView = nullptr;
  std::shared_ptr<ITransform> m_Transform;
  tagPOINT m_LeftClickPos;
  tagPOINT m_RightClickPos;
};
