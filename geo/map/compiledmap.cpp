#include "geo/map/compiledmap.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>

#include "geo/map/mapwriter.h"

namespace geo {

namespace {

// Maps the whole file; the mapping outlives the descriptor.
const std::uint8_t* mapFile(const std::string& path, std::size_t& size, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = "Kartendatei nicht gefunden: " + path;
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    error = "Kartendatei ist keine lesbare Datei: " + path;
    return nullptr;
  }
  size = static_cast<std::size_t>(info.st_size);
  if (size < sizeof(FileHeader)) {
    ::close(fd);
    error = size == 0 ? "Kartendatei ist leer: " + path
                      : "Kartendatei ist zu kurz für eine Karte: " + path;
    return nullptr;
  }
  void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (data == MAP_FAILED) {
    error = "Kartendatei kann nicht gelesen werden: " + path;
    return nullptr;
  }
  return static_cast<const std::uint8_t*>(data);
}

std::string sectionName(SectionId id) { return std::to_string(static_cast<std::uint32_t>(id)); }

}  // namespace

// Reads and checks a mapped file step by step; the first problem found becomes the error.
class CompiledMap::Loader {
 public:
  Loader(CompiledMap& map, std::string path) : map_(map), path_(std::move(path)) {}

  bool load() {
    return readHeader() && readSections() && checkGraph() && checkAddressesAndStreets() &&
           checkPlacesAndFeatures() && readFeatureIndex();
  }

  std::string error;

 private:
  bool fail(const std::string& reason) {
    error = "Kartendatei " + path_ + ": " + reason;
    return false;
  }
  bool damaged(const std::string& what) { return fail("beschädigt (" + what + ")"); }

  bool readHeader() {
    std::memcpy(&header_, map_.data_, sizeof header_);
    if (header_.magic != kMapMagic) return fail("keine ZEP-Karte (unbekannte Kennung)");
    if (header_.version != kMapFormatVersion) {
      return fail("Kartenformat Version " + std::to_string(header_.version) +
                  " wird nicht unterstützt, erwartet wird Version " +
                  std::to_string(kMapFormatVersion) + "; bitte die Karte neu importieren");
    }
    if (header_.fileSize != map_.size_) {
      return fail("unvollständig (" + std::to_string(map_.size_) + " statt " +
                  std::to_string(header_.fileSize) + " Bytes)");
    }
    const std::uint64_t tableEnd =
        sizeof(FileHeader) + std::uint64_t{header_.sectionCount} * sizeof(SectionEntry);
    if (tableEnd > map_.size_) return damaged("Abschnittstabelle");
    std::vector<std::uint8_t> head(map_.data_, map_.data_ + tableEnd);
    std::memset(head.data() + offsetof(FileHeader, headerCrc), 0, sizeof(std::uint32_t));
    if (crc32Of(head.data(), head.size()) != header_.headerCrc) return damaged("Prüfsumme Kopf");
    // A table without sections is read as such; the missing sections are reported below.
    table_.resize(header_.sectionCount);
    if (!table_.empty()) {
      std::memcpy(table_.data(), map_.data_ + sizeof(FileHeader),
                  table_.size() * sizeof(SectionEntry));
    }
    for (const auto& entry : table_) {
      if (entry.offset > map_.size_ || entry.size > map_.size_ - entry.offset ||
          entry.offset % 8 != 0) {
        return damaged("Lage von Abschnitt " + std::to_string(entry.id));
      }
      if (crc32Of(map_.data_ + entry.offset, entry.size) != entry.crc) {
        return damaged("Prüfsumme von Abschnitt " + std::to_string(entry.id));
      }
    }
    return true;
  }

  const SectionEntry* find(SectionId id) const {
    for (const auto& entry : table_) {
      if (entry.id == static_cast<std::uint32_t>(id)) return &entry;
    }
    return nullptr;
  }

  template <typename Record>
  bool array(SectionId id, std::span<const Record>& out) {
    const SectionEntry* entry = find(id);
    if (!entry) return fail("unvollständig (Abschnitt " + sectionName(id) + " fehlt)");
    if (entry->size % sizeof(Record) != 0) {
      return damaged("Größe von Abschnitt " + sectionName(id));
    }
    out = {reinterpret_cast<const Record*>(map_.data_ + entry->offset),
           entry->size / sizeof(Record)};
    return true;
  }

  bool readSections() {
    std::span<const MetaRecord> meta;
    std::span<const char> strings;
    if (!array(SectionId::Meta, meta) || !array(SectionId::Strings, strings) ||
        !array(SectionId::Points, map_.points_) || !array(SectionId::Nodes, map_.nodes_) ||
        !array(SectionId::NodeEdges, map_.nodeEdges_) || !array(SectionId::Edges, map_.edges_) ||
        !array(SectionId::Addresses, map_.addresses_) ||
        !array(SectionId::Streets, map_.streets_) || !array(SectionId::Ranges, map_.ranges_) ||
        !array(SectionId::Places, map_.places_) || !array(SectionId::Features, map_.features_)) {
      return false;
    }
    if (meta.size() != 1) return damaged("Kopfdaten");
    if (strings.empty() || strings.front() != '\0' || strings.back() != '\0') {
      return damaged("Texte");
    }
    map_.strings_ = {strings.data(), strings.size()};
    map_.meta_ = meta.front();
    map_.version_ = header_.version;
    map_.identity_ = {header_.headerCrc, header_.version, header_.fileSize};
    return checkText(map_.meta_.source);
  }

  bool checkText(std::uint32_t id) {
    return id < map_.strings_.size() ? true : damaged("Textverweis");
  }
  bool checkRange(PointRange r, std::size_t size, const char* what) {
    return r.first <= size && r.count <= size - r.first ? true : damaged(what);
  }
  bool checkRanges(PointRange r) {
    if (!checkRange(r, map_.ranges_.size(), "Teilstücke")) return false;
    for (const PointRange& part : map_.ranges(r)) {
      if (!checkRange(part, map_.points_.size(), "Punkte")) return false;
    }
    return true;
  }

  bool checkGraph() {
    const auto& offsets = map_.nodeEdges_;
    if (offsets.size() != map_.nodes_.size() + 1 || offsets.front() != 0 ||
        offsets.back() != map_.edges_.size() || !std::is_sorted(offsets.begin(), offsets.end())) {
      return damaged("Kantenverzeichnis");
    }
    for (std::uint32_t node = 0; node < map_.nodes_.size(); ++node) {
      for (std::uint32_t e = offsets[node]; e < offsets[node + 1]; ++e) {
        const EdgeRecord& edge = map_.edges_[e];
        if (edge.source != node || edge.target >= map_.nodes_.size() || edge.roadClass > 7 ||
            !checkText(edge.name) || !checkRange(edge.shape, map_.points_.size(), "Kanten")) {
          return damaged("Kante " + std::to_string(e));
        }
      }
    }
    return true;
  }

  bool checkAddressesAndStreets() {
    for (const AddressRecord& a : map_.addresses_) {
      for (std::uint32_t id :
           {a.country, a.postalCode, a.town, a.district, a.street, a.houseNumber}) {
        if (!checkText(id)) return false;
      }
    }
    for (const StreetRecord& s : map_.streets_) {
      if (!checkText(s.name) || !checkText(s.town) || !checkText(s.postalCode) ||
          !checkRanges(s.parts)) {
        return false;
      }
    }
    return true;
  }

  bool checkPlacesAndFeatures() {
    for (const PlaceRecord& p : map_.places_) {
      if (p.kind > PlaceKind::Locality) return damaged("Ortsart");
      if (!checkText(p.name) || !checkText(p.postalCode) || !checkText(p.town)) return false;
    }
    for (const FeatureRecord& f : map_.features_) {
      if (f.level >= kDetailLevels || f.kind > FeatureKind::PlaceLabel) {
        return damaged("Zeichenobjekt");
      }
      if (!checkText(f.name) || !checkRanges(f.rings)) return false;
    }
    return true;
  }

  bool readFeatureIndex() {
    std::span<const std::uint32_t> words;
    if (!array(SectionId::FeatureIndex, words)) return false;
    std::size_t pos = 0;
    auto next = [&](std::size_t count) -> std::optional<std::span<const std::uint32_t>> {
      if (count > words.size() - pos) return std::nullopt;
      auto part = words.subspan(pos, count);
      pos += count;
      return part;
    };
    const auto head = next(2);
    if (!head || (*head)[0] != kDetailLevels) return damaged("Raumindex");
    const std::uint32_t nodeSize = (*head)[1];
    for (int level = 0; level < kDetailLevels; ++level) {
      const auto counts = next(2);
      if (!counts) return damaged("Raumindex");
      const std::uint32_t items = (*counts)[0];
      const std::uint32_t boxCount = (*counts)[1];
      if (!RTreeView::consistent(boxCount, boxCount, items, nodeSize)) {
        return damaged("Raumindex");
      }
      const auto boxWords = next(std::size_t{boxCount} * (sizeof(Box) / sizeof(std::uint32_t)));
      const auto indices = next(boxCount);
      if (!boxWords || !indices) return damaged("Raumindex");
      for (std::uint32_t i = 0; i < std::min(items, boxCount); ++i) {
        if ((*indices)[i] >= map_.features_.size()) return damaged("Raumindex");
      }
      map_.featureTrees_.emplace_back(
          std::span<const Box>(reinterpret_cast<const Box*>(boxWords->data()), boxCount), *indices,
          items, nodeSize);
    }
    return pos == words.size() ? true : damaged("Raumindex");
  }

  CompiledMap& map_;
  std::string path_;
  FileHeader header_{};
  std::vector<SectionEntry> table_;
};

std::string CompiledMap::filePath(const std::string& rootDirectory) {
  return (std::filesystem::path(rootDirectory) / kMapFileName).string();
}

std::unique_ptr<CompiledMap> CompiledMap::open(const std::string& rootDirectory,
                                               std::string& error) {
  const std::string path = filePath(rootDirectory);
  std::unique_ptr<CompiledMap> map(new CompiledMap());
  map->rootDirectory_ = rootDirectory;
  map->data_ = mapFile(path, map->size_, error);
  if (!map->data_) return nullptr;
  Loader loader(*map, path);
  if (!loader.load()) {
    error = loader.error;
    return nullptr;
  }
  return map;
}

CompiledMap::~CompiledMap() {
  if (data_) ::munmap(const_cast<std::uint8_t*>(data_), size_);
}

std::string_view CompiledMap::text(std::uint32_t id) const {
  if (id >= strings_.size()) return {};
  return std::string_view(strings_.data() + id);
}

std::span<const EdgeRecord> CompiledMap::edgesFrom(std::uint32_t node) const {
  if (node >= nodes_.size()) return {};
  return edges_.subspan(nodeEdges_[node], nodeEdges_[node + 1] - nodeEdges_[node]);
}

std::span<const Point> CompiledMap::points(PointRange range) const {
  return points_.subspan(range.first, range.count);
}

std::span<const PointRange> CompiledMap::ranges(PointRange range) const {
  return ranges_.subspan(range.first, range.count);
}

std::vector<Point> CompiledMap::edgeGeometry(const EdgeRecord& edge) const {
  std::vector<Point> line;
  line.push_back(nodes_[edge.source]);
  const auto inner = points(edge.shape);
  if (edge.flags & kEdgeReversed) {
    line.insert(line.end(), inner.rbegin(), inner.rend());
  } else {
    line.insert(line.end(), inner.begin(), inner.end());
  }
  line.push_back(nodes_[edge.target]);
  return line;
}

double CompiledMap::maxUnitsPerPixel(int level) {
  static constexpr double kLimits[kDetailLevels] = {std::numeric_limits<double>::infinity(), 250.0,
                                                    40.0, 6.0};
  return level >= 0 && level < kDetailLevels ? kLimits[level] : 0.0;
}

std::vector<std::uint32_t> CompiledMap::featuresIn(const Box& box, double unitsPerPixel) const {
  std::vector<std::uint32_t> ids;
  for (int level = 0; level < static_cast<int>(featureTrees_.size()); ++level) {
    if (unitsPerPixel > maxUnitsPerPixel(level)) break;
    featureTrees_[level].query(box, [&](std::uint32_t id) { ids.push_back(id); });
  }
  return ids;
}

}  // namespace geo
