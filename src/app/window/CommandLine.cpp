#include "app/window/CommandLine.h"

#include "app/ProgramInfo.h"

#include <QCommandLineParser>

#include <cstdio>

namespace {

// The program's language is German in every locale, so the help is written
// here rather than by QCommandLineParser, whose headings Qt translates.
QString helpText()
{
    return QStringLiteral(
        "Aufruf: gipfelfluss [Optionen]\n"
        "\n"
        "Berechnet den Gipfelfluss von Trinkwasser-Installationen aus der Summe der\n"
        "Belastungswerte und dem grössten Einzel-Belastungswert, zeigt ihn in l/s und\n"
        "l/min, im Diagramm und in der Tabelle der Resultate.\n"
        "\n"
        "Optionen:\n"
        "  -h, --help     Zeigt diese Hilfe an und endet.\n"
        "  -v, --version  Zeigt die Versionsnummer an und endet.\n"
        "\n"
        "Dazu kommen die Optionen jedes Qt-Programms, etwa -platform NAME oder -style NAME.\n");
}

QString refusal(const QString& what)
{
    return QStringLiteral("gipfelfluss: ") + what + QStringLiteral("\nMehr dazu mit »gipfelfluss --help«.\n");
}

// The argument as typed (-x, --name, --name=value) that the parser named.
QString typedOption(const QStringList& arguments, const QString& name)
{
    for (const QString& argument : arguments.mid(1)) {
        const QString option = argument.section(QLatin1Char('='), 0, 0);
        if (option.startsWith(QLatin1Char('-')) && QStringView(option).mid(option.startsWith(QStringLiteral("--")) ? 2 : 1) == name)
            return option;
    }
    return name;
}

// Options that QApplication and its X11 platform take (Qt 6.4). Before Qt has
// taken them, one of them may also carry a value that looks like an argument.
bool isQtOption(const QString& name)
{
    static const QStringList names = {
        QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"), QStringLiteral("qmljsdebugger"), QStringLiteral("qwindowgeometry"),
        QStringLiteral("qwindowicon"), QStringLiteral("qwindowtitle"), QStringLiteral("reverse"),
        QStringLiteral("session"), QStringLiteral("display"), QStringLiteral("geometry"), QStringLiteral("title"),
        QStringLiteral("icon"), QStringLiteral("name"), QStringLiteral("visual"), QStringLiteral("style"),
        QStringLiteral("stylesheet"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
        QStringLiteral("dograb"), QStringLiteral("sync"), QStringLiteral("testability")};
    return names.contains(name);
}

}  // namespace

CommandLine readCommandLine(const QStringList& arguments, CommandLine::Stage stage)
{
    QCommandLineParser parser;
    // Qt's own options are single-dash words such as -platform.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    const bool understood = parser.parse(arguments);

    if (parser.isSet(help)) return {CommandLine::Request::Help, helpText()};
    if (parser.isSet(version))
        return {CommandLine::Request::Version,
                QStringLiteral("gipfelfluss ") + QLatin1String(programInfo::version) + QLatin1Char('\n')};
    QStringList unknown = parser.unknownOptionNames();
    if (stage == CommandLine::Stage::BeforeQt) {
        const qsizetype qtOptions = unknown.removeIf(isQtOption);
        if (unknown.isEmpty() && qtOptions > 0) return {};  // for the check once Qt has taken its own
    }
    if (!understood && !unknown.isEmpty()) {
        const QString option = typedOption(arguments, unknown.first());
        return {CommandLine::Request::Refusal, refusal(QStringLiteral("unbekannte Option »") + option + QStringLiteral("«"))};
    }
    if (!parser.positionalArguments().isEmpty())
        return {CommandLine::Request::Refusal,
                refusal(QStringLiteral("unerwartetes Argument »") + parser.positionalArguments().first() + QStringLiteral("«"))};
    return {};
}

int answerCommandLine(const CommandLine& line)
{
    const QByteArray text = line.text.toLocal8Bit();
    std::fputs(text.constData(), line.request == CommandLine::Request::Refusal ? stderr : stdout);
    return line.exitStatus();
}
