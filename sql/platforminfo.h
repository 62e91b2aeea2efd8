#pragma once

#include <QString>

// The platform's temporary directory with a trailing separator, ready for a file name.
QString GetTempDirectory();

// The value stored under "\StringFileInfo\040704E4\" + Key in the version information of
// FileName (the running program when empty); empty without version information or value.
QString GetVersionInfoValue(const QString& FileName, const QString& Key);
