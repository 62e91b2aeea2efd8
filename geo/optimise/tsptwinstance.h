#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geo/optimise/tsptwsearch.h"

namespace geo {

// A travelling salesman problem with time windows in the TSPLIB text form: a full matrix of
// travel times, node 0 the depot where the tour starts and ends, one window per node in the
// instance's time unit.
struct TsptwInstance {
  std::string name;
  int dimension = 0;
  std::vector<std::int64_t> matrix;  // row-major, dimension x dimension
  std::vector<std::int64_t> ready;
  std::vector<std::int64_t> due;

  std::int64_t travel(int from, int to) const {
    return matrix[static_cast<std::size_t>(from) * dimension + to];
  }

  // The tour as a path: from the depot through every other node back to the depot.
  TsptwPath path() const;
};

// Reads an instance; on failure returns false and leaves a German message in error.
bool readTsptwInstance(const std::string& path, TsptwInstance& instance, std::string& error);
bool parseTsptwInstance(const std::string& text, TsptwInstance& instance, std::string& error);

}  // namespace geo
