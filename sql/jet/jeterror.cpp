#include "sql/jet/jeterror.h"

void RaiseJetSyntaxError(const QString& What, int Position) {
  throw EADOError(QStringLiteral("Syntaxfehler in der SQL-Anweisung: %1 (an Position %2).")
                      .arg(What)
                      .arg(Position));
}

void RaiseJetError(const QString& Message) { throw EADOError(Message); }
