#pragma once

#include "sql/adoprovider.h"

// "Microsoft.Jet.OLEDB.4.0": an SQLite database file at the data source, spoken to in the
// Access dialect. Every statement is compiled to SQLite SQL before it runs.
inline constexpr char kJetProviderName[] = "Microsoft.Jet.OLEDB.4.0";

std::unique_ptr<TADOProvider> CreateJetProvider();

// Creates a new, empty database file of ours at Path; raises EADOError when the file
// exists already or cannot be written.
void CreateJetDatabase(const QString& Path);
