#pragma once

#include "base/NumberText.h"
#include "pipes/PipeSeries.h"

#include <QString>

class WorkbookFiles;

namespace pipes {

// The headings of a file of pipe series, found in its first row that holds
// anything, in any order: one row a size.
inline const QString seriesHeading = QStringLiteral("Rohrserie");
inline const QString sizeHeading = QStringLiteral("Rohr");
inline const QString diameterHeading = QStringLiteral("di mm");
inline const QString roughnessHeading = QStringLiteral("k mm");

// Reads the user's pipe series from a workbook or CSV file (through the
// workbook files, as section lists are read) and puts them into
// `catalogue`, each in place of one of the same name. A file with any bad
// row is taken as a whole or not at all: the reason names the file, then
// each bad row with its number and what is wrong (di not a number or not
// above 0, k not a number or negative, two k in one series, a label twice in
// one series, a series or a label missing), one a line; `catalogue` then
// stays as it was. Returns the empty text when the file was taken.
QString readPipeSeriesFile(const WorkbookFiles& files, const QString& path, const NumberText& numbers,
                           PipeCatalogue& catalogue);

}  // namespace pipes
