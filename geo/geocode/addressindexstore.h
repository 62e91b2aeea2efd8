#pragma once

#include <string>

#include "geo/geocode/addressindex.h"

namespace geo {

// The address index as a file beside the map: header (magic, format version, the map's
// identity, payload size and checksum, header checksum), then the index's arrays as 32-bit
// words. Reading checks every number that points somewhere, so a file that is damaged,
// from another map or another version is refused and the index is built anew.
class AddressIndex::Store {
 public:
  static std::string path(const CompiledMap& map);
  // True when the index was read completely; otherwise the index is left empty.
  static bool load(AddressIndex& index);
  // Under a temporary name, then renamed; a folder that cannot be written is no error.
  static void save(const AddressIndex& index);
};

}  // namespace geo
