#pragma once

#include "base/NumberText.h"
#include "tally/DrawOffCatalogue.h"

#include <QString>

class WorkbookFiles;

namespace tally {

// The headings of a file of draw-off points, found in its first row that
// holds anything, in any order: one row a point.
inline const QString pointHeading = QStringLiteral("Entnahmestelle");
inline const QString unitsEachHeading = QStringLiteral("BW je Stück");
// Optional: the point's minimum flow pressure, hPa.
inline const QString minimumPressureHeading = QStringLiteral("Mindestfliessdruck hPa");

// Reads the user's draw-off points from a workbook or CSV file (through the
// workbook files, as section lists are read) and puts them into `catalogue`,
// each in place of one of the same name. A file with any bad row is taken as
// a whole or not at all: the reason names the file, then each bad row with
// its number and what is wrong (the name missing, BW je Stück missing, not a
// number or not above 0, a minimum flow pressure that is no number or not
// 0 to 100,000 hPa, a name twice), one a line; `catalogue` then stays
// as it was. Rows that hold nothing are passed over. Returns the empty text
// when the file was taken.
QString readDrawOffFile(const WorkbookFiles& files, const QString& path, const NumberText& numbers,
                        DrawOffCatalogue& catalogue);

}  // namespace tally
