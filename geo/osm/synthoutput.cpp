#include "geo/osm/synthoutput.h"

#include <filesystem>
#include <osmium/io/any_input.hpp>

namespace geo::osm {

namespace {

constexpr std::size_t kBufferBytes = 4 << 20;

// The output format follows the final name ("x.osm.pbf" is PBF), not the ".part" name.
osmium::io::File fileFor(const std::string& writtenPath, const std::string& finalPath) {
  const std::string name = std::filesystem::path(finalPath).filename().string();
  const auto dot = name.find('.');
  osmium::io::File file{writtenPath, dot == std::string::npos ? "" : name.substr(dot + 1)};
  file.set("add_metadata", "false");  // no timestamps: the same options give the same bytes
  return file;
}

osmium::io::Header header() {
  osmium::io::Header h;
  h.set("generator", "zep-synth-region");
  return h;
}

void addTags(osmium::builder::Builder& parent, const SynthTags& tags) {
  osmium::builder::TagListBuilder list{parent};
  for (const auto& [key, value] : tags) list.add_tag(key, value);
}

}  // namespace

SynthOutput::SynthOutput(const std::string& path)
    : path_(path),
      partPath_(path + ".part"),
      wayPath_(path + ".ways.part"),
      nodeWriter_(fileFor(partPath_, path_), header(), osmium::io::overwrite::allow),
      wayWriter_(fileFor(wayPath_, "ways.osm.pbf"), header(), osmium::io::overwrite::allow),
      nodes_(kBufferBytes, osmium::memory::Buffer::auto_grow::yes),
      ways_(kBufferBytes, osmium::memory::Buffer::auto_grow::yes) {}

SynthOutput::~SynthOutput() {
  if (finished_) return;
  try {
    nodeWriter_.close();
    wayWriter_.close();
  } catch (...) {  // the files are removed anyway
  }
  std::error_code ignored;
  std::filesystem::remove(partPath_, ignored);
  std::filesystem::remove(wayPath_, ignored);
}

void SynthOutput::flush(osmium::memory::Buffer& buffer, osmium::io::Writer& writer, bool always) {
  if (buffer.committed() == 0 || (!always && buffer.committed() < kBufferBytes / 2)) return;
  writer(std::move(buffer));
  buffer = osmium::memory::Buffer(kBufferBytes, osmium::memory::Buffer::auto_grow::yes);
}

std::int64_t SynthOutput::node(double lon, double lat, const SynthTags& tags) {
  {
    osmium::builder::NodeBuilder builder{nodes_};
    builder.set_id(++nodeId_);
    builder.set_version(1);
    builder.set_location(osmium::Location{lon, lat});
    if (!tags.empty()) addTags(builder, tags);
  }
  nodes_.commit();
  flush(nodes_, nodeWriter_, false);
  return nodeId_;
}

void SynthOutput::way(std::span<const std::int64_t> nodes, const SynthTags& tags) {
  {
    osmium::builder::WayBuilder builder{ways_};
    builder.set_id(++wayId_);
    builder.set_version(1);
    addTags(builder, tags);
    osmium::builder::WayNodeListBuilder refs{builder};
    for (const std::int64_t id : nodes) refs.add_node_ref(id);
  }
  ways_.commit();
  flush(ways_, wayWriter_, false);
}

void SynthOutput::finish() {
  flush(nodes_, nodeWriter_, true);
  flush(ways_, wayWriter_, true);
  wayWriter_.close();
  osmium::io::Reader ways{osmium::io::File{wayPath_, "pbf"}, osmium::osm_entity_bits::way};
  while (osmium::memory::Buffer buffer = ways.read()) nodeWriter_(std::move(buffer));
  ways.close();
  nodeWriter_.close();
  std::filesystem::remove(wayPath_);
  std::filesystem::rename(partPath_, path_);
  finished_ = true;
}

}  // namespace geo::osm
