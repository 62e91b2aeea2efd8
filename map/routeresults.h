#pragma once

#include <QDate>
#include <QString>

// The next day after Day on which a route may run by the day mask ValidDays: with at most 7
// characters character k is ISO weekday k, with more it is day k of the month; "0" forbids
// the day, a missing or other character allows it. A mask that forbids every day gives the
// day a year on, rather than searching for ever.
QDate NextValidDay(QDate Day, const QString& ValidDays);

// Arrival text "dd.mm.yyyy hh:nn" of Seconds after the start of Day.
QString ArrivalText(QDate Day, int Seconds);
