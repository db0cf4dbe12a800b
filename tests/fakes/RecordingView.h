#pragma once

#include "app/View.h"
#include "fakes/RecordingCanvas.h"
#include "report/ReportContent.h"
#include "table/Grid.h"

#include <QMap>
#include <QStringList>

#include <array>
#include <deque>
#include <vector>

// A window without a screen: text boxes as strings, a recording canvas, a real
// grid model. Message boxes are recorded and answered at once; file dialogs
// answer with the queued paths (the empty text, a cancel, when none is queued),
// a save dialog with the final name the real one makes of it.
class RecordingView : public View {
public:
    struct Message {
        QString prompt;
        Icon icon;
        QString caption;
    };
    struct Dialog {
        bool save;
        QString fileName;
        QList<FileFilter> filters;
        QString suffix;  // of a save dialog
        QStringList replaced;
    };

    QString text(TextBox box) const override { return boxes[index(box)]; }
    void setText(TextBox box, const QString& text) override;
    Canvas& Picture1() override { return canvas; }
    Grid& MSFlexGrid1() override { return grid; }
    void showMessage(const QString& prompt, Icon icon, const QString& caption) override;
    QString showOpenDialog(const QString& fileName, const QList<FileFilter>& filters) override;
    // Answers as the real dialog would after the user typed the queued name.
    QString showSaveDialog(const QString& fileName, const QList<FileFilter>& filters, const QString& suffix,
                           const QStringList& replaced) override;
    bool showDocument(const QString& path) override;
    void writeReport(QIODevice& device, const ReportContent& content) override;
    void printReport(const ReportContent& content) override;
    // Records what it opens with; presses "Katalog einlesen…" as often as
    // `readCatalogueFilePresses` says, then answers with the next queued rows
    // ("Übernehmen"); nothing queued: "Abbrechen".
    std::optional<std::vector<tally::Row>> showTallyDialog(const TallyRequest& request) override;
    // Records what it opens with; presses "Rohrserien einlesen…" as often as
    // `readSeriesFilePresses` says, then answers with the next queued answer
    // ("Übernehmen"); nothing queued: "Abbrechen".
    std::optional<SizingAnswer> showSizingDialog(const SizingRequest& request) override;
    QString setting(const QString& key) const override { return settings.value(key); }
    void setSetting(const QString& key, const QString& value) override { settings[key] = value; }
    void endProgram() override { ++endRequests; }

    void type(TextBox box, const QString& text) { boxes[index(box)] = text; }

    std::array<QString, 4> boxes;
    RecordingCanvas canvas;
    Grid grid;
    std::vector<Message> messages;
    std::vector<Dialog> dialogs;
    std::deque<QString> dialogAnswers;
    struct TallyDialog {
        std::vector<tally::Row> rows;
        QStringList names;
        // The catalogue's points as it opened and after the presses.
        std::vector<tally::DrawOffPoint> opened, closed;
        bool catalogueFileTaken = false;  // what the last "Katalog einlesen…" answered
    };
    std::vector<TallyDialog> tallyDialogs;
    std::deque<std::vector<tally::Row>> tallyAnswers;
    int readCatalogueFilePresses = 0;
    struct SizingDialog {
        SizingRequest request;
        bool seriesFileTaken = false;  // what the last "Rohrserien einlesen…" answered
    };
    std::vector<SizingDialog> sizingDialogs;
    std::deque<SizingAnswer> sizingAnswers;
    int readSeriesFilePresses = 0;
    QMap<QString, QString> settings;
    QStringList shownDocuments;
    bool canShowDocuments = true;
    int endRequests = 0;
    // Every report written or printed. A written report is this text; with a
    // failure set, both operations throw it.
    std::vector<ReportContent> reports;
    QByteArray reportBytes = "%PDF-1.4 report";
    QString reportFailure;
    // Every operation in order, e.g. "setText Text3 0.40", "message Fehler", "clear".
    QStringList log;

private:
    QString answerDialog(const Dialog& dialog);
    static std::size_t index(TextBox box) { return std::size_t(box); }
};
