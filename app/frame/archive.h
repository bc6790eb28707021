#pragma once
// The archive of estimates: copies of Headers, WrksInSmt and GroupsWks in the folder "sav" of
// the current directory. Both directions go through SQLite in one transaction over the six
// files, so other windows may keep the files open: they never see a torn or mixed copy, and
// the files themselves are never copied or replaced under their connections.

#include <QString>

// Copies the working files into the archive (making "sav" and the archive files when
// missing); false when nothing was copied (a foreign file, a lock held too long, ...).
bool saveArchive();

enum class RestoreResult {
    Restored,
    NothingToRestore,  // none of the three files in "sav"
    Incomplete,        // only some of them: nothing restored
    Failed,            // a foreign file, a lock held too long, ...: nothing restored
};
// Replaces the records of the working files by the archived ones, under fresh positions.
RestoreResult restoreArchive();

// What the frame says about the archive (exclamation icon, OK button).
namespace archive {
QString incompleteText();
QString restoreWarningCaption();
QString restoreFailedText();
QString saveFailedText();
QString saveFailedCaption();
}  // namespace archive
