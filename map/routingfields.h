#pragma once

#include <QString>

// Station fields the routing adapter reads and writes.
namespace RoutingField {
inline constexpr int Label = 1;
inline constexpr int X = 4;
inline constexpr int Y = 5;
inline constexpr int WindowStart = 21;
inline constexpr int WindowEnd = 22;
inline constexpr int Stay = 23;
inline constexpr int Arrival = 24;
inline constexpr int Distance = 25;
inline constexpr int WaitTime = 26;
}  // namespace RoutingField

// A field's whole number, Default when the text is none.
inline int IntOr(const QString& Text, int Default) {
  bool ok = false;
  const int v = Text.trimmed().toInt(&ok);
  return ok ? v : Default;
}
