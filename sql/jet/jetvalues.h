#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Jet's value conversions. Dates are stored the way Jet keeps them: a double of days since
// 30.12.1899 00:00, the fraction being the time of day. That number sorts and compares
// correctly and is what CDBL of a date gives in Access. Texts are read and written the
// German way the program uses (decimal comma, "dd.mm.yyyy hh:nn:ss").

double DaysFromDateTime(const QDateTime& Value);
// Whether a day number lies in Jet's date range, 1.1.100 to 31.12.9999.
bool IsJetDateInRange(double Days);
// Local wall-clock time of a day number; times are rounded to whole seconds as Jet shows them.
// Invalid outside Jet's date range.
QDateTime DateTimeFromDays(double Days);

// CDATE of a text: "dd.mm.yyyy[ hh:nn[:ss]]" (also one-digit day and month, two-digit years
// read 1930..2029), ISO "yyyy-mm-dd[ hh:nn[:ss]]" or "yyyy-mm-ddThh:nn:ss", and a bare time
// "hh:nn[:ss]" (on day 0). Surrounding blanks are ignored.
std::optional<double> ParseJetDateText(const QString& Text);

// The text between the hashes of a #...# literal: Jet's US order m/d/yyyy (with Jet's
// fallback to d/m/yyyy when the first number cannot be a month), the German dd.mm.yyyy and
// ISO yyyy-mm-dd, each with an optional time "hh:nn[:ss]" and AM/PM.
std::optional<double> ParseJetDateLiteral(const QString& Text);

// A number written in text: decimal comma or point, optional sign and exponent, blanks
// around it allowed; "&H" hexadecimal as in VBA.
std::optional<double> ParseJetNumber(const QString& Text);

// CSTR of a number: integers without decimals, others with up to 15 significant digits and
// the decimal comma.
QString JetNumberText(double Value);
// CSTR of a date: "dd.mm.yyyy hh:nn:ss", without the time at midnight and without the date
// on day 0.
QString JetDateText(double Days);
// CSTR of a Boolean, as Access in German shows it.
QString JetBooleanText(bool Value);

// Rounding half to even, as CLNG/CINT do.
double BankersRound(double Value);

// Character code of CHR/ASC in the Windows ANSI code page that Jet uses (cp1252).
std::optional<QChar> AnsiCharacter(int Code);
int AnsiCode(QChar Character);

// Case- and umlaut-aware text comparison of Access: equal when the case folds are equal,
// sorted with umlauts next to their base letters.
int JetCompareText(const QString& Left, const QString& Right);
