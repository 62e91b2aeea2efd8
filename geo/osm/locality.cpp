#include "geo/osm/locality.h"

#include "geo/osm/osmtags.h"

namespace geo {

namespace {

// Reach of a place centre in map units (about 1.5 map units per metre in Germany).
double reachOf(PlaceKind kind) {
  switch (kind) {
    case PlaceKind::City:
      return 15000;
    case PlaceKind::Town:
      return 6000;
    case PlaceKind::Village:
      return 3000;
    case PlaceKind::Hamlet:
      return 1200;
    default:
      return 2000;
  }
}

}  // namespace

std::uint32_t LocalityResolver::nameId(const std::string& name) {
  names_.push_back(name);
  return static_cast<std::uint32_t>(names_.size() - 1);
}

void LocalityResolver::addPostalArea(const std::string& code, std::vector<Line> rings) {
  postalAreas_.add(std::move(rings), nameId(code));
}

void LocalityResolver::addSettlementArea(const std::string& name, std::vector<Line> rings) {
  settlementAreas_.add(std::move(rings), nameId(name));
}

void LocalityResolver::addDistrictArea(const std::string& name, std::vector<Line> rings) {
  districtAreas_.add(std::move(rings), nameId(name));
}

void LocalityResolver::addPlaceCentre(const std::string& name, PlaceKind kind, Point centre) {
  if (osm::isSettlement(kind)) {
    settlementCentres_.add(centre, reachOf(kind), nameId(name));
  } else if (osm::isDistrict(kind)) {
    districtCentres_.add(centre, reachOf(kind), nameId(name));
  }
}

void LocalityResolver::build() {
  for (PolygonSet* set : {&postalAreas_, &settlementAreas_, &districtAreas_}) set->build();
  for (ReachSet* set : {&settlementCentres_, &districtCentres_}) set->build();
}

std::string LocalityResolver::postalCode(Point p) const {
  const auto area = postalAreas_.smallestContaining(p);
  return area ? names_[*area] : std::string();
}

std::string LocalityResolver::town(Point p) const {
  if (const auto area = settlementAreas_.smallestContaining(p)) return names_[*area];
  const auto centre = settlementCentres_.nearest(p);
  return centre ? names_[centre->value] : std::string();
}

std::string LocalityResolver::district(Point p) const {
  if (const auto area = districtAreas_.smallestContaining(p)) return names_[*area];
  const auto centre = districtCentres_.nearest(p);
  if (!centre) return {};
  const auto town = settlementCentres_.nearest(p);
  return !town || centre->distance < town->distance ? names_[centre->value] : std::string();
}

}  // namespace geo
