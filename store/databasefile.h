#pragma once

#include <QString>

// The local database lives in a temporary directory that other users may share, and it
// holds customer addresses. These helpers keep it private to the user running the program.

// True when Path is a plain file owned by the current user (not a link that could point
// into somebody else's file), or does not exist at all.
bool IsOwnDatabaseFile(const QString& Path);

// Takes read and write access away from everybody but the owner, for the file and the
// journal files the database engine keeps beside it. A file of another user is left alone.
void RestrictToOwner(const QString& Path);
