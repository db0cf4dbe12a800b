#include "app/Form1.h"

#include "app/MessageText.h"
#include "sections/SectionRun.h"

#include <QDir>
#include <QFileInfo>

// A whole list of pipe sections calculated at once, from a workbook or CSV
// file into a result workbook. The window stays as it is: boxes, chart,
// results table and the computed flag.

namespace {

const QString byPressureSetting = QStringLiteral("Teilstrecken/RohrweiteNachDruck");

}  // namespace

bool Form1::byPressure() const
{
    return m_view.setting(byPressureSetting) == QLatin1String("1");
}

void Form1::mnunachdruck_Click()
{
    m_view.setSetting(byPressureSetting, byPressure() ? QString() : QStringLiteral("1"));
}

void Form1::mnuteilstrecken_Click()
{
    const QString listPath = m_view.showOpenDialog(
        QString(), {{QStringLiteral("Teilstrecken"), QStringLiteral("*.xlsx;*.xls;*.ods;*.csv")},
                    {QStringLiteral("*.xlsx"), QStringLiteral("*.xlsx")},
                    {QStringLiteral("*.xls"), QStringLiteral("*.xls")},
                    {QStringLiteral("*.ods"), QStringLiteral("*.ods")},
                    {QStringLiteral("*.csv"), QStringLiteral("*.csv")}});
    if (listPath.isEmpty()) return;  // cancelled

    const QFileInfo list(listPath);
    const QString proposed = QDir(list.path()).filePath(list.completeBaseName() + QStringLiteral("-Gipfelfluss.xlsx"));
    const QString resultPath = m_view.showSaveDialog(
        proposed, {{QStringLiteral("*.xlsx"), QStringLiteral("*.xlsx")}}, QStringLiteral("xlsx"),
        {QStringLiteral("xls"), QStringLiteral("xlsm"), QStringLiteral("xlsb"), QStringLiteral("ods"), QStringLiteral("csv")});
    if (resultPath.isEmpty()) return;  // cancelled

    SectionCount count;
    try {
        // Sized with the series "Rohrweite bemessen…" knows and counted with
        // the draw-off points the tally knows, the user's files included;
        // a network's sizes by pressure as "Rohrweite nach Druck" says.
        SizingOptions sizing{pipeCatalogue(), {}, {}, drawOffCatalogue()};
        sizing.byPressure = byPressure();
        count = writeSectionResults(m_workbooks.files(), listPath, resultPath, m_numbers, sizing);
    } catch (const ListError& error) {
        m_view.showMessage(messageText::fileFailure(listPath, QStringLiteral("als Liste der Teilstrecken gelesen werden"), error.what()),
                           View::Icon::Exclamation, messageText::errorCaption);
        return;
    } catch (const RuntimeError& error) {
        m_view.showMessage(messageText::fileFailure(resultPath, QStringLiteral("gespeichert werden"), error.what()),
                           View::Icon::Exclamation, messageText::errorCaption);
        return;
    }
    // A network's summary follows the counts; a supply pressure that does
    // not reach every draw-off point is a warning.
    QString text = QStringLiteral("Teilstrecken berechnet: %1").arg(count.calculated) + messageText::lineBreak
                   + QStringLiteral("Abgewiesen (Grund in der Spalte „Hinweis“): %1").arg(count.refused)
                   + messageText::lineBreak + messageText::lineBreak;
    if (const QStringList summary = count.network.lines(m_numbers); !summary.isEmpty())
        text += summary.join(messageText::lineBreak) + messageText::lineBreak + messageText::lineBreak;
    m_view.showMessage(text + QStringLiteral("Ergebnis: %1").arg(QDir::toNativeSeparators(resultPath)),
                       count.network.shortOfPressure() ? View::Icon::Exclamation : View::Icon::Information,
                       QStringLiteral("Teilstrecken berechnet"));
    // The result is shown in the desktop's spreadsheet program; without one
    // it simply stays saved.
    m_view.showDocument(resultPath);
}
