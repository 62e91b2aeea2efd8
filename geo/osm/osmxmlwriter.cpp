#include "geo/osm/osmxmlwriter.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace geo {

namespace {

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void writeTags(std::ostringstream& out, const Tags& tags) {
  for (const auto& [key, value] : tags) {
    out << "    <tag k=\"" << escaped(key) << "\" v=\"" << escaped(value) << "\"/>\n";
  }
}

}  // namespace

OsmXmlWriter::OsmXmlWriter(double originLon, double originLat)
    : originLon_(originLon), originLat_(originLat) {}

std::int64_t OsmXmlWriter::node(int eastMetres, int northMetres, const Tags& tags) {
  // Tagged nodes (addresses, places) stay apart from road nodes at the same spot.
  if (tags.empty()) {
    const auto found = untaggedAt_.find({eastMetres, northMetres});
    if (found != untaggedAt_.end()) return found->second;
  }
  constexpr double kMetresPerDegreeLat = 111195.0;
  const double metresPerDegreeLon =
      kMetresPerDegreeLat * std::cos(originLat_ * std::numbers::pi / 180.0);
  nodes_.push_back({originLon_ + eastMetres / metresPerDegreeLon,
                    originLat_ + northMetres / kMetresPerDegreeLat, tags});
  const auto id = static_cast<std::int64_t>(nodes_.size());
  if (tags.empty()) untaggedAt_.emplace(std::make_pair(eastMetres, northMetres), id);
  return id;
}

std::int64_t OsmXmlWriter::way(const std::vector<std::int64_t>& nodes, const Tags& tags) {
  ways_.emplace_back(nodes, tags);
  return static_cast<std::int64_t>(ways_.size());
}

std::int64_t OsmXmlWriter::relation(
    const std::vector<std::pair<std::int64_t, std::string>>& wayMembers, const Tags& tags) {
  relations_.emplace_back(wayMembers, tags);
  return static_cast<std::int64_t>(relations_.size());
}

std::string OsmXmlWriter::xml() const {
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<osm version=\"0.6\" generator=\"zep-demo-region\">\n";
  char coordinates[64];
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    std::snprintf(coordinates, sizeof coordinates, "lat=\"%.7f\" lon=\"%.7f\"", nodes_[i].lat,
                  nodes_[i].lon);
    out << "  <node id=\"" << i + 1 << "\" version=\"1\" " << coordinates;
    if (nodes_[i].tags.empty()) {
      out << "/>\n";
      continue;
    }
    out << ">\n";
    writeTags(out, nodes_[i].tags);
    out << "  </node>\n";
  }
  for (std::size_t i = 0; i < ways_.size(); ++i) {
    out << "  <way id=\"" << i + 1 << "\" version=\"1\">\n";
    for (std::int64_t ref : ways_[i].first) out << "    <nd ref=\"" << ref << "\"/>\n";
    writeTags(out, ways_[i].second);
    out << "  </way>\n";
  }
  for (std::size_t i = 0; i < relations_.size(); ++i) {
    out << "  <relation id=\"" << i + 1 << "\" version=\"1\">\n";
    for (const auto& [ref, role] : relations_[i].first) {
      out << "    <member type=\"way\" ref=\"" << ref << "\" role=\"" << escaped(role) << "\"/>\n";
    }
    writeTags(out, relations_[i].second);
    out << "  </relation>\n";
  }
  out << "</osm>\n";
  return out.str();
}

}  // namespace geo
