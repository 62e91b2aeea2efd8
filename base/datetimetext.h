#pragma once

#include <QString>

#include "base/datetime.h"

// TDateTime as German text, written and read the way the program's Delphi runtime does.

// Delphi's FormatDateTime with German settings. Mask letters, in any case:
// d dd (day), ddd dddd (Mo / Montag), ddddd (dd.mm.yyyy), dddddd (dddd, d. mmmm yyyy),
// m mm (month; minutes right after an hour), mmm mmmm (Jan / Januar), yy yyyy, h hh, n nn,
// s ss, z zzz, t (hh:nn), tt (hh:nn:ss), c (date, then the time unless it is midnight),
// "/" the date separator ".", ":" the time separator; text in '…' or "…" stands as it is,
// every other character too. An empty mask means "c".
QString FormatDateTime(const QString& Format, TDateTime Value);
QString DateToStr(TDateTime Value);      // dd.mm.yyyy
QString TimeToStr(TDateTime Value);      // hh:nn:ss
QString DateTimeToStr(TDateTime Value);  // dd.mm.yyyy hh:nn:ss, the time left out at midnight

// German input, blanks around it allowed: a date "d.m.yyyy" (day and month with one or two
// digits), a time "h:n" or "h:n:s" (one or two digits each), and for a date-time the date,
// then blanks and a time, or the date alone (midnight). Years of one or two digits are
// 2000–2049 for 00–49 and 1950–1999 for 50–99 — a fixed window, so a text reads the same
// every year. Dates that do not exist (31.02.2016), 24:00 and anything else are refused.
bool TryStrToDate(const QString& S, TDateTime& Value);
bool TryStrToTime(const QString& S, TDateTime& Value);
bool TryStrToDateTime(const QString& S, TDateTime& Value);
TDateTime StrToDateDef(const QString& S, TDateTime Default);
TDateTime StrToTimeDef(const QString& S, TDateTime Default);
TDateTime StrToDateTimeDef(const QString& S, TDateTime Default);
