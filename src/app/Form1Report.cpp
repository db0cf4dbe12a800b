#include "app/Form1.h"

#include "app/MessageText.h"
#include "base/RuntimeError.h"
#include "base/SaveFile.h"
#include "report/ReportContent.h"
#include "table/Grid.h"

#include <QDateTime>

// The calculation report: the chart as it stands, the marked result in words,
// the formulas and the results table, saved as PDF or printed. Neither
// command changes the window, the computed flag or the table; each reports its
// own failure with a "Fehler" message.

namespace {

constexpr calc::Case allCases[] = {calc::Case::Large, calc::Case::Two,  calc::Case::Three,
                                   calc::Case::Four,  calc::Case::Five, calc::Case::Eight};

// The largest single loading unit that selects a small-installation case.
int largestUnitOf(calc::Case c)
{
    switch (c) {
    case calc::Case::Two: return 2;
    case calc::Case::Three: return 3;
    case calc::Case::Four: return 4;
    case calc::Case::Five: return 5;
    case calc::Case::Eight: return 8;
    case calc::Case::Large: break;
    }
    return 0;
}

}  // namespace

ReportContent Form1::reportContent() const
{
    ReportContent content;
    const QLocale& locale = m_numbers.locale();
    content.locale = locale;
    const QDateTime now = QDateTime::currentDateTime();
    content.created = locale.toString(now.date(), QLocale::LongFormat) + QStringLiteral(", ")
                      + locale.toString(now.time(), QLocale::ShortFormat);

    const QString threshold = m_numbers.plain(calc::largeInstallationThreshold);
    for (const calc::Case c : allCases) {
        const calc::CaseConstants k = calc::constantsOf(c);
        const bool large = c == calc::Case::Large;
        content.formulas.push_back(
            {large ? QStringLiteral("Grosse Anlage (Total ab %1 BW)").arg(threshold)
                   : QStringLiteral("Grösster Einzel BW %1").arg(largestUnitOf(c)),
             m_numbers.plain(k.multiplier), m_numbers.plain(k.addend),
             large ? threshold : m_numbers.plain(k.minimumTotal)});
    }

    if (m_marked) {
        const MarkedResult& r = *m_marked;
        content.operatingPoint
            << QStringLiteral("Total Belastungswerte: %1 BW").arg(m_numbers.plain(r.BW))
            << QStringLiteral("Grösster Einzel BW: %1 BW").arg(m_numbers.plain(r.Einzel))
            << QStringLiteral("Gipfelfluss: %1 l/s = %2 l/min")
                   .arg(m_numbers.format(r.Q, NumberText::Pattern::TwoDecimals),
                        m_numbers.format(r.Q * 60, NumberText::Pattern::OneDecimal))
            << (r.c == calc::Case::Large
                    ? QStringLiteral("Formel: grosse Anlage (Total ab %1 BW)").arg(threshold)
                    : QStringLiteral("Formel: grösster Einzel BW %1 (Total unter %2 BW)")
                          .arg(largestUnitOf(r.c))
                          .arg(threshold));
    }

    if (m_marked && m_marked->tallied && tallyStillTyped()) reportTally(content);
    if (m_marked && m_marked->sizing) reportSizing(content);

    const Grid& grid = m_view.MSFlexGrid1();
    for (int row = 0; row < grid.rows(); ++row) {
        std::vector<ReportContent::Cell> cells;
        bool anyText = row == 0;
        for (int col = 0; col < grid.cols(); ++col) {
            const QString text = grid.cell(row, col);
            anyText = anyText || !text.isEmpty();
            cells.push_back({text, row > 0 && m_numbers.isNumber(text)});
        }
        if (anyText) content.table.push_back(std::move(cells));
    }
    return content;
}

void Form1::mnuprotokoll_Click()
{
    const QString fileName =
        m_view.showSaveDialog(QString(), {{QStringLiteral("*.pdf"), QStringLiteral("*.pdf")}}, QStringLiteral("pdf"));
    if (fileName.isEmpty()) return;  // cancelled
    try {
        const ReportContent content = reportContent();
        saveFile(fileName, [&](QIODevice& device) { m_view.writeReport(device, content); });
    } catch (const RuntimeError& error) {
        m_view.showMessage(messageText::fileFailure(fileName, QStringLiteral("gespeichert werden"), error.what()),
                           View::Icon::Exclamation, messageText::errorCaption);
    }
}

void Form1::mnudrucken_Click()
{
    try {
        m_view.printReport(reportContent());
    } catch (const RuntimeError& error) {
        m_view.showMessage(QStringLiteral("Das Protokoll kann nicht gedruckt werden.") + messageText::lineBreak
                               + QString::fromUtf8(error.what()),
                           View::Icon::Exclamation, messageText::errorCaption);
    }
}
