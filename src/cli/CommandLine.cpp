#include "cli/CommandLine.h"

#include "base/ProgramInfo.h"
#include "cli/Console.h"

#include <QCommandLineParser>

#include <cstdio>

namespace {

// The program's language is German in every locale, so the help is written
// here rather than by QCommandLineParser, whose headings Qt translates.
QString helpText()
{
    return QStringLiteral(
        "Aufruf: gipfelfluss [Optionen]\n"
        "        gipfelfluss --berechnen BW EINZEL\n"
        "        gipfelfluss --berechnen BW EINZEL --rohrserie NAME [--laenge L] [--zeta Z]\n"
        "                    [--vmax V] [--temperatur T] [--rohrserien-datei DATEI]\n"
        "        gipfelfluss --teilstrecken LISTE [--ausgabe DATEI] [--rohrserie NAME]\n"
        "                    [--vmax V] [--temperatur T] [--rohrserien-datei DATEI]\n"
        "                    [--entnahmestellen-datei DATEI] [--versorgungsdruck P]\n"
        "                    [--nach-druck]\n"
        "        gipfelfluss --rohrserien [--rohrserien-datei DATEI]\n"
        "        gipfelfluss --entnahmestellen [--entnahmestellen-datei DATEI]\n"
        "\n"
        "Berechnet den Gipfelfluss von Trinkwasser-Installationen aus der Summe der\n"
        "Belastungswerte und dem grössten Einzel-Belastungswert, zeigt ihn in l/s und\n"
        "l/min, im Diagramm und in der Tabelle der Resultate.\n"
        "\n"
        "Befehle ohne Fenster:\n"
        "  --berechnen BW EINZEL\n"
        "                 Berechnet den Gipfelfluss aus dem Total der Belastungswerte BW\n"
        "                 und dem grössten Einzel-Belastungswert EINZEL wie »Berechnen«\n"
        "                 im Fenster und schreibt ihn als eine Zeile: l/s und l/min,\n"
        "                 durch einen Tabulator getrennt, mit dem Dezimalzeichen des\n"
        "                 Gebietsschemas. Endet mit 0, bei ungültiger Eingabe mit 1.\n"
        "                 Beispiel: gipfelfluss --berechnen 250 5\n"
        "                 schreibt unter de_DE.UTF-8 »1,63 l/s« und »97,7 l/min«.\n"
        "  --teilstrecken LISTE [--ausgabe DATEI]\n"
        "                 Berechnet jede Teilstrecke einer Liste (erstes Arbeitsblatt\n"
        "                 einer Arbeitsmappe .xlsx, .xls, .ods oder eine CSV-Datei, »-«\n"
        "                 für CSV von der Standardeingabe) mit den Spalten »BW« und\n"
        "                 »Einzel BW«. Mit --ausgabe in die DATEI (.xlsx, .csv oder .tsv\n"
        "                 nach der Endung), sonst tabulatorgetrennt mit der\n"
        "                 Überschriftszeile auf die Standardausgabe. Endet mit 0, wenn\n"
        "                 alle berechnet sind, mit 1, wenn welche ungültig sind, mit 2,\n"
        "                 wenn die Liste nicht lesbar oder die Ausgabe nicht schreibbar ist.\n"
        "                 Statt »BW« und »Einzel BW« kann die Liste Entnahmestellen zählen:\n"
        "                 Spalten mit deren Namen (»Waschtisch«, »Dusche«, …) halten die\n"
        "                 Anzahl je Teilstrecke (ganze Zahlen ab 0, leer ist 0); BW und\n"
        "                 Einzel BW kommen dann aus den Anzahlen, und stehen die Spalten\n"
        "                 auch da, müssen sie mit ihnen übereinstimmen.\n"
        "                 Beispiel: gipfelfluss --teilstrecken Haus.csv --ausgabe Haus.xlsx\n"
        "                 Mit einer Spalte »Zuleitung« (der Name der speisenden\n"
        "                 Teilstrecke, leer ab der Versorgung) ist die Liste ein Netz:\n"
        "                 BW und Einzel BW werden zur Versorgung hin summiert; eine\n"
        "                 Teilstrecke mit genau einer Entnahmestelle führt deren Durchfluss\n"
        "                 (BW × 0,1 l/s, »eine Entnahmestelle«). Bemessen und mit »Länge«\n"
        "                 oder »Zeta« kommt der Druck auf jedem Fliessweg dazu, mit den\n"
        "                 Spalten »Höhe« (m), »Apparate«, »Mindestfliessdruck« und\n"
        "                 »Versorgungsdruck« (hPa): Δp geo hPa, p erf. hPa, p Anfang hPa,\n"
        "                 Reserve hPa und der ungünstigste Fliessweg, dessen Zusammen-\n"
        "                 fassung auf die Standardfehlerausgabe geht. Endet mit 3, wenn\n"
        "                 alles berechnet ist, aber eine Reserve negativ ist.\n"
        "  --rohrserien   Schreibt die bekannten Rohrserien tabulatorgetrennt: Rohrserie,\n"
        "                 Rohr, di mm, k mm, eine Zeile je Rohr.\n"
        "  --entnahmestellen\n"
        "                 Schreibt die bekannten Entnahmestellen tabulatorgetrennt:\n"
        "                 Entnahmestelle, BW je Stück, Mindestfliessdruck hPa, eine Zeile\n"
        "                 je Entnahmestelle.\n"
        "\n"
        "Rohrweite (zu --berechnen mit --rohrserie, zu --teilstrecken):\n"
        "  --rohrserie NAME\n"
        "                 Bemisst mit der Rohrserie NAME (»Kupfer«, »Edelstahl«, »Stahl\n"
        "                 verzinkt«, »PE-X«, »Mehrschichtverbund« oder eine eigene) das\n"
        "                 kleinste Rohr, in dem v höchstens v max ist, und schreibt Rohr,\n"
        "                 di, v, R und mit Länge oder Zeta den Druckverlust Δp dazu.\n"
        "                 Bei --teilstrecken für Zeilen ohne eigene Spalte »Rohrserie«;\n"
        "                 dazu kommen die Spalten Rohr, di mm, v m/s, R hPa/m, R·l hPa,\n"
        "                 Z hPa und Δp hPa. Liegt v auch im grössten Rohr über v max,\n"
        "                 endet der Befehl mit 1. Beispiel unter de_DE.UTF-8:\n"
        "                 gipfelfluss --berechnen 250 5 --rohrserie Kupfer --laenge 12 --zeta 4,5\n"
        "  --laenge L     Länge der Teilstrecke in m (0 bis 100000), nur zu --berechnen.\n"
        "  --zeta Z       Summe der Verlustbeiwerte Σζ (0 bis 10000), nur zu --berechnen.\n"
        "  --vmax V       Grösste Fliessgeschwindigkeit in m/s (Vorgabe 2).\n"
        "  --temperatur T Wassertemperatur in °C, 5 bis 90 (Vorgabe 10).\n"
        "  --versorgungsdruck P\n"
        "                 Mindestdruck nach dem Wasserzähler beim Gipfelfluss in hPa\n"
        "                 (0 bis 100000), nur zu --teilstrecken, für die Teilstrecken\n"
        "                 eines Netzes ab der Versorgung ohne eigene Spalte.\n"
        "  --nach-druck   Wählt in einem bemessenen Netz mit Versorgungsdruck die Rohre\n"
        "                 mit dem kleinsten Wasserinhalt, bei denen v höchstens v max ist\n"
        "                 und jede Entnahmestelle ihren Mindestfliessdruck hat; dazu die\n"
        "                 Spalte »Rohr nach v max«. Eine Spalte »Rohr vorgegeben«\n"
        "                 (»28×1,5« oder »Kupfer 28×1,5«) hält ein Rohr fest, auch ohne\n"
        "                 --nach-druck. Reicht der Druck auch mit den grössten Rohren\n"
        "                 nicht, nimmt es diese auf den Wegen, die zu kurz kommen, und\n"
        "                 endet mit 3. Nur zu --teilstrecken.\n"
        "  --rohrserien-datei DATEI\n"
        "                 Eigene Rohrserien aus einer Arbeitsmappe oder CSV-Datei mit den\n"
        "                 Spalten »Rohrserie«, »Rohr«, »di mm« und »k mm«; sie ersetzen\n"
        "                 gleichnamige eingebaute.\n"
        "\n"
        "Entnahmestellen (zu --teilstrecken und --entnahmestellen):\n"
        "  --entnahmestellen-datei DATEI\n"
        "                 Eigene Entnahmestellen aus einer Arbeitsmappe oder CSV-Datei mit\n"
        "                 den Spalten »Entnahmestelle« und »BW je Stück«; sie ersetzen\n"
        "                 gleichnamige eingebaute und kommen zu ihnen hinzu.\n"
        "\n"
        "Optionen:\n"
        "  -h, --help     Zeigt diese Hilfe an und endet.\n"
        "  -v, --version  Zeigt die Versionsnummer an und endet.\n"
        "\n"
        "Dazu kommen für das Fenster die Optionen jedes Qt-Programms, etwa\n"
        "-platform NAME oder -style NAME.\n");
}

QString refusal(const QString& what)
{
    return QStringLiteral("gipfelfluss: ") + what + QStringLiteral("\nMehr dazu mit »gipfelfluss --help«.\n");
}

// The option's name in an argument as typed (-x, --name, --name=value);
// empty for an argument that is no option.
QString optionName(const QString& argument)
{
    if (!argument.startsWith(QLatin1Char('-'))) return {};
    const QString option = argument.section(QLatin1Char('='), 0, 0);
    return option.mid(option.startsWith(QStringLiteral("--")) ? 2 : 1);
}

// The option as typed (-x, --name) that the parser named.
QString typedOption(const QStringList& arguments, const QString& name)
{
    for (const QString& argument : arguments.mid(1))
        if (optionName(argument) == name) return argument.section(QLatin1Char('='), 0, 0);
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

namespace {

// The two values of --berechnen are the two arguments after it (after a "--"
// right behind it, if there is one), whatever they start with, as the window
// takes whatever its two boxes hold: "-1" is a value there, not an option.
// Taken out of `arguments`; fewer than two when the line ends before.
QStringList takeCalculationValues(QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--")) break;
        if (optionName(arguments[i]) != QLatin1String("berechnen") || arguments[i].contains(QLatin1Char('='))) continue;
        qsizetype first = i + 1;
        if (first < arguments.size() && arguments[first] == QLatin1String("--")) ++first;
        const QStringList values = arguments.mid(first, 2);
        arguments.remove(i + 1, first - (i + 1) + values.size());
        return values;
    }
    return {};
}

}  // namespace

CommandLine readCommandLine(const QStringList& typed, CommandLine::Stage stage)
{
    QStringList arguments = typed;
    const QStringList calculationValues = takeCalculationValues(arguments);
    QCommandLineParser parser;
    // Qt's own options are single-dash words such as -platform.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    // The commands that answer without the window; the values of --berechnen
    // are taken out before (takeCalculationValues).
    const QCommandLineOption calculate(QStringLiteral("berechnen"));
    const QCommandLineOption sections(QStringLiteral("teilstrecken"), QString(), QStringLiteral("LISTE"));
    const QCommandLineOption output(QStringLiteral("ausgabe"), QString(), QStringLiteral("DATEI"));
    const QCommandLineOption catalogue(QStringLiteral("rohrserien"));
    const QCommandLineOption series(QStringLiteral("rohrserie"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption seriesFile(QStringLiteral("rohrserien-datei"), QString(), QStringLiteral("DATEI"));
    const QCommandLineOption drawOffs(QStringLiteral("entnahmestellen"));
    const QCommandLineOption drawOffFile(QStringLiteral("entnahmestellen-datei"), QString(), QStringLiteral("DATEI"));
    const QCommandLineOption length(QStringLiteral("laenge"), QString(), QStringLiteral("L"));
    const QCommandLineOption zeta(QStringLiteral("zeta"), QString(), QStringLiteral("Z"));
    const QCommandLineOption vmax(QStringLiteral("vmax"), QString(), QStringLiteral("V"));
    const QCommandLineOption temperature(QStringLiteral("temperatur"), QString(), QStringLiteral("T"));
    const QCommandLineOption supplyPressure(QStringLiteral("versorgungsdruck"), QString(), QStringLiteral("P"));
    const QCommandLineOption byPressure(QStringLiteral("nach-druck"));
    const QList<QCommandLineOption> withValue = {sections, output, series, seriesFile, drawOffFile, length, zeta, vmax, temperature,
                                                 supplyPressure};
    parser.addOptions({help, version, calculate, catalogue, drawOffs, byPressure});
    parser.addOptions(withValue);
    // Qt's parser says only in English that an option lacks its value.
    if (!arguments.isEmpty() && !arguments.last().contains(QLatin1Char('=')))
        for (const QCommandLineOption& option : withValue)
            if (option.names().contains(optionName(arguments.last())))
                return {CommandLine::Request::Refusal, refusal(QStringLiteral("»%1« braucht einen Wert: %2")
                                                                   .arg(arguments.last(), option.valueName()))};
    const bool understood = parser.parse(arguments);

    if (parser.isSet(help)) return {CommandLine::Request::Help, helpText()};
    if (parser.isSet(version))
        return {CommandLine::Request::Version,
                QStringLiteral("gipfelfluss ") + QLatin1String(programInfo::version) + QLatin1Char('\n')};
    const int commands = int(parser.isSet(calculate)) + int(parser.isSet(sections)) + int(parser.isSet(catalogue))
                         + int(parser.isSet(drawOffs));
    if (commands > 1)
        return {CommandLine::Request::Refusal,
                refusal(QStringLiteral("»--berechnen«, »--teilstrecken«, »--rohrserien« und »--entnahmestellen« gehen nicht zusammen"))};
    if (parser.isSet(output) && !parser.isSet(sections))
        return {CommandLine::Request::Refusal, refusal(QStringLiteral("»--ausgabe« gilt nur mit »--teilstrecken«"))};
    // Which command each sizing option serves: a length and Σζ belong to one
    // calculation, v max and the temperature also to a list's sections
    // without their own, the file of series to every command that sizes.
    const auto misplaced = [&]() -> QString {
        const bool sized = parser.isSet(series);
        for (const QCommandLineOption* option : {&length, &zeta})
            if (parser.isSet(*option) && !(parser.isSet(calculate) && sized))
                return parser.isSet(calculate) ? QStringLiteral("»--%1« gilt nur mit »--rohrserie«").arg(option->names().first())
                                               : QStringLiteral("»--%1« gilt nur mit »--berechnen« und »--rohrserie«").arg(option->names().first());
        for (const QCommandLineOption* option : {&vmax, &temperature, &series})
            if (parser.isSet(*option) && !parser.isSet(sections) && !(parser.isSet(calculate) && sized))
                return parser.isSet(calculate) ? QStringLiteral("»--%1« gilt nur mit »--rohrserie«").arg(option->names().first())
                                               : QStringLiteral("»--%1« gilt nur mit »--berechnen« oder »--teilstrecken«").arg(option->names().first());
        if (parser.isSet(seriesFile) && !parser.isSet(sections) && !parser.isSet(catalogue) && !(parser.isSet(calculate) && sized))
            return parser.isSet(calculate) ? QStringLiteral("»--rohrserien-datei« gilt nur mit »--rohrserie«")
                                           : QStringLiteral("»--rohrserien-datei« gilt nur mit »--berechnen«, »--teilstrecken« oder »--rohrserien«");
        for (const QCommandLineOption* option : {&supplyPressure, &byPressure})
            if (parser.isSet(*option) && !parser.isSet(sections))
                return QStringLiteral("»--%1« gilt nur mit »--teilstrecken«").arg(option->names().first());
        if (parser.isSet(drawOffFile) && !parser.isSet(sections) && !parser.isSet(drawOffs))
            return QStringLiteral("»--entnahmestellen-datei« gilt nur mit »--teilstrecken« oder »--entnahmestellen«");
        return {};
    };
    if (understood)
        if (const QString wrong = misplaced(); !wrong.isEmpty()) return {CommandLine::Request::Refusal, refusal(wrong)};
    const bool command = commands > 0;
    QStringList unknown = parser.unknownOptionNames();
    // Qt's options belong to the window; a command has none.
    if (stage == CommandLine::Stage::BeforeQt && !command) {
        const qsizetype qtOptions = unknown.removeIf(isQtOption);
        if (unknown.isEmpty() && qtOptions > 0) return {};  // for the check once Qt has taken its own
    }
    if (!understood && !unknown.isEmpty()) {
        const QString option = typedOption(arguments, unknown.first());
        return {CommandLine::Request::Refusal, refusal(QStringLiteral("unbekannte Option »") + option + QStringLiteral("«"))};
    }
    if (!understood) {
        // Qt's parser refuses a value given to an option that takes none
        // (--berechnen=250) without naming it.
        for (const QString& argument : arguments.mid(1))
            if (argument.contains(QLatin1Char('='))
                && (calculate.names().contains(optionName(argument)) || byPressure.names().contains(optionName(argument))))
                return {CommandLine::Request::Refusal,
                        refusal(QStringLiteral("unerwarteter Wert »%1« bei der Option »%2«")
                                    .arg(argument.section(QLatin1Char('='), 1), argument.section(QLatin1Char('='), 0, 0)))};
    }
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty())
        return {CommandLine::Request::Refusal,
                refusal(QStringLiteral("unerwartetes Argument »") + positional.first() + QStringLiteral("«"))};
    if (parser.isSet(calculate) && calculationValues.size() < 2)
        return {CommandLine::Request::Refusal, refusal(QStringLiteral("»--berechnen« braucht zwei Zahlen: BW und EINZEL"))};
    const CommandLine::Sizing sizing{parser.value(series), parser.value(seriesFile),  parser.value(length),
                                     parser.value(zeta),   parser.value(vmax),        parser.value(temperature),
                                     parser.value(supplyPressure), parser.isSet(byPressure)};
    if (parser.isSet(sections))
        return {CommandLine::Request::SectionList, {}, {parser.value(sections), parser.value(output)}, sizing,
                parser.value(drawOffFile)};
    if (parser.isSet(catalogue)) return {CommandLine::Request::PipeSeries, {}, {}, sizing};
    if (parser.isSet(drawOffs)) return {CommandLine::Request::DrawOffPoints, {}, {}, {}, parser.value(drawOffFile)};
    if (command) return {CommandLine::Request::Calculate, {}, calculationValues, sizing};
    return {};
}

int answerCommandLine(const CommandLine& line)
{
    writeText(line.request == CommandLine::Request::Refusal ? stderr : stdout, line.text);
    return line.exitStatus();
}
