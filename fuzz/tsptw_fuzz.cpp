// TSPLIB time-window instances as the optimiser's reader takes them. An instance it accepts
// must be whole: a full matrix and one window per node, which the search then relies on.

#include <cstdlib>
#include <string>

#include "fuzz/fuzzinput.h"
#include "geo/optimise/tsptwinstance.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  geo::TsptwInstance instance;
  std::string error;
  if (!geo::parseTsptwInstance(std::string(zepfuzz::Bytes(data, size)), instance, error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  const auto dimension = static_cast<std::size_t>(instance.dimension);
  if (dimension < 2 || instance.matrix.size() != dimension * dimension ||
      instance.ready.size() != dimension || instance.due.size() != dimension) {
    std::abort();
  }
  const geo::TsptwPath path = instance.path();
  if (path.body.size() + 1 != dimension) std::abort();
  return 0;
}
