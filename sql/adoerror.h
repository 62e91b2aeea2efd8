#pragma once

#include <QString>
#include <stdexcept>

// What the ADO-like layer raises when the database or the provider refuses something.
// The SQL layer catches it and keeps the message; nothing above the SQL layer sees it.
class EADOError : public std::runtime_error {
 public:
  explicit EADOError(const QString& message)
      : std::runtime_error(message.toStdString()), Message(message) {}
  QString Message;
};
