#include "geo/geocode/addressindexstore.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "geo/geocode/addressgrid.h"
#include "geo/geocode/textnormal.h"
#include "geo/map/mapwriter.h"

namespace geo {

namespace {

constexpr std::array<char, 8> kMagic = {'Z', 'E', 'P', 'G', 'E', 'O', '\r', '\n'};
// Goes up whenever the stored arrays or the way the index is built change.
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::uint32_t kNone = 0xFFFFFFFFu;

struct Header {
  std::array<char, 8> magic;
  std::uint32_t version;
  std::uint32_t reserved;
  MapIdentity map;
  std::uint64_t payloadWords;
  std::uint32_t payloadCrc;
  std::uint32_t headerCrc;  // over this header with the field set to 0
};
static_assert(sizeof(Header) == 48);

std::uint32_t headerCrcOf(Header h) {
  h.headerCrc = 0;
  return crc32Of(&h, sizeof h);
}

class Words {
 public:
  void put(std::uint32_t word) { words_.push_back(word); }
  void put(std::int32_t word) { words_.push_back(static_cast<std::uint32_t>(word)); }
  void put(std::size_t word) { words_.push_back(static_cast<std::uint32_t>(word)); }
  void put(Point p) { put(p.x), put(p.y); }
  void put(const std::vector<std::uint32_t>& list) {
    put(list.size());
    words_.insert(words_.end(), list.begin(), list.end());
  }
  void put(std::string_view text) {
    put(text.size());
    const std::size_t at = words_.size();
    words_.resize(at + (text.size() + 3) / 4, 0);
    if (!text.empty()) std::memcpy(words_.data() + at, text.data(), text.size());
  }
  const std::vector<std::uint32_t>& words() const { return words_; }

 private:
  std::vector<std::uint32_t> words_;
};

// Reads what Words wrote; every read fails once the words run out.
class Reader {
 public:
  explicit Reader(std::span<const std::uint32_t> words) : words_(words) {}
  bool get(std::uint32_t& word) {
    if (pos_ >= words_.size()) return false;
    word = words_[pos_++];
    return true;
  }
  bool get(std::int32_t& word) {
    std::uint32_t w = 0;
    if (!get(w)) return false;
    word = static_cast<std::int32_t>(w);
    return true;
  }
  bool get(Point& p) { return get(p.x) && get(p.y); }
  // A list of ids, each below `limit`.
  bool get(std::vector<std::uint32_t>& list, std::size_t limit) {
    std::uint32_t count = 0;
    if (!get(count) || count > words_.size() - pos_) return false;
    list.assign(words_.begin() + pos_, words_.begin() + pos_ + count);
    pos_ += count;
    return std::all_of(list.begin(), list.end(), [&](std::uint32_t id) { return id < limit; });
  }
  bool get(std::string& text) {
    std::uint32_t size = 0;
    if (!get(size) || (std::uint64_t{size} + 3) / 4 > words_.size() - pos_) return false;
    text.assign(reinterpret_cast<const char*>(words_.data() + pos_), size);
    pos_ += (std::size_t{size} + 3) / 4;
    return true;
  }
  bool atEnd() const { return pos_ == words_.size(); }

 private:
  std::span<const std::uint32_t> words_;
  std::size_t pos_ = 0;
};

using Cells = std::unordered_map<std::uint64_t, std::vector<std::uint32_t>>;

// The arrays in a fixed order; reading fills a fresh index and checks as it goes.
class IndexCodec {
 public:
  explicit IndexCodec(const CompiledMap& map) : map_(map), base_(map.text(0).data()) {}

  std::uint32_t textId(std::string_view text) const {
    return text.empty() ? 0 : static_cast<std::uint32_t>(text.data() - base_);
  }
  // A text id of the map, as a view; nothing for ids outside the texts.
  bool text(std::uint32_t id, std::string_view& out) const {
    out = map_.text(id);
    return id == 0 || !out.empty();
  }

  static void putCells(Words& w, const Cells& cells) {
    w.put(cells.size());
    for (const auto& [key, items] : cells) {
      w.put(static_cast<std::uint32_t>(key)), w.put(static_cast<std::uint32_t>(key >> 32));
      w.put(items);
    }
  }
  static bool getCells(Reader& r, Cells& cells, std::size_t limit) {
    std::uint32_t count = 0;
    if (!r.get(count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t low = 0, high = 0;
      std::vector<std::uint32_t> items;
      if (!r.get(low) || !r.get(high) || !r.get(items, limit)) return false;
      cells.emplace((std::uint64_t{high} << 32) | low, std::move(items));
    }
    return true;
  }

 private:
  const CompiledMap& map_;
  const char* base_;
};

}  // namespace

std::string AddressIndex::Store::path(const CompiledMap& map) {
  return (std::filesystem::path(map.rootDirectory()) / "geocoder.zepgeo").string();
}

namespace {

// Everything but the grids, in the order the load reads it.
void putIndex(Words& w, const IndexCodec& codec, const std::vector<IndexedTown>& towns,
              const std::vector<IndexedStreet>& streets) {
  w.put(towns.size());
  for (const IndexedTown& t : towns) {
    w.put(codec.textId(t.name)), w.put(t.place), w.put(t.centre), w.put(t.population);
    w.put(t.addressCount), w.put(t.postalCodes.size());
    for (const std::string_view code : t.postalCodes) w.put(codec.textId(code));
  }
  w.put(streets.size());
  for (const IndexedStreet& s : streets) {
    w.put(s.town), w.put(codec.textId(s.name)), w.put(s.addresses), w.put(s.records);
  }
}

}  // namespace

void AddressIndex::Store::save(const AddressIndex& ix) {
  const IndexCodec codec(ix.map_);
  Words w;
  putIndex(w, codec, ix.towns_, ix.streets_);
  w.put(ix.addressStreet_);
  w.put(ix.recordStreet_.size());
  for (const std::int64_t s : ix.recordStreet_)
    w.put(s < 0 ? kNone : static_cast<std::uint32_t>(s));
  w.put(ix.districtsByKey_.size());
  for (const auto& [key, aliases] : ix.districtsByKey_) {
    w.put(aliases.size());
    for (const DistrictAlias& a : aliases) w.put(a.town), w.put(codec.textId(a.name));
  }
  w.put(ix.postalAreas_.size());
  for (const auto& [code, areas] : ix.postalAreas_) {
    w.put(areas.size());
    for (const PostalArea& a : areas) w.put(a.town), w.put(codec.textId(a.code)), w.put(a.point);
  }
  for (const auto* keys : {&ix.placeKeys_, &ix.streetKeys_}) {
    w.put(keys->size());
    for (const std::string& key : *keys) w.put(std::string_view(key));
  }
  IndexCodec::putCells(w, ix.addressGrid_->cells());
  IndexCodec::putCells(w, ix.segmentGrid_->cells());
  w.put(ix.segments_.size());
  for (const auto& [record, first] : ix.segments_) w.put(record), w.put(first);

  Header header{};
  header.magic = kMagic;
  header.version = kFormatVersion;
  header.map = ix.map_.identity();
  header.payloadWords = w.words().size();
  header.payloadCrc = crc32Of(w.words().data(), w.words().size() * sizeof(std::uint32_t));
  header.headerCrc = headerCrcOf(header);
  const std::string target = path(ix.map_);
  const std::string temporary = target + "." + std::to_string(::getpid()) + ".part";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(w.words().data()),
            static_cast<std::streamsize>(w.words().size() * sizeof(std::uint32_t)));
  out.close();
  std::error_code ec;
  if (out) std::filesystem::rename(temporary, target, ec);
  if (!out || ec) std::filesystem::remove(temporary, ec);
}

namespace {

std::vector<std::uint32_t> readPayload(const CompiledMap& map, const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  Header header{};
  if (!in.read(reinterpret_cast<char*>(&header), sizeof header)) return {};
  std::error_code ec;
  const auto size = std::filesystem::file_size(file, ec);
  if (ec || header.magic != kMagic || header.headerCrc != headerCrcOf(header) ||
      header.version != kFormatVersion || !(header.map == map.identity()) ||
      size != sizeof header + header.payloadWords * sizeof(std::uint32_t)) {
    return {};
  }
  std::vector<std::uint32_t> words(header.payloadWords);
  if (!in.read(reinterpret_cast<char*>(words.data()),
               static_cast<std::streamsize>(words.size() * sizeof(std::uint32_t))) ||
      crc32Of(words.data(), words.size() * sizeof(std::uint32_t)) != header.payloadCrc) {
    return {};
  }
  return words;
}

}  // namespace

bool AddressIndex::Store::load(AddressIndex& ix) {
  const std::vector<std::uint32_t> words = readPayload(ix.map_, path(ix.map_));
  if (words.empty()) return false;
  Reader r(words);
  const IndexCodec codec(ix.map_);
  const auto addressCount = ix.map_.addresses().size();
  const auto recordCount = ix.map_.streets().size();
  const auto fail = [&] {
    ix.towns_.clear(), ix.streets_.clear(), ix.addressStreet_.clear(), ix.recordStreet_.clear();
    ix.townsByKey_.clear(), ix.districtsByKey_.clear(), ix.postalAreas_.clear();
    ix.streetsByKey_.clear(), ix.placeKeys_.clear(), ix.streetKeys_.clear(), ix.segments_.clear();
    ix.addressGrid_->setCells({}), ix.segmentGrid_->setCells({});
    return false;
  };
  const auto count = [&](std::uint32_t& n, std::size_t atMost) { return r.get(n) && n <= atMost; };
  std::uint32_t n = 0;
  if (!count(n, words.size())) return fail();
  ix.towns_.resize(n);
  for (std::uint32_t t = 0; t < n; ++t) {
    IndexedTown& town = ix.towns_[t];
    std::uint32_t name = 0, codes = 0;
    if (!r.get(name) || !codec.text(name, town.name) || !r.get(town.place) || town.place < -1 ||
        town.place >= static_cast<std::int64_t>(ix.map_.places().size()) || !r.get(town.centre) ||
        !r.get(town.population) || !r.get(town.addressCount) || !count(codes, words.size())) {
      return fail();
    }
    for (std::uint32_t c = 0; c < codes; ++c) {
      std::uint32_t id = 0;
      if (!r.get(id) || !codec.text(id, town.postalCodes.emplace_back())) return fail();
    }
    town.key = matchKey(town.name);
    ix.townsByKey_[town.key].push_back(t);
  }
  if (!count(n, words.size())) return fail();
  ix.streets_.resize(n);
  for (std::uint32_t s = 0; s < n; ++s) {
    IndexedStreet& street = ix.streets_[s];
    std::uint32_t name = 0;
    if (!r.get(street.town) || street.town >= ix.towns_.size() || !r.get(name) ||
        !codec.text(name, street.name) || !r.get(street.addresses, addressCount) ||
        !r.get(street.records, recordCount)) {
      return fail();
    }
    street.key = matchKey(street.name);
    ix.streetsByKey_[street.key].push_back(s);
    ix.towns_[street.town].streets.emplace(street.key, s);
  }
  const auto streetCount = ix.streets_.size();
  if (!r.get(ix.addressStreet_, streetCount) || ix.addressStreet_.size() != addressCount) {
    return fail();
  }
  std::vector<std::uint32_t> recordStreets;
  if (!r.get(recordStreets, kNone + std::size_t{1}) || recordStreets.size() != recordCount) {
    return fail();
  }
  for (const std::uint32_t s : recordStreets) {
    if (s != kNone && s >= streetCount) return fail();
    ix.recordStreet_.push_back(s == kNone ? -1 : std::int64_t{s});
  }
  if (!count(n, words.size())) return fail();
  for (std::uint32_t k = 0; k < n; ++k) {
    std::uint32_t aliases = 0;
    if (!count(aliases, words.size()) || aliases == 0) return fail();
    std::vector<DistrictAlias> list(aliases);
    for (DistrictAlias& a : list) {
      std::uint32_t name = 0;
      if (!r.get(a.town) || a.town >= ix.towns_.size() || !r.get(name) ||
          !codec.text(name, a.name)) {
        return fail();
      }
    }
    ix.districtsByKey_.emplace(matchKey(list.front().name), std::move(list));
  }
  if (!count(n, words.size())) return fail();
  for (std::uint32_t k = 0; k < n; ++k) {
    std::uint32_t areas = 0;
    if (!count(areas, words.size()) || areas == 0) return fail();
    std::vector<PostalArea> list(areas);
    for (PostalArea& a : list) {
      std::uint32_t code = 0;
      if (!r.get(a.town) || a.town >= ix.towns_.size() || !r.get(code) ||
          !codec.text(code, a.code) || !r.get(a.point)) {
        return fail();
      }
    }
    ix.postalAreas_.emplace(std::string(list.front().code), std::move(list));
  }
  for (auto* keys : {&ix.placeKeys_, &ix.streetKeys_}) {
    if (!count(n, words.size())) return fail();
    keys->resize(n);
    for (std::string& key : *keys) {
      if (!r.get(key)) return fail();
    }
  }
  Cells addressCells, segmentCells;
  // Segments come after their grid in the file; the grid's items are checked against them.
  if (!IndexCodec::getCells(r, addressCells, addressCount) ||
      !IndexCodec::getCells(r, segmentCells, kNone)) {
    return fail();
  }
  std::uint32_t segments = 0;
  if (!count(segments, words.size())) return fail();
  for (std::uint32_t i = 0; i < segments; ++i) {
    std::uint32_t record = 0, first = 0;
    if (!r.get(record) || !r.get(first) || record >= recordCount) return fail();
    bool inside = false;
    for (const PointRange& part : ix.map_.ranges(ix.map_.streets()[record].parts)) {
      inside =
          inside || (first >= part.first && first + 1 < part.first + std::uint64_t{part.count});
    }
    if (!inside) return fail();
    ix.segments_.push_back({record, first});
  }
  for (const auto& [key, items] : segmentCells) {
    for (const std::uint32_t item : items) {
      if (item >= ix.segments_.size()) return fail();
    }
  }
  if (!r.atEnd()) return fail();
  ix.addressGrid_->setCells(std::move(addressCells));
  ix.segmentGrid_->setCells(std::move(segmentCells));
  ix.placeKeyFilter_ = KeyFilter(ix.placeKeys_);
  ix.streetKeyFilter_ = KeyFilter(ix.streetKeys_);
  return true;
}

}  // namespace geo
