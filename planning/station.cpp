#include "planning/station.h"

TStation::TStation() {
  for (int i = 0; i < FieldCount; ++i) Add(QString());
}

QString TStation::Field(int Field) const {
  return Field >= 0 && Field < Count() ? Strings(Field) : QString();
}

void TStation::SetField(int Field, const QString& Value) {
  if (Field >= 0 && Field < Count()) SetString(Field, Value);
}

void TStation::CopyFields(const TStation& Source) {
  if (&Source == this) return;
  Assign(Source.ToStringList());
  while (Count() < FieldCount) Add(QString());
}
