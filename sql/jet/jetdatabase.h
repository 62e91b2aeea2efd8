#pragma once

#include <QString>

struct sqlite3;

// Our database files are SQLite files marked with this application id, so that a file of
// another program is refused instead of being written to.
inline constexpr int kJetApplicationId = 0x5A45504A;  // "ZEPJ"

// Opens an existing database file of ours for reading and writing, with WAL journal,
// synchronous=NORMAL and the Jet functions registered. Raises EADOError when the file is
// missing, not an SQLite file or not one of ours. The caller closes the handle.
sqlite3* OpenJetDatabaseFile(const QString& Path);
