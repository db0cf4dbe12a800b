#pragma once

// The test executable's own write() and libzip's zip_file_add(),
// zip_set_file_compression() and zip_close(), which are the real ones but
// for one step that is made to fail, as a full disk or a failing library
// would: the writes of a result workbook's temporary sheet file (which Qt
// writes, from the writer's deflating thread), adding the styles part,
// setting its compression, or the final close.
namespace failingWrites {

enum class Step { None, SheetFile, Entry, Compression, Close };

void failAt(Step step);
// How many calls failed since failAt: the proof that the writing went through here.
int failedCalls();

}  // namespace failingWrites
