#include "map/component/routeimpl.h"

#include "geo/map/geometry.h"

namespace {
constexpr int kLabelCode = 2;
constexpr int kXCode = 3;
constexpr int kYCode = 4;

QVariant valueOf(const CodedRecord& record, int code) {
  for (const auto& [c, v] : record) {
    if (c == code) return v;
  }
  return {};
}
}  // namespace

ComStatus RouteImpl::SetWaypoints(const QList<CodedRecord>& Waypoints) {
  waypoints_ = Waypoints;
  return ComStatus::Ok;
}

bool RouteImpl::readWaypoints(std::vector<Waypoint>& Out) const {
  Out.clear();
  for (const CodedRecord& w : waypoints_) {
    if (w.isEmpty()) continue;
    bool okX = false;
    bool okY = false;
    const int x = valueOf(w, kXCode).toString().trimmed().toInt(&okX);
    const int y = valueOf(w, kYCode).toString().trimmed().toInt(&okY);
    if (!okX || !okY) return false;
    Out.push_back({{x, y}, valueOf(w, kLabelCode).toString().toStdString()});
  }
  return true;
}

ComStatus RouteImpl::GetBoundingRect(int, TRect& Rect) const {
  if (!result_ || result_->geometry.empty()) {
    return ComFail(QStringLiteral("Die Route ist nicht berechnet"), ComStatus::NotReady);
  }
  const geo::Box b = geo::boundsOf(result_->geometry);
  Rect = {b.minX, b.maxY, b.maxX, b.minY};
  return ComStatus::Ok;
}

ComStatus RouteImpl::AcceptOptimizedOrder(int SequenceNr) {
  const auto it = orders_.find(SequenceNr);
  if (it == orders_.end()) {
    return ComFail(QStringLiteral("Unbekannte Optimierung %1").arg(SequenceNr),
                   ComStatus::InvalidArgument);
  }
  // Waypoints of the optimisation that the route knows are put into its order.
  QList<CodedRecord> ordered;
  for (int id : it->second) {
    if (id >= 0 && id < waypoints_.size()) ordered.append(waypoints_[id]);
  }
  if (ordered.size() == waypoints_.size()) waypoints_ = ordered;
  orders_.erase(it);
  return ComStatus::Ok;
}

void RouteImpl::rememberOrder(int SequenceNr, std::vector<int> Ids) {
  orders_[SequenceNr] = std::move(Ids);
}

ComStatus RouteImpl::SetOption(int, int) { return ComStatus::Ok; }
ComStatus RouteImpl::SetStartTime(double, int) { return ComStatus::Ok; }
ComStatus RouteImpl::SetOptionBlock(int, int, int, int, int) { return ComStatus::Ok; }
ComStatus RouteImpl::SetTimeRange(int, int, int, int) { return ComStatus::Ok; }

ComStatus RouteImpl::SetOptimization(int Code) {
  optimization_ = Code;
  return ComStatus::Ok;
}

ComStatus RouteImpl::SetTimeFactor(int, int Factor) {
  options_.timeFactor = geo::clampTimeFactor(Factor);
  return ComStatus::Ok;
}

ComStatus RouteImpl::GetDrivingOptions(std::shared_ptr<IDrivingOptions>& Options) {
  Options = std::make_shared<DrivingOptionsImpl>(weak_from_this());
  return ComStatus::Ok;
}

void RouteImpl::setResult(std::shared_ptr<const geo::RouteResult> Result, bool Drawn) {
  result_ = std::move(Result);
  drawn_ = Drawn;
  changed();
}

void RouteImpl::clearDrawing() {
  drawn_ = false;
  changed();
}

void RouteImpl::changed() const {
  if (changed_) changed_();
}

ComStatus DrivingOptionsImpl::SetOption(int, int) { return ComStatus::Ok; }

ComStatus DrivingOptionsImpl::SetSpeedTable(const QList<int>& Values) {
  const auto route = route_.lock();
  if (!route) return ComFail(QStringLiteral("Die Route besteht nicht mehr"), ComStatus::NotReady);
  if (Values.size() < 17) {
    return ComFail(QStringLiteral("Die Geschwindigkeitstabelle braucht 17 Werte"),
                   ComStatus::InvalidArgument);
  }
  for (int i = 0; i < 16; ++i) {
    route->options().profile.speedsKmh[i] =
        static_cast<std::uint16_t>(std::clamp(Values[i + 1], 0, 300));
  }
  return ComStatus::Ok;
}

ComStatus DrivingOptionsImpl::SetRoadTypeTable(const QList<int>& Values) {
  if (Values.size() < 9) {
    return ComFail(QStringLiteral("Die Straßenarttabelle braucht 9 Werte"),
                   ComStatus::InvalidArgument);
  }
  return ComStatus::Ok;
}
