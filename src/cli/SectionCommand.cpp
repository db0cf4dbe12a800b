#include "cli/SectionCommand.h"

#include "base/SheetLimits.h"
#include "cli/Console.h"
#include "sections/SectionRun.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryFile>

namespace {

void say(std::FILE* err, const QString& text)
{
    writeText(err, QStringLiteral("gipfelfluss: ") + text + QLatin1Char('\n'));
}

// The printed result, which the sink hands on as UTF-8: written as text, so
// that a Windows console shows its characters.
class TextOutput : public QIODevice {
public:
    explicit TextOutput(std::FILE* stream) : m_stream(stream) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        writeText(m_stream, m_decoder(QByteArrayView(data, size)));
        return std::ferror(m_stream) ? -1 : size;
    }

private:
    std::FILE* m_stream;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
};

// Standard input is kept in a temporary file, read as a CSV file is. The copy
// stops at the reader's own limits, so that an endless pipe cannot fill the
// disk: a line beyond the last row a sheet has that holds more than a line
// break, or a line longer than a row may be (a line counts its bytes as
// written, quotes and separators included).
bool copyStandardInput(QTemporaryFile& copy, QString& reason)
{
    readStandardInputAsBytes();
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly) || !copy.open()) {
        reason = QStringLiteral("Die Standardeingabe kann nicht gelesen werden.");
        return false;
    }
    char buffer[64 * 1024];
    qint64 read = 0, line = 1, lineBytes = 0;
    while ((read = in.read(buffer, sizeof buffer)) > 0) {
        for (qint64 i = 0; i < read; ++i) {
            const char c = buffer[i];
            if (c == '\n') {
                ++line;
                lineBytes = 0;
            } else if (c != '\r' && line > maxSheetRows) {
                reason = tooManyRowsReason();
                return false;
            } else if (++lineBytes > maxSeparatedRowBytes) {
                reason = rowTooLongReason(line);
                return false;
            }
        }
        if (copy.write(buffer, read) != read) {
            reason = QStringLiteral("Die Standardeingabe kann nicht zwischengespeichert werden (%1).").arg(copy.errorString());
            return false;
        }
    }
    if (read < 0) {
        reason = QStringLiteral("Die Standardeingabe kann nicht gelesen werden.");
        return false;
    }
    copy.close();
    return true;
}

}  // namespace

int sectionCommand(const WorkbookFiles& files, const QString& list, const QString& output, const NumberText& numbers,
                   std::FILE* out, std::FILE* err, const SizingOptions& sizing)
{
    QString path = list;
    QTemporaryFile standardInput(QDir::tempPath() + QStringLiteral("/gipfelfluss-XXXXXX.csv"));
    const bool fromStandardInput = list == QLatin1String("-");
    const QString listName = fromStandardInput ? QStringLiteral("Standardeingabe") : QDir::toNativeSeparators(list);
    QString reason;
    if (fromStandardInput) {
        if (!copyStandardInput(standardInput, reason)) {
            say(err, QStringLiteral("%1: %2").arg(listName, reason));
            return 2;
        }
        path = standardInput.fileName();
    }

    SectionCount count;
    try {
        if (output.isEmpty()) {
            TextOutput printed(out);
            count = printSectionResults(files, path, numbers, printed, sizing);
            if (std::fflush(out) != 0 || std::ferror(out))
                throw RuntimeError(QStringLiteral("Die Standardausgabe kann nicht beschrieben werden."));
        } else {
            count = writeSectionResults(files, path, output, numbers, sizing);
        }
    } catch (const ListError& error) {
        say(err, QStringLiteral("%1: %2").arg(listName, QString::fromUtf8(error.what())));
        return 2;
    } catch (const RuntimeError& error) {
        say(err, QStringLiteral("%1: %2").arg(output.isEmpty() ? QStringLiteral("Standardausgabe") : QDir::toNativeSeparators(output),
                                              QString::fromUtf8(error.what())));
        return 2;
    }
    for (const QString& line : count.network.lines(numbers)) say(err, line);
    if (count.refused == 0) return count.network.shortOfPressure() ? 3 : 0;
    say(err, QStringLiteral("%1 von %2 Teilstrecken abgewiesen, der Grund steht in der Spalte „Hinweis“.")
                 .arg(count.refused)
                 .arg(count.calculated + count.refused));
    return 1;
}
