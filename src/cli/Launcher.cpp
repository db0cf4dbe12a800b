#include "cli/Launcher.h"

#include "app/ModuleFile.h"
#include "app/WindowProgram.h"
#include "app/WorkbookModule.h"
#include "base/NumberText.h"
#include "base/ProgramInfo.h"
#include "base/RuntimeError.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/DrawOffCommand.h"
#include "cli/OneCalculation.h"
#include "cli/SectionCommand.h"
#include "cli/SizingCommand.h"
#include "sections/SectionSizing.h"

namespace {

// The command line once QApplication has taken Qt's options: the window, or
// the answer to what remains.
int answerRemaining(const QStringList& arguments)
{
    const CommandLine line = readCommandLine(arguments, CommandLine::Stage::AfterQt);
    return line.request == CommandLine::Request::Window ? -1 : answerCommandLine(line);
}

int runWindow(int argc, char* argv[], QObject* windowWatcher)
{
    QString failure;
    int status = 1;
    try {
        ModuleFile module(QLatin1String(programInfo::windowModule), QStringLiteral("für das Fenster"),
                          ModuleFile::Lookup::ModuleFirst);
        status = module.open<WindowProgram>().run(argc, argv, {answerRemaining, windowWatcher}, failure);
    } catch (const RuntimeError& error) {
        failure = QString::fromUtf8(error.what());
    }
    if (failure.isEmpty()) return status;
    writeText(stderr, QStringLiteral("gipfelfluss: ") + failure + QLatin1Char('\n'));
    return 1;
}

int refuse(const QString& reason)
{
    writeText(stderr, QStringLiteral("gipfelfluss: ") + reason + QLatin1Char('\n'));
    return 2;
}

// The workbook formats come from their module, as in the window.
int runSectionList(const QString& list, const QString& output, const CommandLine::Sizing& sizing,
                   const QString& drawOffFile)
{
    WorkbookModule workbooks;
    const NumberText numbers(QLocale::system());
    const WorkbookFiles* files = nullptr;
    QString reason;
    try {
        files = &workbooks.files();
    } catch (const RuntimeError& error) {
        return refuse(QString::fromUtf8(error.what()));
    }
    std::optional<pipes::PipeCatalogue> catalogue = commandLineCatalogue(sizing, workbooks, numbers, reason);
    if (!catalogue) return refuse(reason);
    std::optional<SizingOptions> options = sectionSizingOptions(sizing, std::move(*catalogue), numbers, reason);
    if (!options) return refuse(reason);
    std::optional<tally::DrawOffCatalogue> drawOffs = commandLineDrawOffs(drawOffFile, workbooks, numbers, reason);
    if (!drawOffs) return refuse(reason);
    options->drawOffPoints = std::move(*drawOffs);
    return sectionCommand(*files, list, output, numbers, stdout, stderr, *options);
}

// One calculation; the workbook module only for a file of pipe series.
int runCalculation(const QString& total, const QString& largestUnit, const CommandLine::Sizing& sizing)
{
    WorkbookModule workbooks;
    QString reason;
    const std::optional<pipes::PipeCatalogue> catalogue =
        commandLineCatalogue(sizing, workbooks, NumberText(QLocale::system()), reason);
    if (!catalogue) return refuse(reason);
    return printCalculation(total, largestUnit, sizing, *catalogue);
}

int listPipeSeries(const CommandLine::Sizing& sizing)
{
    WorkbookModule workbooks;
    const NumberText numbers(QLocale::system());
    QString reason;
    const std::optional<pipes::PipeCatalogue> catalogue = commandLineCatalogue(sizing, workbooks, numbers, reason);
    if (!catalogue) return refuse(reason);
    writeText(stdout, pipeSeriesListing(*catalogue, numbers));
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 2;
}

int listDrawOffPoints(const QString& drawOffFile)
{
    WorkbookModule workbooks;
    const NumberText numbers(QLocale::system());
    QString reason;
    const std::optional<tally::DrawOffCatalogue> catalogue = commandLineDrawOffs(drawOffFile, workbooks, numbers, reason);
    if (!catalogue) return refuse(reason);
    writeText(stdout, drawOffListing(*catalogue, numbers));
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 2;
}

}  // namespace

int launch(int argc, char* argv[], QObject* windowWatcher)
{
    const CommandLine line = readCommandLine(commandLineArguments(argc, argv), CommandLine::Stage::BeforeQt);
    switch (line.request) {
    case CommandLine::Request::Window: return runWindow(argc, argv, windowWatcher);
    case CommandLine::Request::Calculate: return runCalculation(line.operands.at(0), line.operands.at(1), line.sizing);
    case CommandLine::Request::SectionList:
        return runSectionList(line.operands.at(0), line.operands.at(1), line.sizing, line.drawOffFile);
    case CommandLine::Request::PipeSeries: return listPipeSeries(line.sizing);
    case CommandLine::Request::DrawOffPoints: return listDrawOffPoints(line.drawOffFile);
    case CommandLine::Request::Help:
    case CommandLine::Request::Version:
    case CommandLine::Request::Refusal: break;
    }
    return answerCommandLine(line);
}
