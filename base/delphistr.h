#pragma once

#include <QString>
#include <QVariant>
#include <initializer_list>

// Text helpers that behave like the Delphi runtime the program's formats come from.

// Removes every character up to and including the blank (codes 0..32) at both ends.
QString Trim(const QString& S);
QString TrimLeft(const QString& S);
QString TrimRight(const QString& S);

// Decimal (or "$"/"0x" hexadecimal) integer in the 32-bit range, leading blanks allowed;
// Default for anything else.
int StrToIntDef(const QString& S, int Default);

// A number with the German decimal comma ("12,5"), leading and trailing blanks allowed;
// Default for anything else.
double StrToFloatDef(const QString& S, double Default);

// Delphi's Format with the German locale: %s, %d, %u, %x, %f, %g, %e, %n, %% with optional
// "-" (left-justify), width and ".precision"; %f/%n use the decimal comma, %n groups
// thousands with ".". A missing argument or a letter that does not fit the value gives
// the specifier unchanged instead of failing.
QString Format(const QString& Pattern, std::initializer_list<QVariant> Args);
