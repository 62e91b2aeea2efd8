#pragma once

#include <optional>
#include <string>

#include "geo/map/compiledmap.h"
#include "geo/route/contraction.h"
#include "geo/route/profile.h"

namespace geo {

// Contraction hierarchies kept beside the compiled map, one file per profile speed table and
// time factor, so that a second start routes at once. A file holds the map's identity, its
// format version, the speed table and time factor, and a checksum over everything; a file
// that is damaged, from another map or version, or for other speeds is never used.
class HierarchyCache {
 public:
  HierarchyCache(const CompiledMap& map, const RouteOptions& options);

  const std::string& path() const { return path_; }

  // The stored hierarchy, or nothing (with the reason, German) when there is none to trust.
  std::optional<ContractionHierarchy> load(std::string& why) const;
  // Writes under a temporary name and renames, so a reader never sees half a file.
  bool save(const ContractionHierarchy& hierarchy, std::string& error) const;

 private:
  const CompiledMap& map_;
  RouteOptions options_;
  std::string path_;
};

}  // namespace geo
