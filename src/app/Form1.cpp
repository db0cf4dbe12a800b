#include "app/Form1.h"

#include "app/MessageText.h"
#include "base/RuntimeError.h"
#include "chart/Canvas.h"
#include "chart/ChartFrame.h"
#include "chart/ResultMarker.h"
#include "pipes/PipeSeriesFile.h"
#include "table/ResultsTable.h"
#include "tally/DrawOffFile.h"

Form1::Form1(View& view, const QLocale& locale, WorkbookModule workbooks)
    : m_view(view), m_numbers(locale), m_workbooks(std::move(workbooks)),
      m_catalogue(pipes::readPipeSeriesFile,
                  {QStringLiteral("Rohrweite/Rohrseriendatei"), QStringLiteral("als Rohrserien gelesen werden"),
                   QStringLiteral("Es gelten die eingebauten Rohrserien."), QStringLiteral("Rohrserien")}),
      m_drawOffs(tally::readDrawOffFile,
                 {QStringLiteral("Belastung/Katalogdatei"), QStringLiteral("als Katalog der Entnahmestellen gelesen werden"),
                  QStringLiteral("Es gelten die eingebauten Entnahmestellen."), QStringLiteral("Entnahmestellen")})
{
}

void Form1::Form_Load()
{
    DiagrammZeichnen();
    TabelleEinrichten();
}

void Form1::Command1_Click()
{
    // The one error trap of the program: whatever fails during a calculation
    // (text that is no number, a grid that refuses a cell) ends in the
    // invalid-input response. What was done before the failure stays.
    try {
        EingabeSperre();
        if (m_Berechnet == True) return;
        const double BW = m_numbers.toDouble(m_view.text(View::TextBox::Text1));
        const double Einzel = m_numbers.toDouble(m_view.text(View::TextBox::Text2));
        // Set before calculating, so that a refusal during the calculation
        // (which clears it) leaves it False and a result leaves it True.
        m_Berechnet = True;
        if (BW >= calc::largeInstallationThreshold)
            Berechnung1(BW, Einzel);
        else
            Fall(BW, Einzel);
    } catch (const RuntimeError&) {
        Eingabefehler();
    }
}

void Form1::Command2_Click()
{
    m_view.setText(View::TextBox::Text1, QString());
    m_view.setText(View::TextBox::Text2, QString());
    m_view.setText(View::TextBox::Text3, QString());
    m_view.setText(View::TextBox::Text4, QString());
    m_view.Picture1().clear();
    m_marked.reset();
    m_transferred.reset();
    m_Berechnet = False;
    DiagrammZeichnen();
    TabelleNaechsteZeile();
}

void Form1::Command3_Click()
{
    m_view.endProgram();
}

void Form1::EingabeSperre()
{
    if (m_Berechnet != True) return;
    m_view.showMessage(QStringLiteral("Für eine neue Berechnung") + messageText::lineBreak + QStringLiteral("bitte Neue Eingabe drücken!"),
                       View::Icon::Exclamation, messageText::errorCaption);
}

void Form1::Eingabefehler()
{
    m_view.showMessage(QStringLiteral("Üngültige Eingabe"), View::Icon::Exclamation, messageText::errorCaption);
    m_view.setText(View::TextBox::Text1, QString());
    m_view.setText(View::TextBox::Text2, QString());
    m_Berechnet = False;
}

void Form1::Berechnung1(double BW, double Einzel) { calculate(calc::Case::Large, BW, Einzel); }
void Form1::Berechnung2(double BW, double Einzel) { calculate(calc::Case::Two, BW, Einzel); }
void Form1::Berechnung3(double BW, double Einzel) { calculate(calc::Case::Three, BW, Einzel); }
void Form1::Berechnung4(double BW, double Einzel) { calculate(calc::Case::Four, BW, Einzel); }
void Form1::Berechnung5(double BW, double Einzel) { calculate(calc::Case::Five, BW, Einzel); }
void Form1::Berechnung8(double BW, double Einzel) { calculate(calc::Case::Eight, BW, Einzel); }

void Form1::calculate(calc::Case c, double BW, double Einzel)
{
    if (calc::belowMinimum(c, BW)) {
        Eingabefehler();
        return;
    }
    const double Q = calc::peakFlow(c, BW);
    m_view.setText(View::TextBox::Text3, m_numbers.format(Q, NumberText::Pattern::TwoDecimals));
    m_view.setText(View::TextBox::Text4, m_numbers.format(Q * 60, NumberText::Pattern::OneDecimal));
    drawResultMarker(m_view.Picture1(), m_chart,
                     c == calc::Case::Large ? MarkerVariant::LargeInstallation : MarkerVariant::SmallInstallation, BW, Q);
    m_marked = MarkedResult{c, BW, Einzel, Q, tallyStillTyped(), std::nullopt, {}};
    m_view.Picture1().setDescription(QStringLiteral("Markierter Betriebspunkt: ")
                                     + m_numbers.format(BW, NumberText::Pattern::Whole) + QStringLiteral(" BW, ")
                                     + m_numbers.format(Q, NumberText::Pattern::TwoDecimals) + QStringLiteral(" l/s"));
    Tabelleneintrag(BW, Einzel, Q);
}

void Form1::Fall(double BW, double Einzel)
{
    // Only 2, 3, 4, 5 and 8 have a formula. Every other value is refused,
    // negative numbers and fractions below 9 included, so no press ends
    // without either a result or a message.
    const std::optional<calc::Case> c = calc::smallCaseFor(Einzel);
    if (!c) {
        Eingabefehler();
        return;
    }
    switch (*c) {
    case calc::Case::Two: Berechnung2(BW, Einzel); break;
    case calc::Case::Three: Berechnung3(BW, Einzel); break;
    case calc::Case::Four: Berechnung4(BW, Einzel); break;
    case calc::Case::Five: Berechnung5(BW, Einzel); break;
    case calc::Case::Eight: Berechnung8(BW, Einzel); break;
    case calc::Case::Large: break;  // never a small case
    }
}

void Form1::DiagrammZeichnen()
{
    m_chart = drawChartFrame(m_view.Picture1(), m_numbers);
}

void Form1::TabelleEinrichten()
{
    resultsTable::setUp(m_view.MSFlexGrid1());
}

void Form1::Tabelleneintrag(double BW, double Einzel, double Q)
{
    resultsTable::enter(m_view.MSFlexGrid1(), m_numbers, BW, Einzel, Q);
}

void Form1::TabelleNaechsteZeile()
{
    Grid& grid = m_view.MSFlexGrid1();
    const int z = resultsTable::firstFreeRow(grid);
    if (z == resultsTable::fullTableRow)
        m_view.showMessage(QStringLiteral("Tabelle ist voll!") + messageText::lineBreak + QStringLiteral("Bitte in Excel abspeichern,") + messageText::lineBreak
                               + QStringLiteral("oder Programm neu starten"),
                           View::Icon::Information, QStringLiteral("Information"));
    resultsTable::prepareNextEntry(grid, z);
}
