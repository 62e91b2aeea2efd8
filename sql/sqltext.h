#pragma once

#include <QChar>
#include <QString>

// Brings the trimmed S to exactly Len characters: right-aligned with LeftPad (pad in front,
// only the last Len characters kept), else left-aligned (pad behind, the first Len kept).
// A Len of 0 or less strips the leading PadChar characters from the trimmed S instead.
QString PadString(const QString& S, int Len, QChar PadChar, bool LeftPad);

// The decimal Value right-aligned to Len characters, e.g. 7 -> "007" with '0' and Len 3.
QString PadInteger(int Value, int Len, QChar PadChar);
