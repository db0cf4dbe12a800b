#pragma once

#include "print/ReportPrinting.h"

// The printing of this library, for the module's exported function and for
// tests that link the library directly.
const ReportPrinting& linkedReportPrinting();
