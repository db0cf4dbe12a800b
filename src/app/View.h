#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "pipes/SizingSheet.h"
#include "tally/DrawOffCatalogue.h"
#include "tally/TallyRow.h"

#include <functional>

class Canvas;
class Grid;
class QIODevice;
struct ReportContent;

// Everything the program's procedures need of the window: the four text
// boxes, the chart canvas, the results grid, file dialogs, modal message
// boxes and ending the program. The Qt window implements it; tests record it.
class View {
public:
    enum class TextBox { Text1, Text2, Text3, Text4 };
    enum class Icon { Exclamation, Information };

    // One entry of a file dialog's filter, e.g. {"*.xls", "*.xls"}.
    struct FileFilter {
        QString description;
        QString pattern;
    };

    virtual ~View() = default;

    virtual QString text(TextBox box) const = 0;
    virtual void setText(TextBox box, const QString& text) = 0;

    virtual Canvas& Picture1() = 0;
    virtual Grid& MSFlexGrid1() = 0;

    // Modal; returns when the user has closed it with OK. Lines of the prompt
    // are joined by "\r\n".
    virtual void showMessage(const QString& prompt, Icon icon, const QString& caption) = 0;

    // Modal file dialogs starting with the given file name, the first filter
    // entry chosen. They return the full path of the chosen file, or the empty
    // text when the user cancelled.
    virtual QString showOpenDialog(const QString& fileName, const QList<FileFilter>& filters) = 0;
    // The path a save dialog returns is final: it ends in "." + suffix, as
    // finalFileName (base/SaveFile.h) makes it of the typed name with the
    // `replaced` suffixes, and the dialog has asked whether to replace an
    // existing file of exactly that name.
    virtual QString showSaveDialog(const QString& fileName, const QList<FileFilter>& filters,
                                   const QString& suffix, const QStringList& replaced = {}) = 0;

    // Hands a file to the desktop's default application for it; false when
    // there is none or it could not be started.
    virtual bool showDocument(const QString& path) = 0;

    // The calculation report of the chart as it stands and the given content.
    // writeReport writes it as PDF into the device; printReport runs the print
    // dialog and prints it, or does nothing when the user cancels. A failure
    // throws RuntimeError.
    virtual void writeReport(QIODevice& device, const ReportContent& content) = 0;
    virtual void printReport(const ReportContent& content) = 0;

    // What the dialog "Belastungswerte zusammenzählen" opens with: its rows
    // (none: one empty row), the names typed before and the catalogue of
    // draw-off points, both offered for completion in its column
    // "Entnahmestelle" (the catalogue may change while it is open, through
    // readCatalogueFile).
    struct TallyRequest {
        std::vector<tally::Row> rows;
        QStringList names;
        const tally::DrawOffCatalogue* catalogue = nullptr;
        // "Katalog einlesen…": true when the catalogue has changed.
        std::function<bool()> readCatalogueFile;
    };
    // The modal dialog "Belastungswerte zusammenzählen". A row whose name is
    // one of the catalogue's gets its "BW je Stück" while that cell is empty.
    // Returns the rows as they stand when the user closes it with
    // "Übernehmen", which it allows only for a tally that tally::summarize
    // finds transferable, rows without any text left out; nothing after
    // "Abbrechen".
    virtual std::optional<std::vector<tally::Row>> showTallyDialog(const TallyRequest& request) = 0;

    // What the dialog "Rohrweite bemessen" opens with: the peak flow of the
    // shown result, the series to choose from (the catalogue may grow while
    // it is open, through readSeriesFile), the boxes' texts and the chosen
    // size (none: the rule's).
    struct SizingRequest {
        double flow = 0;  // l/s, unrounded
        const pipes::PipeCatalogue* catalogue = nullptr;
        pipes::SizingTexts texts;
        std::optional<std::size_t> size;
        // "Rohrserien einlesen…": true when the catalogue has changed.
        std::function<bool()> readSeriesFile;
    };
    struct SizingAnswer {
        pipes::SizingTexts texts;
        std::size_t size = 0;
    };
    // The modal dialog "Rohrweite bemessen": every size of the chosen series
    // with its velocity and losses (pipes::sizingSheet), the rule's size
    // selected, another selectable. Returns the boxes and the size when the
    // user closes it with "Übernehmen", which it allows only while every box
    // can serve; nothing after "Abbrechen".
    virtual std::optional<SizingAnswer> showSizingDialog(const SizingRequest& request) = 0;

    // A setting kept for the program's next start (the platform's usual
    // place); the empty text when there is none.
    virtual QString setting(const QString& key) const = 0;
    virtual void setSetting(const QString& key, const QString& value) = 0;

    // Ends the program at once; nothing is saved or asked.
    virtual void endProgram() = 0;
};
