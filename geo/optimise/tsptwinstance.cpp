#include "geo/optimise/tsptwinstance.h"

#include <fstream>
#include <sstream>

namespace geo {

namespace {

// A full matrix of this many nodes takes 32 MB; far larger ones are not meant for this search.
constexpr int kMaxDimension = 2000;

std::string trimmed(const std::string& s) {
  const auto begin = s.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return {};
  return s.substr(begin, s.find_last_not_of(" \t\r") - begin + 1);
}

// "KEY : value" header lines; returns false for section names and data.
bool splitHeader(const std::string& line, std::string& key, std::string& value) {
  const auto colon = line.find(':');
  if (colon == std::string::npos) return false;
  key = trimmed(line.substr(0, colon));
  value = trimmed(line.substr(colon + 1));
  return true;
}

bool readNumber(std::istream& in, std::int64_t& value) { return static_cast<bool>(in >> value); }

bool readMatrix(std::istream& in, TsptwInstance& instance, std::string& error) {
  const auto cells = static_cast<std::size_t>(instance.dimension) * instance.dimension;
  instance.matrix.resize(cells);
  for (auto& cell : instance.matrix) {
    if (!readNumber(in, cell) || cell < 0) {
      error = "Die Entfernungsmatrix ist unvollständig oder enthält ungültige Werte.";
      return false;
    }
  }
  return true;
}

bool readWindows(std::istream& in, TsptwInstance& instance, std::string& error) {
  instance.ready.assign(instance.dimension, 0);
  instance.due.assign(instance.dimension, 0);
  std::vector<bool> seen(instance.dimension, false);
  for (int i = 0; i < instance.dimension; ++i) {
    std::int64_t node = 0, ready = 0, due = 0;
    if (!readNumber(in, node) || !readNumber(in, ready) || !readNumber(in, due)) {
      error = "Die Zeitfenster sind unvollständig.";
      return false;
    }
    if (node < 1 || node > instance.dimension || seen[node - 1] || ready > due) {
      error = "Ungültiges Zeitfenster für Knoten " + std::to_string(node) + ".";
      return false;
    }
    seen[node - 1] = true;
    instance.ready[node - 1] = ready;
    instance.due[node - 1] = due;
  }
  return true;
}

bool readDepot(std::istream& in, std::string& error) {
  std::int64_t depot = 0;
  if (!readNumber(in, depot) || depot != 1) {
    error = "Nur Knoten 1 wird als Depot unterstützt.";
    return false;
  }
  return true;
}

bool checkHeader(const std::string& key, const std::string& value, TsptwInstance& instance,
                 std::string& error) {
  if (key == "NAME") {
    instance.name = value;
  } else if (key == "DIMENSION") {
    // The sections already read were sized by the first one.
    if (instance.dimension != 0) {
      error = "Die Knotenanzahl ist mehrfach angegeben.";
      return false;
    }
    try {
      instance.dimension = std::stoi(value);
    } catch (...) {
      instance.dimension = 0;
    }
    if (instance.dimension < 2 || instance.dimension > kMaxDimension) {
      error = "Ungültige Knotenanzahl: " + value;
      return false;
    }
  } else if (key == "EDGE_WEIGHT_TYPE" && value != "EXPLICIT") {
    error = "Nur explizite Entfernungen werden unterstützt.";
    return false;
  } else if (key == "EDGE_WEIGHT_FORMAT" && value != "FULL_MATRIX") {
    error = "Nur volle Matrizen werden unterstützt.";
    return false;
  }
  return true;
}

}  // namespace

bool parseTsptwInstance(const std::string& text, TsptwInstance& instance, std::string& error) {
  instance = {};
  std::istringstream in(text);
  bool haveMatrix = false, haveWindows = false;
  std::string line;
  while (std::getline(in, line)) {
    const std::string word = trimmed(line);
    std::string key, value;
    if (word.empty()) continue;
    if (word == "EOF") break;
    const bool needsDimension = word.ends_with("_SECTION");
    if (needsDimension && instance.dimension == 0) {
      error = "Die Knotenanzahl fehlt vor den Daten.";
      return false;
    }
    if (word == "EDGE_WEIGHT_SECTION") {
      if (!readMatrix(in, instance, error)) return false;
      haveMatrix = true;
    } else if (word == "TIME_WINDOW_SECTION") {
      if (!readWindows(in, instance, error)) return false;
      haveWindows = true;
    } else if (word == "DEPOT_SECTION") {
      if (!readDepot(in, error)) return false;
    } else if (splitHeader(word, key, value)) {
      if (!checkHeader(key, value, instance, error)) return false;
    }
  }
  if (!haveMatrix || !haveWindows) {
    error = "Matrix oder Zeitfenster fehlen.";
    return false;
  }
  return true;
}

TsptwPath TsptwInstance::path() const {
  TsptwPath path;
  path.nodeCount = dimension;
  path.time = matrix;
  path.ready = ready;
  path.due = due;
  path.service.assign(dimension, 0);
  path.head = {0};
  for (int node = 1; node < dimension; ++node) path.body.push_back(node);
  path.tail = {0};
  return path;
}

bool readTsptwInstance(const std::string& path, TsptwInstance& instance, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "Die Datei " + path + " kann nicht gelesen werden.";
    return false;
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (!parseTsptwInstance(text.str(), instance, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

}  // namespace geo
