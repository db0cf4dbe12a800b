#include "app/window/WindowConventions.h"

namespace windowConventions {

// Liberation Sans has Arial's metrics. MS Sans Serif is an Arial-like
// grotesque; its 8.25 pt digits are about 6.5 pixels wide, and the chart
// centres its axis labels on that (the label "10" starts 100 twips left of
// its line). Liberation Sans at 8.25 pt (11 pixels) has 6-pixel digits,
// DejaVu Sans 7 and a much larger x-height, so Liberation Sans comes closer
// and keeps the window to one family.
const char arialFamily[] = "Liberation Sans";
const char standardFamily[] = "Liberation Sans";

const bool nativeFileDialogs = false;

}  // namespace windowConventions
