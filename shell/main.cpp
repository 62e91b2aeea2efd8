#include <QApplication>
#include <QSettings>
#include <cstdio>

#include "geo/map/defaultmap.h"
#include "shell/commandline.h"
#include "shell/mainform.h"
#include "workspace/mapviewbridge.h"

namespace {

int Print(FILE* Stream, const QString& Text, int ExitCode) {
  std::fprintf(Stream, "%s\n", Text.toLocal8Bit().constData());
  return ExitCode;
}

// The stored base address, used when the command line names none.
QString StoredHomeURL() {
  QSettings Settings("ZEPRouting", "ZEPRouting");
  const QString Address = Settings.value("HomeURL").toString();
  return IsValidHomeURL(Address) ? Address : QStringLiteral("http://127.0.0.1:8080/");
}

}  // namespace

int main(int argc, char** argv) {
  QStringList Arguments;
  for (int Index = 0; Index < argc; ++Index) Arguments << QString::fromLocal8Bit(argv[Index]);
  const TCommandLine Command = ParseCommandLine(Arguments);
  switch (Command.Action) {
    case TCommandLine::TAction::ShowHelp:
    case TCommandLine::TAction::ShowVersion:
      return Print(stdout, Command.Text, 0);
    case TCommandLine::TAction::Fail:
      return Print(stderr, Command.Text, 2);
    case TCommandLine::TAction::Run:
      break;
  }

  QApplication Application(argc, argv);
  QApplication::setApplicationVersion(ZEP_VERSION);
  TMainForm::TServices Services;
  Services.CreateMapServer = [](const QString& MapPath) { return CreateMapAdapterServer(MapPath); };
  Services.MapPathDefault = QString::fromStdString(geo::defaultMapRoot());
  TMainForm MainForm(Command.HomeURL.isEmpty() ? StoredHomeURL() : Command.HomeURL,
                     std::move(Services));
  MainForm.show();
  return Application.exec();
}
