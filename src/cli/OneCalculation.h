#pragma once

#include "cli/CommandLine.h"
#include "pipes/PipeSeries.h"

#include <QString>

// `gipfelfluss --berechnen BW EINZEL`: the two texts read as the window reads
// Text1 and Text2, calculated by calc::evaluate, and the flow written to
// standard output as the window shows it in Text3 and Text4, in the user's
// locale: "1,63 l/s<TAB>97,7 l/min". With --rohrserie the pipe of that
// series follows on the same line: "<TAB>Kupfer 42×1,5<TAB>di 39,0 mm<TAB>
// v 1,36 m/s<TAB>R 5,2 hPa/m", and "<TAB>Δp 104,8 hPa" with a length or Σζ.
// Returns the exit status: 0, or 1 for refused input, whose reason goes to
// standard error and nothing to standard output; 1 also when v stays above v
// max even in the series' largest size, whose line is written with the reason.
int printCalculation(const QString& total, const QString& largestUnit, const CommandLine::Sizing& sizing = {},
                     const pipes::PipeCatalogue& catalogue = pipes::PipeCatalogue::builtIn());
