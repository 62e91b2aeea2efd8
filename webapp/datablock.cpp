#include "webapp/datablock.h"

namespace webapp {

namespace {
constexpr std::string_view kMarker = "[ZEPRouting]";
}

std::string blockField(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    switch (c) {
      case '~':
      case '|':
        out += '/';
        break;
      case '<':
        out += '(';
        break;
      case '>':
        out += ')';
        break;
      case '&':
        out += '+';
        break;
      case '\r':
        if (i + 1 < value.size() && value[i + 1] == '\n') ++i;
        out += "¶";
        break;
      case '\n':
        out += "¶";
        break;
      default:
        out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? ' ' : c;
    }
  }
  const auto first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

void DataBlock::addRow(int query, const Row& fields) {
  if (static_cast<int>(rowCounts_.size()) < query)
    rowCounts_.resize(static_cast<std::size_t>(query));
  const int row = ++rowCounts_[static_cast<std::size_t>(query - 1)];
  std::string line = "Q" + std::to_string(query) + "R" + std::to_string(row) + "=";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += '~';
    line += blockField(fields[i]);
  }
  lines_.push_back(std::move(line));
}

void DataBlock::addRows(int query, const std::vector<Row>& rows) {
  for (const auto& row : rows) addRow(query, row);
}

std::string DataBlock::text() const {
  // Readers take a workflow line of 0 or below as "no workflow" and use the number modulo
  // 1000, so workflow 0 is written as 1000.
  const int line = workflow_ == 0 ? 1000 : workflow_;
  std::string text = std::string(kMarker) + "\n" + std::to_string(line) + "\n";
  for (const auto& line : lines_) text += line + "\n";
  return text + std::string(kMarker) + "\n";
}

}  // namespace webapp
