#include "cli/SizingCommand.h"

#include "app/WorkbookModule.h"
#include "base/NumberText.h"
#include "base/RuntimeError.h"
#include "pipes/PipeSeriesFile.h"
#include "pipes/SizingText.h"
#include "sections/SectionSizing.h"

std::optional<pipes::PipeCatalogue> commandLineCatalogue(const CommandLine::Sizing& sizing, WorkbookModule& workbooks,
                                                         const NumberText& numbers, QString& reason)
{
    pipes::PipeCatalogue catalogue = pipes::PipeCatalogue::builtIn();
    if (sizing.seriesFile.isEmpty()) return catalogue;
    try {
        reason = pipes::readPipeSeriesFile(workbooks.files(), sizing.seriesFile, numbers, catalogue);
    } catch (const RuntimeError& error) {
        reason = QString::fromUtf8(error.what());
    }
    if (!reason.isEmpty()) return std::nullopt;
    return catalogue;
}

std::optional<SizingOptions> sectionSizingOptions(const CommandLine::Sizing& sizing, pipes::PipeCatalogue catalogue,
                                                  const NumberText& numbers, QString& reason)
{
    SizingOptions options{std::move(catalogue), sizing.series.trimmed(), {}};
    if (!options.series.isEmpty() && !options.catalogue.find(options.series)) {
        reason = pipes::unknownSeries(options.series);
        return std::nullopt;
    }
    if (const auto v = pipes::readValue(pipes::Value::MaximumVelocity, sizing.maximumVelocity, numbers, reason))
        options.defaults.maximumVelocity = *v;
    if (!reason.isEmpty()) return std::nullopt;
    if (const auto t = pipes::readValue(pipes::Value::Temperature, sizing.temperature, numbers, reason))
        options.defaults.temperature = *t;
    if (!reason.isEmpty()) return std::nullopt;
    options.supplyPressure = pipes::readValue(pipes::Value::SupplyPressure, sizing.supplyPressure, numbers, reason);
    options.byPressure = sizing.byPressure;
    if (!reason.isEmpty()) return std::nullopt;
    return options;
}

QString pipeSeriesListing(const pipes::PipeCatalogue& catalogue, const NumberText& numbers)
{
    QString text = QStringLiteral("Rohrserie\tRohr\tdi mm\tk mm\n");
    for (const pipes::PipeSeries& series : catalogue.series())
        for (const pipes::PipeSize& size : series.sizes)
            text += series.name + QLatin1Char('\t') + size.label + QLatin1Char('\t') + numbers.exact(size.innerDiameter)
                    + QLatin1Char('\t') + numbers.exact(series.roughness) + QLatin1Char('\n');
    return text;
}
