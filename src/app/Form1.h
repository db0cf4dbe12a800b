#pragma once

#include "app/UserCatalogue.h"
#include "app/View.h"
#include "app/WorkbookModule.h"
#include "base/NumberText.h"
#include "calc/PeakFlow.h"
#include "chart/ChartGeometry.h"
#include "pipes/SizingSheet.h"

#include <cstdint>
#include <optional>

struct ReportContent;

// The main window's controller: its event handlers and procedures under the
// program's own names, working on the window only through the View. One
// "Berechnen" press yields at most one result; after it, "Neue Eingabe" is
// needed before the next calculation.
class Form1 {
public:
    // The computed flag is a 16-bit integer: True is -1, False is 0.
    static constexpr std::int16_t True = -1;
    static constexpr std::int16_t False = 0;

    explicit Form1(View& view, const QLocale& locale = QLocale::system(), WorkbookModule workbooks = {});

    // Event handlers.
    void Form_Load();
    void Command1_Click();  // "Berechnen"
    void Command2_Click();  // "Neue Eingabe"
    void Command3_Click();  // "Beenden"
    void mnuexcel1_Click();  // "Einlesen von MS Excel"
    void mnuexcel2_Click();  // "Ausgeben nach MS Excel"
    void mnuteilstrecken_Click();  // "Teilstrecken berechnen…"
    void mnuprotokoll_Click();  // "Protokoll als PDF speichern…"
    void mnudrucken_Click();    // "Protokoll drucken…"
    void mnuend_Click();     // "Beenden"
    void mnuhilfe_Click();   // "Hilfe"
    void mnuinfo_Click();    // "Info"
    void mnubelastung_Click();  // "Belastungswerte zusammenzählen…"
    void mnurohrweite_Click();  // "Rohrweite bemessen…"
    void mnunachdruck_Click();  // "Rohrweite nach Druck", a switch

    // Whether "Teilstrecken berechnen…" chooses a network's sizes by
    // pressure: "Rohrweite nach Druck" switched on, remembered for the next start.
    bool byPressure() const;

    // Whether "Rohrweite bemessen…" has a result to size: while one is shown.
    bool resultShown() const { return m_Berechnet == True && m_marked.has_value(); }
    // The pipe series: built in, and the user's file once read (remembered
    // for the next start). The remembered file is read on first use; one that
    // cannot be read is reported and the built-in series serve.
    const pipes::PipeCatalogue& pipeCatalogue();
    // The draw-off points, likewise: built in, and the user's file once read
    // ("Katalog einlesen…" in the tally dialog), the remembered file read on
    // first use.
    const tally::DrawOffCatalogue& drawOffCatalogue();

    // Runs a menu command, named as its menu item. A failure that the command
    // does not report itself is shown in a "Fehler" message naming the command
    // and the reason; nothing escapes to end the program.
    void runMenuCommand(const QString& name, void (Form1::*command)());

    // Shared responses.
    void EingabeSperre();   // the lock message while a result is shown
    void Eingabefehler();   // the invalid-input response

    // Peak-flow procedures (BW: total loading units, Einzel: largest single one).
    void Berechnung1(double BW, double Einzel);
    void Berechnung2(double BW, double Einzel);
    void Berechnung3(double BW, double Einzel);
    void Berechnung4(double BW, double Einzel);
    void Berechnung5(double BW, double Einzel);
    void Berechnung8(double BW, double Einzel);
    void Fall(double BW, double Einzel);

    // Chart and table.
    void DiagrammZeichnen();
    void TabelleEinrichten();
    void Tabelleneintrag(double BW, double Einzel, double Q);
    void TabelleNaechsteZeile();

    // What the report says besides the chart, as things stand now.
    ReportContent reportContent() const;

    std::int16_t Berechnet() const { return m_Berechnet; }
    const ChartGeometry& chart() const { return m_chart; }
    const NumberText& numbers() const { return m_numbers; }

private:
    // Minimum check, outputs, chart mark and table row of one case.
    void calculate(calc::Case c, double BW, double Einzel);

    // The result whose marker the chart shows, until the chart is drawn anew.
    struct MarkedResult {
        calc::Case c;
        double BW;
        double Einzel;
        double Q;
        bool tallied = false;  // calculated from the two texts the tally put into the boxes
        std::optional<pipes::SizingChoice> sizing;  // "Übernehmen" of "Rohrweite bemessen"
        pipes::SizingTexts sizingTexts;              // of that choice
    };

    // The two texts "Übernehmen" of the tally dialog put into Text1 and
    // Text2, until "Neue Eingabe".
    struct TallyTransfer {
        QString total;
        QString largest;
    };
    // Whether Text1 and Text2 still hold what the tally put there.
    bool tallyStillTyped() const;
    // The report's "Ermittlung der Belastungswerte" of the rows of the last transfer.
    void reportTally(ReportContent& content) const;
    // The report's "Rohrweite" of the marked result's chosen size.
    void reportSizing(ReportContent& content) const;
    // "Rohrserien einlesen…": a file chosen and read into the catalogue,
    // which then stays for the next start; true when it was taken.
    bool readPipeSeries();
    // "Katalog einlesen…": a file chosen and read into the catalogue of
    // draw-off points, which then stays for the next start; true when it was taken.
    bool readDrawOffPoints();

    View& m_view;
    NumberText m_numbers;
    WorkbookModule m_workbooks;
    std::int16_t m_Berechnet = False;
    ChartGeometry m_chart;  // Breite, Hoehe, Rand, XBW2, YQ02, XBW10, XBW100, XBW1000, YQ1, YQ10
    std::optional<MarkedResult> m_marked;
    std::vector<tally::Row> m_tallyRows;  // of the last "Übernehmen"; the dialog opens with them
    QStringList m_tallyNames;             // every name transferred, offered for completion
    std::optional<TallyTransfer> m_transferred;
    UserCatalogue<pipes::PipeCatalogue> m_catalogue;
    pipes::SizingTexts m_sizingTexts;    // the sizing dialog's boxes of the last "Übernehmen"
    UserCatalogue<tally::DrawOffCatalogue> m_drawOffs;
};
