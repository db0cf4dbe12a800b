#include "app/Form1.h"

#include "app/MessageText.h"
#include "base/RuntimeError.h"
#include "report/ReportContent.h"
#include "tally/DrawOffFile.h"
#include "tally/Tally.h"

// "Belastungswerte zusammenzählen…": the loading units of a section's
// draw-off points added up in a dialog and put into the two input boxes. The
// rows stay for the next time; the report lists them while the result on its
// page was calculated from the two texts the tally wrote. The catalogue of
// draw-off points offers names and their loading units.

const tally::DrawOffCatalogue& Form1::drawOffCatalogue()
{
    return m_drawOffs.get(m_view, m_workbooks, m_numbers);
}

bool Form1::readDrawOffPoints()
{
    return m_drawOffs.choose(m_view, m_workbooks, m_numbers);
}

void Form1::mnubelastung_Click()
{
    View::TallyRequest request{m_tallyRows, m_tallyNames, &drawOffCatalogue(), [this] { return readDrawOffPoints(); }};
    const std::optional<std::vector<tally::Row>> rows = m_view.showTallyDialog(request);
    if (!rows) return;  // "Abbrechen": nothing changes
    const tally::Summary summary = tally::summarize(*rows, m_numbers);
    // The dialog lets only a transferable tally through.
    if (!summary.transferable()) throw RuntimeError(summary.verdict);

    m_tallyRows = *rows;
    for (const tally::Row& row : m_tallyRows) {
        const QString name = row.name.trimmed();
        if (!name.isEmpty() && !m_tallyNames.contains(name)) m_tallyNames << name;
    }
    // While a result is shown, the next section starts as "Neue Eingabe" starts it.
    if (m_Berechnet == True) Command2_Click();
    m_view.setText(View::TextBox::Text1, summary.totalText);
    m_view.setText(View::TextBox::Text2, summary.largestText);
    m_transferred = TallyTransfer{summary.totalText, summary.largestText};
}

bool Form1::tallyStillTyped() const
{
    return m_transferred && m_view.text(View::TextBox::Text1) == m_transferred->total
           && m_view.text(View::TextBox::Text2) == m_transferred->largest;
}

void Form1::reportTally(ReportContent& content) const
{
    const tally::Summary summary = tally::summarize(m_tallyRows, m_numbers);
    content.tally.push_back({{QStringLiteral("Entnahmestelle")}, {QStringLiteral("BW je Stück")},
                             {QStringLiteral("Anzahl")}, {QStringLiteral("BW")}});
    for (std::size_t r = 0; r < m_tallyRows.size(); ++r) {
        const tally::RowCheck& row = summary.rows[r];
        if (!row.counts()) continue;
        content.tally.push_back({{m_tallyRows[r].name.trimmed()}, {m_numbers.exact(row.unitsEach), true},
                                 {m_numbers.exact(row.count), true}, {row.unitsText, true}});
    }
    content.tally.push_back({{QStringLiteral("Total Belastungswerte")}, {}, {}, {summary.totalText, true}});
}
