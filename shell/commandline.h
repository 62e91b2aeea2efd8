#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of the program.
struct TCommandLine {
  enum class TAction { Run, ShowHelp, ShowVersion, Fail };
  TAction Action = TAction::Run;
  QString HomeURL;  // empty when not given
  QString Text;     // help, version or the German error text
};

TCommandLine ParseCommandLine(const QStringList& Arguments);

// Whether Address may be the web application's base address: an http(s) URL with a host,
// ending in "/".
bool IsValidHomeURL(const QString& Address);
