#pragma once

#include "base/stringlist.h"

// One place to visit: exactly 30 text fields, field n being column n of the route table
// (0 order number, 1 label, 4/5 map coordinates, 6-11 address, 21/22 time window in seconds
// after midnight, 23 stay time, 24 arrival, 25/26 optimisation results, 27 map marker,
// 28 Reihe, 29 pin symbol or Route). Fields are read and written as the list's strings.
class TStation : public TStringList {
 public:
  static constexpr int FieldCount = 30;

  TStation();

  // Field Field, or an empty string when the station has no such field.
  QString Field(int Field) const;
  // Writes Field when the station has it; other numbers are ignored.
  void SetField(int Field, const QString& Value);
  // Takes over every field of Source, one by one, so a value holding a line break stays
  // one field; the station keeps at least 30 fields.
  void CopyFields(const TStation& Source);
};
