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

namespace {

// Where the user's file of draw-off points is remembered.
const QString catalogueFileSetting = QStringLiteral("Belastung/Katalogdatei");

// The built-in points with those of the file at `path`; none with the reason when it cannot be taken.
std::optional<tally::DrawOffCatalogue> readCatalogue(WorkbookModule& workbooks, const QString& path,
                                                     const NumberText& numbers, QString& reason)
{
    tally::DrawOffCatalogue catalogue = tally::DrawOffCatalogue::builtIn();
    try {
        reason = tally::readDrawOffFile(workbooks.files(), path, numbers, catalogue);
    } catch (const RuntimeError& error) {
        reason = QString::fromUtf8(error.what());
    }
    if (!reason.isEmpty()) return std::nullopt;
    return catalogue;
}

QString catalogueFailure(const QString& path, QString reason)
{
    return messageText::fileFailure(path, QStringLiteral("als Katalog der Entnahmestellen gelesen werden"),
                                    reason.replace(QLatin1Char('\n'), messageText::lineBreak).toUtf8().constData());
}

}  // namespace

const tally::DrawOffCatalogue& Form1::drawOffCatalogue()
{
    if (m_drawOffsRead) return m_drawOffs;
    m_drawOffsRead = true;
    const QString remembered = m_view.setting(catalogueFileSetting);
    if (remembered.isEmpty()) return m_drawOffs;
    QString reason;
    if (std::optional<tally::DrawOffCatalogue> read = readCatalogue(m_workbooks, remembered, m_numbers, reason))
        m_drawOffs = std::move(*read);
    else
        m_view.showMessage(catalogueFailure(remembered, reason) + messageText::lineBreak
                               + QStringLiteral("Es gelten die eingebauten Entnahmestellen."),
                           View::Icon::Exclamation, messageText::errorCaption);
    return m_drawOffs;
}

bool Form1::readDrawOffPoints()
{
    const QString path = m_view.showOpenDialog(
        m_view.setting(catalogueFileSetting),
        {{QStringLiteral("Entnahmestellen"), QStringLiteral("*.xlsx;*.xls;*.ods;*.csv")},
         {QStringLiteral("*.xlsx"), QStringLiteral("*.xlsx")},
         {QStringLiteral("*.xls"), QStringLiteral("*.xls")},
         {QStringLiteral("*.ods"), QStringLiteral("*.ods")},
         {QStringLiteral("*.csv"), QStringLiteral("*.csv")}});
    if (path.isEmpty()) return false;  // cancelled
    QString reason;
    std::optional<tally::DrawOffCatalogue> read = readCatalogue(m_workbooks, path, m_numbers, reason);
    if (!read) {
        // The points read before stay.
        m_view.showMessage(catalogueFailure(path, reason), View::Icon::Exclamation, messageText::errorCaption);
        return false;
    }
    m_drawOffs = std::move(*read);
    m_drawOffsRead = true;
    m_view.setSetting(catalogueFileSetting, path);
    return true;
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
