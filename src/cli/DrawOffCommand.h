#pragma once

#include "tally/DrawOffCatalogue.h"

#include <QString>

#include <optional>

class NumberText;
class WorkbookModule;

// The draw-off points on the command line: the catalogue with the user's
// file, and --entnahmestellen.

// The built-in points and, with --entnahmestellen-datei, the file's (`path`
// not empty), read through `workbooks` (loaded only then). None with the
// reason in `reason` when the file cannot be taken.
std::optional<tally::DrawOffCatalogue> commandLineDrawOffs(const QString& path, WorkbookModule& workbooks,
                                                           const NumberText& numbers, QString& reason);

// --entnahmestellen: "Entnahmestelle", "BW je Stück", "Mindestfliessdruck hPa" and a line for each
// point, tab-separated, numbers as the locale writes them in full.
QString drawOffListing(const tally::DrawOffCatalogue& catalogue, const NumberText& numbers);
