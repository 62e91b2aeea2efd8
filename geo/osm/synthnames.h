#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace geo::osm {

// German place and street names for a generated region, drawn with the caller's random
// numbers so that one seed gives one set of names.
class SynthNames {
 public:
  using Draw = std::function<std::uint64_t()>;
  explicit SynthNames(Draw draw) : draw_(std::move(draw)) {}

  // A settlement name; once the plain names are used up, "Ober…", "Neu…" and the like follow,
  // and after those names repeat, as they do in real regions.
  std::string settlement();
  // Street names of one settlement, all different; the first two are its main streets.
  std::vector<std::string> streets(std::size_t count, bool village);
  std::string river();

 private:
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(draw_() % n); }
  std::string streetName();

  Draw draw_;
  std::set<std::string> usedSettlements_;
  std::vector<std::string> settlements_;  // in the order they were drawn
  std::size_t rivers_ = 0;
};

}  // namespace geo::osm
