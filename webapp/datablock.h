#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace webapp {

using Row = std::vector<std::string>;

// The data block of a page: a workflow number and numbered queries of rows, written between
// two "[ZEPRouting]" marker lines. Rows are numbered from 1 without gaps.
class DataBlock {
 public:
  explicit DataBlock(int workflow) : workflow_(workflow) {}

  void addRow(int query, const Row& fields);
  void addRows(int query, const std::vector<Row>& rows);
  std::string text() const;

 private:
  int workflow_;
  std::vector<std::string> lines_;
  std::vector<int> rowCounts_;
};

// A value made fit to be one field: the field separators "~" and "|" become "/", line
// breaks "¶", other control characters and no-break spaces blanks, and "<", ">", "&" (which a
// page would show otherwise) "(", ")", "+". Leading and trailing blanks are dropped.
std::string blockField(std::string_view value);

}  // namespace webapp
