#pragma once

#include "cli/CommandLine.h"
#include "pipes/PipeSeries.h"

#include <QString>

#include <optional>

class NumberText;
struct SizingOptions;
class WorkbookModule;

// Pipe sizing on the command line: the catalogue with the user's file, the
// options of a section list, and --rohrserien.

// The built-in series and, with --rohrserien-datei, the file's, read through
// `workbooks` (loaded only then). None with the reason in `reason` when the
// file cannot be taken.
std::optional<pipes::PipeCatalogue> commandLineCatalogue(const CommandLine::Sizing& sizing, WorkbookModule& workbooks,
                                                         const NumberText& numbers, QString& reason);

// The options of --teilstrecken: the series for sections without their own
// (it must be known) and the defaults of v max and the temperature. None with
// the reason when one of them cannot serve.
std::optional<SizingOptions> sectionSizingOptions(const CommandLine::Sizing& sizing, pipes::PipeCatalogue catalogue,
                                                  const NumberText& numbers, QString& reason);

// --rohrserien: "Rohrserie", "Rohr", "di mm", "k mm" and a line for each
// size, tab-separated, numbers as the locale writes them in full.
QString pipeSeriesListing(const pipes::PipeCatalogue& catalogue, const NumberText& numbers);
