#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of the program: the window (no arguments of its
// own besides Qt's), --help, --version, or a command that answers without the
// window (--berechnen BW EINZEL, --teilstrecken LISTE [--ausgabe DATEI],
// --rohrserien, --entnahmestellen), with pipe sizing's options and the file
// of draw-off points. Qt's options (-platform, -style, -display,
// ...) are understood only once QApplication has taken them out of the
// argument list, and only for the window.
struct CommandLine {
    enum class Request {
        Window,
        Help,
        Version,
        Refusal,
        Calculate,  // --berechnen: operands BW and EINZEL as typed
        SectionList,  // --teilstrecken: operands LISTE and DATEI (empty: standard output)
        PipeSeries,   // --rohrserien: the catalogue of pipe series
        DrawOffPoints,  // --entnahmestellen: the catalogue of draw-off points
    };
    // Before QApplication has taken Qt's options out of the list, and after.
    enum class Stage { BeforeQt, AfterQt };

    Request request = Request::Window;
    QString text = {};     // for standard output (Help, Version) or standard error (Refusal)
    QStringList operands = {};  // a command's arguments, as typed
    // Pipe sizing's options as typed; empty when not given.
    struct Sizing {
        QString series;       // --rohrserie NAME
        QString seriesFile;   // --rohrserien-datei DATEI
        QString length;       // --laenge L (m)
        QString lossCoefficients;  // --zeta Z (Σζ)
        QString maximumVelocity;   // --vmax V (m/s)
        QString temperature;       // --temperatur T (°C)
        QString supplyPressure;    // --versorgungsdruck P (hPa), for a network's sections fed by the supply
        bool byPressure = false;   // --nach-druck: a network's sizes chosen by pressure
    } sizing = {};
    QString drawOffFile = {};  // --entnahmestellen-datei DATEI; empty when not given

    // Exit status once the text is written: 0, or 2 for a refusal.
    int exitStatus() const { return request == Request::Refusal ? 2 : 0; }
};

// arguments[0] is the program's name, as in QCoreApplication::arguments().
// Before Qt, a line with Qt's options and nothing else wrong asks for the
// window; whether its arguments are all Qt's is known only after.
CommandLine readCommandLine(const QStringList& arguments, CommandLine::Stage stage);

// Writes the text of Help, Version or Refusal where it belongs; returns the exit status.
int answerCommandLine(const CommandLine& line);
