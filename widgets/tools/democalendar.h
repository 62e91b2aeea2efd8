#pragma once

class TPlanner;
class TPlannerWaitList;

// A realistic calendar for pictures and benchmarks: technicians or week days as columns,
// orders of every kind with warning images, absences, waiting times and a utilisation footer.
// The same inputs always give the same calendar.
struct TDemoCalendarOptions {
  bool WeekMode = false;  // one technician over 7 days instead of 10 technicians
  bool TimeOnTop = false;
  int Items = 60;
  bool GapAxes = false;  // a time axis before every column instead of the main one
};

void FillDemoCalendar(TPlanner& Planner, const TDemoCalendarOptions& Options);
void FillDemoWaitList(TPlannerWaitList& List);
