// zep-geocode: address search and reverse lookup on a compiled map, answers as JSON.
#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "geo/geocode/geocoder.h"
#include "geo/geocode/geocodervariants.h"
#include "geo/map/compiledmap.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kUsage =
    "Aufruf: zep-geocode KARTENORDNER [--country LKZ] [--postcode PLZ] [--town ORT]\n"
    "                    [--district ORTSTEIL] [--street \"STRASSE NR\"]\n"
    "       zep-geocode KARTENORDNER --reverse X,Y\n"
    "       zep-geocode KARTENORDNER --batch DATEI\n"
    "       zep-geocode KARTENORDNER --sweep\n";

const char* const kHelp =
    "\nSucht eine Adresse (Ergebniscode 0 nichts, 1 ein Treffer, 2 mehrere Kandidaten) oder\n"
    "die Adresse an einem Kartenpunkt (Kartenkoordinaten) und gibt die Antwort als JSON aus.\n"
    "--batch liest je Zeile eine Anfrage mit den tabulatorgetrennten Spalten Länderkennzeichen,\n"
    "Postleitzahl, Ort, Ortsteil, Straße mit Hausnummer und schreibt je Zeile eine Antwort;\n"
    "die Zusammenfassung mit Anfragen je Sekunde steht auf der Fehlerausgabe.\n"
    "--sweep sucht jede Adresse der Karte mit ihren eigenen Angaben und mit ihren\n"
    "Schreibvarianten (ein Thread) und gibt Anfragen je Sekunde und Trefferanteile aus.\n";

nlohmann::json candidateJson(const geo::GeocodeCandidate& candidate) {
  nlohmann::json out = nlohmann::json::object();
  const auto rows = geo::resultRows(candidate);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!*geo::kResultRowFields[i]) continue;
    if (const auto* number = std::get_if<std::int64_t>(&rows[i])) {
      out[geo::kResultRowFields[i]] = *number;
    } else if (const auto* text = std::get_if<std::string>(&rows[i])) {
      out[geo::kResultRowFields[i]] = *text;
    }
  }
  return out;
}

nlohmann::json candidatesJson(const std::vector<geo::GeocodeCandidate>& candidates) {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& c : candidates) list.push_back(candidateJson(c));
  return list;
}

nlohmann::json searchJson(const geo::GeocodeResult& result) {
  const geo::GeocodeQuery& q = result.corrected;
  return {{"code", result.code},
          {"country", q.country},
          {"postcode", q.postalCode},
          {"town", q.town},
          {"district", q.district},
          {"street", q.street},
          {"candidates", candidatesJson(result.candidates)}};
}

nlohmann::json reverseJson(const std::vector<geo::GeocodeCandidate>& candidates) {
  return {{"code", candidates.empty() ? 0 : 1}, {"candidates", candidatesJson(candidates)}};
}

std::optional<geo::Point> parsePoint(const std::string& text) {
  std::istringstream in(text);
  long long x = 0, y = 0;
  char comma = 0;
  if (!(in >> x >> comma >> y) || comma != ',' || !in.eof()) return std::nullopt;
  if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return std::nullopt;
  return geo::Point{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

geo::GeocodeQuery batchQuery(const std::string& line) {
  std::vector<std::string> columns;
  std::size_t start = 0;
  while (true) {
    const auto tab = line.find('\t', start);
    columns.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  columns.resize(5);
  return {columns[0], columns[1], columns[2], columns[3], columns[4]};
}

int runBatch(const geo::Geocoder& geocoder, const std::string& file) {
  std::ifstream in(file);
  if (!in) {
    std::cerr << "zep-geocode: Die Datei " << file << " lässt sich nicht lesen.\n";
    return 1;
  }
  std::vector<geo::GeocodeQuery> queries;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) queries.push_back(batchQuery(line));
  }
  std::vector<geo::GeocodeResult> results;
  results.reserve(queries.size());
  const auto start = Clock::now();
  for (const auto& q : queries) results.push_back(geocoder.search(q));
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::map<int, std::size_t> codes;
  for (const auto& r : results) {
    ++codes[r.code];
    std::cout << searchJson(r).dump() << '\n';
  }
  std::cerr << "zep-geocode: " << queries.size() << " Anfragen in " << seconds << " s, "
            << (seconds > 0 ? queries.size() / seconds : 0) << " Anfragen/s; Code 0: " << codes[0]
            << ", Code 1: " << codes[1] << ", Code 2: " << codes[2] << '\n';
  return 0;
}

constexpr double kSweepSeconds = 1.0;

struct SweepFigures {
  std::size_t queries = 0;
  std::size_t searches = 0;  // queries times rounds
  std::size_t clear = 0;     // code 1
  std::size_t first = 0;     // the address is the first candidate
  double seconds = 0;
};

// Searches every address point of the map by its queries and times the searches alone.
SweepFigures sweep(const geo::CompiledMap& map, const geo::Geocoder& geocoder, bool variants) {
  std::vector<std::pair<geo::GeocodeQuery, std::uint32_t>> queries;
  for (std::uint32_t i = 0; i < map.addresses().size(); ++i) {
    const geo::GeocodeQuery clean = geo::addressQuery(map, map.addresses()[i]);
    if (!variants) queries.push_back({clean, i});
    if (!variants) continue;
    for (auto& variant : geo::addressVariants(clean)) queries.push_back({std::move(variant), i});
  }
  // Small maps answer in milliseconds: repeat the round until the time is worth measuring.
  std::vector<geo::GeocodeResult> results;
  SweepFigures figures;
  do {
    results.clear();
    results.reserve(queries.size());
    const auto start = Clock::now();
    for (const auto& [query, address] : queries) results.push_back(geocoder.search(query));
    figures.seconds += std::chrono::duration<double>(Clock::now() - start).count();
    figures.searches += queries.size();
  } while (figures.seconds < kSweepSeconds && !queries.empty());
  figures.queries = queries.size();
  for (std::size_t i = 0; i < queries.size(); ++i) {
    const auto& r = results[i];
    figures.clear += r.code == 1;
    figures.first += !r.candidates.empty() && geo::namesAddress(map, r.candidates.front(),
                                                                map.addresses()[queries[i].second]);
  }
  return figures;
}

nlohmann::json sweepJson(const SweepFigures& f) {
  const double n = f.queries ? static_cast<double>(f.queries) : 1;
  return {
      {"queries", f.queries},      {"rounds", f.queries ? f.searches / f.queries : 0},
      {"seconds", f.seconds},      {"queriesPerSecond", f.seconds > 0 ? f.searches / f.seconds : 0},
      {"code1Share", f.clear / n}, {"firstCandidateShare", f.first / n}};
}

struct Options {
  std::string mapDir;
  geo::GeocodeQuery query;
  std::string reverse;
  std::string batch;
  bool sweep = false;
};

// Returns false with a message on bad arguments.
bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
  const std::map<std::string, std::string*> textOptions = {
      {"--country", &options.query.country},
      {"--postcode", &options.query.postalCode},
      {"--town", &options.query.town},
      {"--district", &options.query.district},
      {"--street", &options.query.street},
      {"--reverse", &options.reverse},
      {"--batch", &options.batch}};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto option = textOptions.find(arg);
    if (arg == "--sweep") {
      options.sweep = true;
    } else if (option != textOptions.end()) {
      if (i + 1 >= argc) {
        error = "Zu " + arg + " fehlt der Wert.";
        return false;
      }
      *option->second = argv[++i];
    } else if (arg.starts_with("--") || !options.mapDir.empty()) {
      error = "Unbekanntes Argument: " + arg;
      return false;
    } else {
      options.mapDir = arg;
    }
  }
  if (options.mapDir.empty()) error = "Der Kartenordner fehlt.";
  if (!options.reverse.empty() + !options.batch.empty() + options.sweep > 1) {
    error = "--reverse, --batch und --sweep schließen einander aus.";
  }
  return error.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << kUsage << kHelp;
    return 0;
  }
  Options options;
  std::string error;
  if (!parseOptions(argc, argv, options, error)) {
    std::cerr << "zep-geocode: " << error << '\n' << kUsage;
    return 2;
  }
  const auto map = geo::CompiledMap::open(options.mapDir, error);
  if (!map) {
    std::cerr << "zep-geocode: " << error << '\n';
    return 1;
  }
  const auto buildStart = Clock::now();
  const geo::Geocoder geocoder(*map);
  const double buildMs =
      std::chrono::duration<double, std::milli>(Clock::now() - buildStart).count();
  if (options.sweep) {
    const nlohmann::json figures = {{"addresses", map->addresses().size()},
                                    {"indexBuildMs", buildMs},
                                    {"clean", sweepJson(sweep(*map, geocoder, false))},
                                    {"variants", sweepJson(sweep(*map, geocoder, true))}};
    std::cout << figures.dump(2) << '\n';
    return 0;
  }
  if (!options.batch.empty()) {
    std::cerr << "zep-geocode: Suchindex über " << map->addresses().size() << " Adressen in "
              << buildMs << " ms aufgebaut\n";
    return runBatch(geocoder, options.batch);
  }
  if (!options.reverse.empty()) {
    const auto point = parsePoint(options.reverse);
    if (!point) {
      std::cerr << "zep-geocode: --reverse erwartet X,Y in ganzen Kartenkoordinaten.\n";
      return 2;
    }
    std::cout << reverseJson(geocoder.reverse(*point)).dump(2) << '\n';
    return 0;
  }
  std::cout << searchJson(geocoder.search(options.query)).dump(2) << '\n';
  return 0;
}
