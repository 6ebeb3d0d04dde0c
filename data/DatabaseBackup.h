#pragma once
// The backup and restore commands of the main menu and the data navigation page. Each asks for a
// file through the file dialogs and reports the outcome in a message box.
namespace tandor {

// Saves a consistent copy of the database under a name the user chooses (today's date proposed).
void DatabaseBackup();
// Replaces the database by a backup the user chooses, after checking that it is a sound database
// of the program; the connection is opened again on the restored file.
void DatabaseRestore();

}  // namespace tandor
