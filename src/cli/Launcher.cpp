#include "cli/Launcher.h"

#include "app/ModuleFile.h"
#include "app/WindowProgram.h"
#include "app/WorkbookModule.h"
#include "base/NumberText.h"
#include "base/ProgramInfo.h"
#include "base/RuntimeError.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/OneCalculation.h"
#include "cli/SectionCommand.h"

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

// The workbook formats come from their module, as in the window.
int runSectionList(const QString& list, const QString& output)
{
    WorkbookModule workbooks;
    const WorkbookFiles* files = nullptr;
    try {
        files = &workbooks.files();
    } catch (const RuntimeError& error) {
        writeText(stderr, QStringLiteral("gipfelfluss: ") + QString::fromUtf8(error.what()) + QLatin1Char('\n'));
        return 2;
    }
    return sectionCommand(*files, list, output, NumberText(QLocale::system()), stdout, stderr);
}

}  // namespace

int launch(int argc, char* argv[], QObject* windowWatcher)
{
    const CommandLine line = readCommandLine(commandLineArguments(argc, argv), CommandLine::Stage::BeforeQt);
    switch (line.request) {
    case CommandLine::Request::Window: return runWindow(argc, argv, windowWatcher);
    case CommandLine::Request::Calculate: return printCalculation(line.operands.at(0), line.operands.at(1));
    case CommandLine::Request::SectionList: return runSectionList(line.operands.at(0), line.operands.at(1));
    case CommandLine::Request::Help:
    case CommandLine::Request::Version:
    case CommandLine::Request::Refusal: break;
    }
    return answerCommandLine(line);
}
