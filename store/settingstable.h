#pragma once

#include <QString>

// Table RO: small settings records (Class, Data1, Data2) kept between runs.

QString SettingsTableName();

// CREATE TABLE statement of the settings table, run only together with a new database file.
QString SettingsTableCreateStatement();
