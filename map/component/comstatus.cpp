#include "map/component/comstatus.h"

namespace {
thread_local QString lastErrorText;
}

void ComSetErrorText(const QString& Text) { lastErrorText = Text; }

void ComClearErrorText() { lastErrorText.clear(); }

QString ComErrorText() {
  return lastErrorText.isEmpty() ? QStringLiteral("Unbekannter COM-Fehler") : lastErrorText;
}

ComStatus ComFail(const QString& Text, ComStatus Status) {
  ComSetErrorText(Text);
  return Status;
}
