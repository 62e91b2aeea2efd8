#pragma once

#include <string>

namespace geo {

// A fictional German region as OSM XML, the same on every run: the town Lindenau with its
// district Mühlbach north of the river Lindach, two postal codes, a through road, a short
// motorway, a railway, and the village Eichenbrunn a few kilometres away on a country road.
std::string demoRegionOsm();

bool writeDemoRegion(const std::string& path, std::string& error);

}  // namespace geo
