// zep-tsptw: solves one TSPLIB instance of the travelling salesman problem with time windows
// and prints the answer as one JSON object.
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "geo/optimise/tsptwinstance.h"
#include "geo/optimise/tsptwsearch.h"

namespace {

int usage() {
  std::cerr << "Aufruf: zep-tsptw DATEI [--time-limit-ms N] [--seed S]\n";
  return 2;
}

bool readCount(const char* text, std::int64_t& value) {
  try {
    std::size_t used = 0;
    value = std::stoll(text, &used);
    return used == std::strlen(text) && value >= 0;
  } catch (...) {
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string file;
  geo::TsptwSearchOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::int64_t value = 0;
    if ((arg == "--time-limit-ms" || arg == "--seed") && i + 1 < argc) {
      if (!readCount(argv[++i], value)) return usage();
      if (arg == "--seed") {
        options.seed = static_cast<std::uint64_t>(value);
      } else {
        options.timeLimitMs = value;
      }
    } else if (file.empty() && !arg.starts_with("--")) {
      file = arg;
    } else {
      return usage();
    }
  }
  if (file.empty()) return usage();

  geo::TsptwInstance instance;
  std::string error;
  if (!geo::readTsptwInstance(file, instance, error)) {
    std::cerr << error << '\n';
    return 1;
  }
  const auto started = std::chrono::steady_clock::now();
  const std::clock_t startedCpu = std::clock();
  const geo::TsptwAnswer answer = geo::searchTsptw(instance.path(), options);
  const auto ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - startedCpu) / CLOCKS_PER_SEC;
  nlohmann::json tour = nlohmann::json::array();
  for (int node : answer.route) tour.push_back(node + 1);
  const nlohmann::json out = {{"instance", instance.name},
                              {"cost", answer.cost},
                              {"feasible", answer.feasible()},
                              {"ms", std::round(ms * 10) / 10},
                              {"cpuMs", std::round(cpuMs * 10) / 10},
                              {"tour", tour}};
  std::cout << out.dump() << '\n';
  return 0;
}
