#pragma once

#include <QString>

// `gipfelfluss --berechnen BW EINZEL`: the two texts read as the window reads
// Text1 and Text2, calculated by calc::evaluate, and the flow written to
// standard output as the window shows it in Text3 and Text4, in the user's
// locale: "1,63 l/s<TAB>97,7 l/min". Returns the exit status: 0, or 1 for
// refused input, whose reason goes to standard error and nothing to
// standard output.
int printCalculation(const QString& total, const QString& largestUnit);
