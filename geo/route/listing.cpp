#include "geo/route/listing.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace geo {

namespace {

enum class EntryKind { Waypoint, Manoeuvre };

// What one listing row says before it is written out as text.
struct Entry {
  EntryKind kind = EntryKind::Manoeuvre;
  std::string text;  // waypoint label or instruction
  std::string street;
  std::size_t waypoint = 0;
  std::size_t leg = 0;
  Point point;
  Weight sinceStart;
  Weight sincePrevious;
  Weight untilNext;
  double headingDegrees = 0;  // compass bearing of the way on
  double turnDegrees = 0;     // positive to the left
  std::uint32_t edge = 0;
  const EdgeRecord* record = nullptr;
};

constexpr double kPi = 3.14159265358979323846;

double bearingOf(Point a, Point b) {
  const double mathDegrees = std::atan2(double(b.y) - a.y, double(b.x) - a.x) * 180.0 / kPi;
  return std::fmod(450.0 - mathDegrees, 360.0);
}

double turnBetween(double inBearing, double outBearing) {
  double turn = inBearing - outBearing;  // bearings grow clockwise, turns to the left are positive
  while (turn > 180) turn -= 360;
  while (turn <= -180) turn += 360;
  return turn;
}

std::string compassOf(double bearing) {
  static const char* const kNames[] = {"N", "NO", "O", "SO", "S", "SW", "W", "NW"};
  return kNames[static_cast<int>(std::floor((bearing + 22.5) / 45.0)) % 8];
}

std::string directionOf(double turn) {
  const double a = std::abs(turn);
  const std::string side = turn > 0 ? "links" : "rechts";
  if (a < 20) return "geradeaus";
  if (a < 60) return "leicht " + side;
  if (a < 135) return side;
  return "scharf " + side;
}

std::string symbolOf(double turn) {
  std::string symbol(1, '#');
  symbol += directionOf(turn);
  std::replace(symbol.begin(), symbol.end(), ' ', '-');
  return symbol;
}

std::string kilometres(std::uint32_t centimetres) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", centimetres / 100000.0);
  std::string s(text);
  for (char& c : s) {
    if (c == '.') c = ',';
  }
  return s;
}

std::string clockTime(std::uint32_t millis) {
  const std::uint32_t seconds = (millis + 500) / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text;
}

std::string valueOf(int code, const Entry& e, std::size_t row, const CompiledMap& map) {
  const bool waypoint = e.kind == EntryKind::Waypoint;
  const bool builtUp = e.record && (e.record->flags & kEdgeBuiltUp);
  const bool oneWay = e.record && (e.record->flags & kEdgeOneWay);
  switch (code) {
    case 1:
      return e.street;
    case 2:
      return e.record ? compassOf(e.headingDegrees) : "";
    case 3:
      return std::to_string(e.point.x) + "," + std::to_string(e.point.y);
    case 4:
      return e.text;
    case 5:
      return kilometres(e.sincePrevious.centimetres);
    case 6:
      return waypoint ? "" : directionOf(e.turnDegrees);
    case 7:
      return kilometres(e.sinceStart.centimetres);
    case 8:
      return std::string(map.sourceName());
    case 9:
      return std::to_string(e.leg + 1);
    case 10:
      return waypoint ? "#flag" + std::to_string(e.waypoint + 1) : symbolOf(e.turnDegrees);
    case 11:
      return clockTime(e.sinceStart.millis);
    case 12:
      return std::to_string(row + 1);
    case 17:
      return waypoint ? "" : std::to_string(static_cast<int>(std::lround(e.turnDegrees)));
    case 18:
      return waypoint ? "Wegpunkt" : "Manöver";
    case 19:
      return e.record ? std::to_string(e.record->roadClass) : "";
    case 20:
      return e.record ? std::to_string(e.edge >> 16) : "";
    case 21:
      return e.record ? std::to_string(e.edge & 0xFFFF) : "";
    case 22:
      return std::to_string(e.untilNext.metres());
    case 24:
      return e.record ? (builtUp ? "innerorts" : "außerorts") : "";
    case 26:
    case 27:
      return "0";
    case 28:
      return waypoint ? "" : std::to_string(e.turnDegrees > 20 ? -1 : e.turnDegrees < -20 ? 1 : 0);
    case 30:
      return oneWay ? "Einbahnstraße" : "";
    default:
      return "";
  }
}

// Walks the pieces of a route and notes a row wherever the street changes or the road turns
// sharply, and at every waypoint.
class ListingWalk {
 public:
  ListingWalk(const CompiledMap& map, const RouteResult& route, const RouteOptions& options,
              std::span<const std::string> labels)
      : map_(map), route_(route), options_(options), labels_(labels) {}

  std::vector<Entry> run() {
    addWaypoint(0, 0);
    for (std::size_t leg = 0; leg < route_.legs.size(); ++leg) {
      for (const RoutePiece& piece : route_.legs[leg].pieces) walkPiece(piece, leg);
      addWaypoint(leg + 1, leg);
      lastBearing_.reset();
    }
    for (std::size_t i = 0; i + 1 < entries_.size(); ++i) {
      entries_[i].untilNext = entries_[i + 1].sincePrevious;
    }
    return std::move(entries_);
  }

 private:
  void addWaypoint(std::size_t index, std::size_t leg) {
    Entry e;
    e.kind = EntryKind::Waypoint;
    e.waypoint = index;
    e.leg = leg;
    e.text = index < labels_.size() && !labels_[index].empty()
                 ? labels_[index]
                 : "Wegpunkt " + std::to_string(index + 1);
    e.point = route_.waypoints[index].point;
    push(e);
  }

  void walkPiece(const RoutePiece& piece, std::size_t leg) {
    const EdgeRecord& record = map_.edges()[piece.edge];
    const std::vector<Point> line = pieceGeometry(map_, piece);
    if (line.size() >= 2) {
      const double outBearing = bearingOf(line[0], line[1]);
      const double turn = lastBearing_ ? turnBetween(*lastBearing_, outBearing) : 0.0;
      const bool newStreet = !lastName_ || *lastName_ != record.name;
      if (newStreet || std::abs(turn) >= 60) {
        Entry e;
        e.street = std::string(map_.text(record.name));
        e.text = instruction(turn, e.street, lastBearing_.has_value());
        e.leg = leg;
        e.point = line.front();
        e.headingDegrees = outBearing;
        e.turnDegrees = turn;
        e.edge = piece.edge;
        e.record = &record;
        push(e);
      }
      lastBearing_ = bearingOf(line[line.size() - 2], line.back());
    }
    lastName_ = record.name;
    driven_ = driven_ + edgeWeight(record, options_).scaled(piece.to - piece.from);
  }

  static std::string instruction(double turn, const std::string& street, bool turning) {
    std::string text = "Losfahren";
    if (turning) {
      text = directionOf(turn);
      text = text == "geradeaus" ? "Weiter" : text + " abbiegen";
      text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    }
    return street.empty() ? text : text + " auf " + street;
  }

  void push(Entry e) {
    e.sinceStart = driven_;
    e.sincePrevious = {driven_.cost - atLastRow_.cost, driven_.millis - atLastRow_.millis,
                       driven_.centimetres - atLastRow_.centimetres};
    atLastRow_ = driven_;
    entries_.push_back(std::move(e));
  }

  const CompiledMap& map_;
  const RouteResult& route_;
  const RouteOptions& options_;
  std::span<const std::string> labels_;
  std::vector<Entry> entries_;
  Weight driven_, atLastRow_;
  std::optional<double> lastBearing_;
  std::optional<std::uint32_t> lastName_;
};

}  // namespace

const std::vector<ListingColumn>& listingColumns() {
  static const std::vector<ListingColumn> kColumns = {{1, "Comment"},
                                                      {2, "Compass"},
                                                      {3, "Coordinates"},
                                                      {4, "Desription"},
                                                      {5, "DiffKm"},
                                                      {6, "Direction"},
                                                      {7, "Km"},
                                                      {8, "Map"},
                                                      {9, "Route"},
                                                      {10, "Symbol"},
                                                      {11, "Time"},
                                                      {12, "EntryId"},
                                                      {15, "Pausenart"},
                                                      {16, "Aufenthalt"},
                                                      {17, "DiffAngle"},
                                                      {18, "EntryType"},
                                                      {19, "RoadType"},
                                                      {20, "SegmentIdHigh"},
                                                      {21, "SegmentIdLow"},
                                                      {22, "SegmentLength"},
                                                      {23, "NodeText"},
                                                      {24, "AdditionalInfo"},
                                                      {25, "DirectionInfo"},
                                                      {26, "RealFearry"},
                                                      {27, "AliasUsed"},
                                                      {28, "Turn"},
                                                      {29, "CountryCode"},
                                                      {30, "SegmentType"},
                                                      {31, "DirectionType"}};
  return kColumns;
}

int listingColumnIndex(int code) {
  const auto& columns = listingColumns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].code == code) return static_cast<int>(i);
  }
  return -1;
}

std::vector<ListingRow> routeListing(const CompiledMap& map, const RouteResult& route,
                                     const RouteOptions& options,
                                     std::span<const std::string> labels) {
  std::vector<ListingRow> rows;
  if (!route.ok) return rows;
  const std::vector<Entry> entries = ListingWalk(map, route, options, labels).run();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ListingRow row;
    for (const ListingColumn& column : listingColumns()) {
      row.push_back(valueOf(column.code, entries[i], i, map));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace geo
