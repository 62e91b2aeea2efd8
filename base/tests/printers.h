#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

#include "base/datetime.h"

// Test failures show readable values instead of bytes.
inline void PrintTo(const QString& Value, std::ostream* Out) {
  *Out << '"' << Value.toStdString() << '"';
}

inline void PrintTo(const QStringList& Value, std::ostream* Out) {
  *Out << '[' << Value.join("|").toStdString() << ']';
}

inline void PrintTo(const TDateTime& Value, std::ostream* Out) { *Out << Value.Value(); }
