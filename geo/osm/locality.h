#pragma once

#include <string>
#include <vector>

#include "geo/map/mapformat.h"
#include "geo/map/polygonset.h"

namespace geo {

// Answers "which postal code, town and district is this point in" from postal code
// boundaries, settlement and district outlines, and - where no outline exists - from the
// nearest place centre within a reach that grows with the kind of place. Without an outline a
// point belongs to a district only when it lies nearer to the district's centre than to the
// nearest town's: the core of a town is no district.
class LocalityResolver {
 public:
  void addPostalArea(const std::string& code, std::vector<Line> rings);
  void addSettlementArea(const std::string& name, std::vector<Line> rings);
  void addDistrictArea(const std::string& name, std::vector<Line> rings);
  void addPlaceCentre(const std::string& name, PlaceKind kind, Point centre);
  void build();

  std::string postalCode(Point p) const;
  std::string town(Point p) const;
  std::string district(Point p) const;

 private:
  std::uint32_t nameId(const std::string& name);

  std::vector<std::string> names_;
  PolygonSet postalAreas_;
  PolygonSet settlementAreas_;
  PolygonSet districtAreas_;
  ReachSet settlementCentres_;
  ReachSet districtCentres_;
};

}  // namespace geo
