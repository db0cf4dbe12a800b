#pragma once

// The test executable's own rename(), renameat() and renameat2(), which the
// C library's would be but for one thing: while `failing` is set, each fails
// with EIO, as a disk that fails at the last step of a save would. QSaveFile
// of Qt 6.4 on Linux writes an unnamed temporary file, links it under a
// temporary name beside the target and renames that over the target.
namespace failingRename {

void setFailing(bool failing);
// How many renames were asked for while failing: the proof that the save
// went through here at all.
int failedCalls();

}  // namespace failingRename
