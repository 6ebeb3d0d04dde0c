#pragma once
// The database file as a whole: checking that a file is a sound database of the program, writing
// a consistent copy of it, and putting a checked copy in its place. Files are never left half
// written: each is made under a temporary name in its target folder and renamed when complete.
#include <QString>
#include <QStringList>

namespace tandor {

class AdoConnection;

// The tables that the delivered database holds and that a restored file must hold.
QStringList DeliveredTableNames();

// Throws DatabaseError saying why the file is not a sound database of the program: no SQLite
// header, a size that does not match its pages, a failed "PRAGMA quick_check", or a delivered
// table missing. May normalise the file's journal mode, so it is run on a copy of the user's file.
void CheckDatabaseFile(const QString& path);

// Writes a consistent image of the database at source to target, replacing a file there, through
// SQLite's online backup from a connection of its own: what is committed is copied, a write in
// progress is not. On failure nothing is left at target's name or beside it.
void BackupDatabaseFile(const QString& source, const QString& target);

// Puts a copy of source in place of the database at live: the copy is made beside live and
// checked first; a copy that fails leaves live untouched and connection as it was. Otherwise the
// connection is closed (closing its datasets), stale journal files of live are removed, the copy
// is renamed over live, and the connection is opened again.
void RestoreDatabaseFile(const QString& source, const QString& live, AdoConnection& connection);

}  // namespace tandor
