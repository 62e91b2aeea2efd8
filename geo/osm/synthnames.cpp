#include "geo/osm/synthnames.h"

#include <array>
#include <cctype>

namespace geo::osm {

namespace {

constexpr std::array kPlaceStems = {
    "Eichen",  "Linden", "Birken", "Buchen", "Erlen",  "Hasel",     "Tannen",  "Fichten",
    "Weiden",  "Ahorn",  "Rosen",  "Hohen",  "Nieder", "Alten",     "Kirch",   "Mühl",
    "Stein",   "Berg",   "Wald",   "Feld",   "Bären",  "Wolfs",     "Fuchs",   "Hirsch",
    "Adlers",  "Falken", "Raben",  "Schön",  "Rot",    "Weiß",      "Grün",    "Gold",
    "Sonnen",  "Brunn",  "Loh",    "Mark",   "Hagen",  "Frieders",  "Ludwigs", "Heinrichs",
    "Konrads", "Wendel", "Ebers",  "Gunzen", "Lauter", "Schwarzen", "Hart",    "Espen"};
constexpr std::array kPlaceEndings = {"bach",  "berg",  "dorf",  "feld",   "hausen", "heim",
                                      "hofen", "reuth", "stadt", "au",     "brunn",  "kirchen",
                                      "wald",  "furt",  "roda",  "ingen",  "leben",  "stedt",
                                      "thal",  "burg",  "grün",  "weiler", "rode",   "zell"};
constexpr std::array kPlacePrefixes = {"Ober", "Unter", "Neu", "Alt", "Groß", "Klein", "Hinter"};

constexpr std::array kStreetStems = {
    "Goethe",  "Schiller", "Lessing",  "Mozart",   "Beethoven", "Kant",    "Luther",  "Linden",
    "Eichen",  "Birken",   "Buchen",   "Ahorn",    "Kastanien", "Rosen",   "Tulpen",  "Nelken",
    "Flieder", "Garten",   "Wiesen",   "Feld",     "Wald",      "Berg",    "Tal",     "Bach",
    "Mühl",    "Kirch",    "Schul",    "Post",     "Markt",     "Brunnen", "Quellen", "Sonnen",
    "Stern",   "Friedhof", "Schloss",  "Burg",     "Rathaus",   "Bahnhof", "Turm",    "Brücken",
    "Kloster", "Hof",      "Anger",    "Acker",    "Forst",     "Jäger",   "Fischer", "Schmied",
    "Weber",   "Müller",   "Wagner",   "Holunder", "Weinberg",  "Hopfen",  "Ziegel",  "Kapellen",
    "Löwen",   "Schützen", "Brauhaus", "Gieß",     "Kreuz",     "Rain",    "Sand"};
// Endings with their weights: most German streets are a "-straße" or a "-weg".
constexpr std::array<std::pair<const char*, int>, 8> kStreetEndings = {{{"straße", 50},
                                                                        {"weg", 25},
                                                                        {"gasse", 7},
                                                                        {"allee", 4},
                                                                        {"ring", 5},
                                                                        {"platz", 2},
                                                                        {"steig", 4},
                                                                        {"pfad", 3}}};
constexpr std::array kPhraseStreets = {
    "Am Anger",     "Am Bach",           "Am Berg",        "Am Hang",       "Am Rain",
    "Am Weiher",    "Am Sportplatz",     "Am Schlossberg", "An der Kirche", "An der Mühle",
    "An der Linde", "An der Schule",     "Zum Bahnhof",    "Zur Post",      "Im Winkel",
    "Im Grund",     "Hinter den Gärten", "Auf der Höhe"};
constexpr std::array kRivers = {"Lindach", "Roda",   "Weißach", "Schwarzach", "Aurach",  "Zenn",
                                "Bibert",  "Rotach", "Ilm",     "Wisent",     "Steinach"};

std::string lowerFirst(std::string name) {
  name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
  return name;
}

}  // namespace

std::string SynthNames::settlement() {
  const std::size_t plain = kPlaceStems.size() * kPlaceEndings.size();
  for (int attempt = 0; attempt < 8; ++attempt) {
    const std::size_t pick = below(plain);
    std::string name = std::string(kPlaceStems[pick / kPlaceEndings.size()]) +
                       kPlaceEndings[pick % kPlaceEndings.size()];
    if (usedSettlements_.size() > plain / 2) {
      name = kPlacePrefixes[below(kPlacePrefixes.size())] + lowerFirst(name);
    }
    if (usedSettlements_.insert(name).second) return settlements_.emplace_back(name);
  }
  // Real regions have their many Neustadts too.
  return settlements_.emplace_back(std::string(kPlaceStems[below(kPlaceStems.size())]) +
                                   kPlaceEndings[below(kPlaceEndings.size())]);
}

std::string SynthNames::streetName() {
  if (below(12) == 0) return kPhraseStreets[below(kPhraseStreets.size())];
  // Roads named after the place they lead to: "Lindenfelder Straße".
  if (!settlements_.empty() && below(5) == 0) {
    const std::string& place = settlements_[below(settlements_.size())];
    return place + (place.back() == 'e' ? "r" : "er") + (below(3) == 0 ? " Weg" : " Straße");
  }
  int total = 0;
  for (const auto& [ending, weight] : kStreetEndings) total += weight;
  int roll = static_cast<int>(below(static_cast<std::size_t>(total)));
  const char* ending = kStreetEndings[0].first;
  for (const auto& [candidate, weight] : kStreetEndings) {
    if (roll < weight) {
      ending = candidate;
      break;
    }
    roll -= weight;
  }
  return std::string(kStreetStems[below(kStreetStems.size())]) + ending;
}

std::vector<std::string> SynthNames::streets(std::size_t count, bool village) {
  std::vector<std::string> names{village ? "Dorfstraße" : "Hauptstraße",
                                 village ? "Kirchweg" : "Bahnhofstraße"};
  std::set<std::string> used(names.begin(), names.end());
  static constexpr std::array kQualifiers = {"Obere ", "Untere ", "Neue ", "Alte ", "Kleine "};
  while (names.size() < count) {
    std::string name = streetName();
    for (std::size_t q = 0; used.contains(name) && q < kQualifiers.size(); ++q) {
      name = kQualifiers[q] + streetName();
    }
    if (!used.insert(name).second) continue;
    names.push_back(std::move(name));
  }
  names.resize(count);
  return names;
}

std::string SynthNames::river() { return kRivers[rivers_++ % kRivers.size()]; }

}  // namespace geo::osm
