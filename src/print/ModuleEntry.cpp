#include "print/ReportPrinter.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT const ReportPrinting* gipfelflussReportPrinting(int version)
{
    return version == ReportPrinting::version ? &linkedReportPrinting() : nullptr;
}
