#pragma once

#include <QString>
#include <QVariant>

// A field value as text, the way the program's German runtime turns values into strings:
// null -> "", integers in decimal, floating point with a decimal comma ("12,5", "1E20"),
// Booleans "True"/"False", dates "dd.mm.yyyy hh:nn:ss" (the time left out at midnight).
// Arrays (a byte array, a list) have no text of their own: Ok becomes false and the
// result is empty; ArrayElementTexts gives their elements instead.
QString VariantToText(const QVariant& Value, bool& Ok);

// The texts of a one-dimensional array's elements, in order; Ok is false when Value is no
// array or an element has no text (the texts gathered until then are kept).
QStringList ArrayElementTexts(const QVariant& Value, bool& Ok);

// Floating point number as general text: up to 15 significant digits, decimal comma,
// exponent form ("1E15", "1E-5") outside 0.0001 <= |Value| < 1E15.
QString FloatToText(double Value);
