#pragma once

#include "base/NumberText.h"
#include "calc/PeakFlow.h"

#include <QString>

// The words for the outcome of one calculation (calc::evaluate), the same in
// the tally dialog, the section lists and on the command line. Numbers in
// them are the locale's shortest texts that read back as the same double.
namespace calculationText {

// Which formula served: "ab 300 BW", or "Einzel BW 2" ... "Einzel BW 8".
QString formulaName(calc::Case c, const NumberText& numbers);

// Why the calculation refuses the two numbers, e.g.
// "grösster Einzel BW 7: nur 2, 3, 4, 5 oder 8 unter 300 BW" or
// "Total 1,5 BW unter dem Minimum 2". Empty for an accepted outcome.
QString refusalReason(const calc::Outcome& outcome, double total, double largestUnit, const NumberText& numbers);

// A value that is no number: "BW ist keine Zahl: »abc«"; `what` names it
// ("BW", "Einzel BW").
QString notANumber(const QString& what, const QString& text);

// A value that is not given at all: "BW fehlt".
QString missing(const QString& what);

// Adds `reason` to the reasons of one row, joined by "; "; nothing for an
// empty reason or one already said last.
void addReason(QString& reasons, const QString& reason);

}  // namespace calculationText
