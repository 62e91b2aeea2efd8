#pragma once

struct sqlite3;

// Registers on an SQLite connection what compiled statements call: the JETTEXT collation
// (Access text comparison) and the jet_* functions (MID, CLNG, CDATE, FORMAT, LIKE with
// Jet's wildcards, the value conversions for columns, ...). Returns an SQLite result code.
int RegisterJetFunctions(sqlite3* Database);
