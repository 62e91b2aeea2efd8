#pragma once

#include <QString>

// The working table of one workspace: one row per order, column n holding field n of a
// station. Every route table has the same columns, whatever its name.

inline constexpr int RouteTableColumnCount = 30;

// The 30 column names in their order, joined by "," without blanks: the column list of
// every whole-row insert and select.
QString RouteTableColumnList();

// CREATE TABLE statement of a route table named TableName.
QString RouteTableCreateStatement(const QString& TableName);

// The web application supplies the table name, so it must not reach a statement unless it
// is a plain Access identifier (letter first, then letters, digits or "_", at most 64
// characters) and not the name of the settings table.
bool IsValidRouteTableName(const QString& TableName);
