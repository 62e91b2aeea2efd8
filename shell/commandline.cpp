#include "shell/commandline.h"

#include <QCommandLineParser>
#include <QUrl>

#ifndef ZEP_VERSION
#define ZEP_VERSION "0"
#endif

bool IsValidHomeURL(const QString& Address) {
  const QUrl Url(Address, QUrl::StrictMode);
  return Url.isValid() && (Url.scheme() == "http" || Url.scheme() == "https") &&
         !Url.host().isEmpty() && Address.endsWith('/') && !Url.hasQuery() && !Url.hasFragment();
}

TCommandLine ParseCommandLine(const QStringList& Arguments) {
  QCommandLineParser Parser;
  Parser.setApplicationDescription(
      QString::fromUtf8("ZEPRouting: Tourenplanung und Personaleinsatzplanung."));
  const QCommandLineOption Help({"h", "help"}, QString::fromUtf8("Zeigt diese Hilfe."));
  const QCommandLineOption Version({"v", "version"}, "Zeigt die Version.");
  const QCommandLineOption HomeURL(
      "home-url",
      QString::fromUtf8("Basisadresse der Webanwendung, z. B. http://127.0.0.1:8080/ "
                        "(sonst die gespeicherte Einstellung)."),
      "URL");
  Parser.addOptions({Help, Version, HomeURL});

  TCommandLine Result;
  if (!Parser.parse(Arguments)) {
    Result.Action = TCommandLine::TAction::Fail;
    Result.Text = Parser.errorText();
  } else if (Parser.isSet(Help)) {
    Result.Action = TCommandLine::TAction::ShowHelp;
    Result.Text = Parser.helpText();
  } else if (Parser.isSet(Version)) {
    Result.Action = TCommandLine::TAction::ShowVersion;
    Result.Text = QStringLiteral("ZEPRouting %1").arg(ZEP_VERSION);
  } else if (!Parser.positionalArguments().isEmpty()) {
    Result.Action = TCommandLine::TAction::Fail;
    Result.Text =
        QString::fromUtf8("Unbekanntes Argument: %1").arg(Parser.positionalArguments().first());
  } else if (Parser.isSet(HomeURL)) {
    Result.HomeURL = Parser.value(HomeURL);
    if (!IsValidHomeURL(Result.HomeURL)) {
      Result.Action = TCommandLine::TAction::Fail;
      Result.Text = QString::fromUtf8(
                        "Ungültige Adresse der Webanwendung: %1 (erwartet wird eine "
                        "HTTP-Adresse, die mit \"/\" endet)")
                        .arg(Result.HomeURL);
    }
  }
  return Result;
}
