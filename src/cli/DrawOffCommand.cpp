#include "cli/DrawOffCommand.h"

#include "app/WorkbookModule.h"
#include "base/NumberText.h"
#include "base/RuntimeError.h"
#include "tally/DrawOffFile.h"

std::optional<tally::DrawOffCatalogue> commandLineDrawOffs(const QString& path, WorkbookModule& workbooks,
                                                           const NumberText& numbers, QString& reason)
{
    tally::DrawOffCatalogue catalogue = tally::DrawOffCatalogue::builtIn();
    if (path.isEmpty()) return catalogue;
    try {
        reason = tally::readDrawOffFile(workbooks.files(), path, numbers, catalogue);
    } catch (const RuntimeError& error) {
        reason = QString::fromUtf8(error.what());
    }
    if (!reason.isEmpty()) return std::nullopt;
    return catalogue;
}

QString drawOffListing(const tally::DrawOffCatalogue& catalogue, const NumberText& numbers)
{
    QString text = tally::pointHeading + QLatin1Char('\t') + tally::unitsEachHeading + QLatin1Char('\t')
                   + tally::minimumPressureHeading + QLatin1Char('\n');
    for (const tally::DrawOffPoint& point : catalogue.points())
        text += point.name + QLatin1Char('\t') + numbers.exact(point.unitsEach) + QLatin1Char('\t')
                + (point.minimumFlowPressure ? numbers.exact(*point.minimumFlowPressure) : QString()) + QLatin1Char('\n');
    return text;
}
