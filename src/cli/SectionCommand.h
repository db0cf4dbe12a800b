#pragma once

#include <QString>

#include "sections/SectionList.h"

#include <cstdio>

class NumberText;
class WorkbookFiles;

// The command line's "--teilstrecken LISTE [--ausgabe DATEI]": the list at
// `list` ("-" for CSV on standard input) calculated into `output` (a file,
// or standard output as tab-separated lines when empty). Reasons go to `err`
// as "gipfelfluss: ..." lines, and so does a network's summary. Returns the
// exit status: 0 when every section was calculated, 1 when some were refused
// or have a value that cannot be computed, 3 when all is computed but a
// reserve is negative, 2 when the list cannot be read or the result cannot be
// written (no result file is then left behind).
// `sizing`: the pipe series and defaults of a sized list.
int sectionCommand(const WorkbookFiles& files, const QString& list, const QString& output, const NumberText& numbers,
                   std::FILE* out, std::FILE* err, const SizingOptions& sizing = SectionList::noSizing());
