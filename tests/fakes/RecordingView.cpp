#include "fakes/RecordingView.h"

#include "base/RuntimeError.h"
#include "base/SaveFile.h"

#include <QIODevice>

void RecordingView::setText(TextBox box, const QString& text)
{
    boxes[index(box)] = text;
    log << QStringLiteral("setText Text%1 %2").arg(int(box) + 1).arg(text);
}

void RecordingView::showMessage(const QString& prompt, Icon icon, const QString& caption)
{
    messages.push_back({prompt, icon, caption});
    log << QStringLiteral("message ") + caption;
}

QString RecordingView::showOpenDialog(const QString& fileName, const QList<FileFilter>& filters)
{
    return answerDialog({false, fileName, filters, {}, {}});
}

QString RecordingView::showSaveDialog(const QString& fileName, const QList<FileFilter>& filters,
                                     const QString& suffix, const QStringList& replaced)
{
    const QString typed = answerDialog({true, fileName, filters, suffix, replaced});
    return typed.isEmpty() ? typed : finalFileName(typed, suffix, replaced);
}

QString RecordingView::answerDialog(const Dialog& dialog)
{
    dialogs.push_back(dialog);
    log << (dialog.save ? QStringLiteral("save dialog") : QStringLiteral("open dialog"));
    if (dialogAnswers.empty()) return {};
    QString answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

std::optional<std::vector<tally::Row>> RecordingView::showTallyDialog(const TallyRequest& request)
{
    TallyDialog shown{request.rows, request.names, {}, {}, false};
    if (request.catalogue) shown.opened = request.catalogue->points();
    for (; readCatalogueFilePresses > 0; --readCatalogueFilePresses) shown.catalogueFileTaken = request.readCatalogueFile();
    if (request.catalogue) shown.closed = request.catalogue->points();
    tallyDialogs.push_back(std::move(shown));
    log << QStringLiteral("tally dialog");
    if (tallyAnswers.empty()) return std::nullopt;
    std::vector<tally::Row> answer = std::move(tallyAnswers.front());
    tallyAnswers.pop_front();
    return answer;
}

bool RecordingView::showDocument(const QString& path)
{
    shownDocuments << path;
    return canShowDocuments;
}

void RecordingView::writeReport(QIODevice& device, const ReportContent& content)
{
    reports.push_back(content);
    log << QStringLiteral("write report");
    if (!reportFailure.isEmpty()) throw RuntimeError(reportFailure);
    device.write(reportBytes);
}

void RecordingView::printReport(const ReportContent& content)
{
    reports.push_back(content);
    log << QStringLiteral("print report");
    if (!reportFailure.isEmpty()) throw RuntimeError(reportFailure);
}

std::optional<View::SizingAnswer> RecordingView::showSizingDialog(const SizingRequest& request)
{
    log << QStringLiteral("sizing dialog");
    SizingDialog shown{request, false};
    for (; readSeriesFilePresses > 0; --readSeriesFilePresses) shown.seriesFileTaken = request.readSeriesFile();
    sizingDialogs.push_back(shown);
    if (sizingAnswers.empty()) return std::nullopt;
    SizingAnswer answer = sizingAnswers.front();
    sizingAnswers.pop_front();
    return answer;
}
