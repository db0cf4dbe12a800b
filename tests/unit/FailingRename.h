#pragma once

#include <QString>

// Makes the last step of a save fail: the complete temporary file cannot
// take the target's place.
// - Linux (FailingRenameLinux.cpp): the test executable's own rename(),
//   renameat() and renameat2(), which fail with EIO while failing, as a disk
//   that fails at the last step would. QSaveFile of Qt 6.4 on Linux writes an
//   unnamed temporary file, links it under a temporary name beside the
//   target and renames that over the target.
// - Windows (FailingRenameWindows.cpp): the target is held open as a
//   spreadsheet program holds an open workbook (others may read and write
//   it, not delete or replace it), so Windows refuses to move a file onto it.
namespace failingRename {

// Starts failing the saves onto `target`, which exists; an empty path stops it.
void setFailing(const QString& target);
// The proof that the failure is in place: on Linux how many renames failed
// since it started, on Windows 1 while the target is held open.
int failedCalls();

}  // namespace failingRename
