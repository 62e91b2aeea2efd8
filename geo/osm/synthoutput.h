#pragma once

#include <cstdint>
#include <osmium/builder/osm_object_builder.hpp>
#include <osmium/io/any_output.hpp>
#include <osmium/memory/buffer.hpp>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace geo::osm {

using SynthTags = std::vector<std::pair<std::string, std::string>>;

// Writes generated objects in the order readers expect (all nodes, then all ways) without
// holding the ways in memory: nodes go straight to the file, ways to a temporary file that
// is copied behind the nodes at the end. Both files carry a ".part" name until finish()
// renames the result; the destructor removes whatever is left of an unfinished run.
class SynthOutput {
 public:
  explicit SynthOutput(const std::string& path);
  ~SynthOutput();
  SynthOutput(const SynthOutput&) = delete;
  SynthOutput& operator=(const SynthOutput&) = delete;

  // A new node at a longitude and latitude; ids count up from 1.
  std::int64_t node(double lon, double lat, const SynthTags& tags = {});
  void way(std::span<const std::int64_t> nodes, const SynthTags& tags);
  void finish();

  std::uint64_t nodeCount() const { return static_cast<std::uint64_t>(nodeId_); }
  std::uint64_t wayCount() const { return static_cast<std::uint64_t>(wayId_); }

 private:
  void flush(osmium::memory::Buffer& buffer, osmium::io::Writer& writer, bool always);

  std::string path_, partPath_, wayPath_;
  osmium::io::Writer nodeWriter_;
  osmium::io::Writer wayWriter_;
  osmium::memory::Buffer nodes_;
  osmium::memory::Buffer ways_;
  std::int64_t nodeId_ = 0;
  std::int64_t wayId_ = 0;
  bool finished_ = false;
};

}  // namespace geo::osm
