#pragma once

#include <QString>

// Result of every call into the map component. Non-negative values are success; False is a
// success that did nothing (an answer "no" rather than an error).
enum class ComStatus : int {
  Ok = 0,
  False = 1,
  Fail = -1,
  InvalidArgument = -2,
  NotReady = -3,
  NoInterface = -4,
};

inline bool Succeeded(ComStatus Status) { return static_cast<int>(Status) >= 0; }
inline bool Failed(ComStatus Status) { return static_cast<int>(Status) < 0; }

// The error description the component leaves for the calling thread, as a COM error object
// would: set by the failing call, read by the caller that needs a text.
void ComSetErrorText(const QString& Text);
void ComClearErrorText();
// The text of the last failure on this thread, "Unbekannter COM-Fehler" when there is none.
QString ComErrorText();

// Records Text for this thread and answers Status, so a failing call is one line.
ComStatus ComFail(const QString& Text, ComStatus Status = ComStatus::Fail);
