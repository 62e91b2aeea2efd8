#pragma once

#include <QString>

// FORMAT of Access with the German locale.

// True when the mask formats dates or times ("dd.mm.yyyy", "hh:nn", "Short Date", ...).
bool IsJetDateMask(const QString& Mask);

// A day number (days since 30.12.1899) under a date mask. d/dd/ddd/dddd, m/mm/mmm/mmmm,
// yy/yyyy, h/hh, n/nn, s/ss, w, q, y and AM/PM; "m" right after an hour or right before
// seconds means minutes, as in Access; "/" and ":" are the German separators "." and ":";
// "\x" and "..." are literal text.
QString FormatJetDate(double Days, const QString& Mask);

// A number under a numeric mask ("0", "0.00", "#,##0.00", "0%", "Fixed", "Standard",
// "Percent"): German decimal comma and thousands point.
QString FormatJetNumber(double Value, const QString& Mask);
