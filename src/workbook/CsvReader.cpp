#include "workbook/CsvReader.h"

#include "base/RuntimeError.h"
#include "workbook/SheetCells.h"
#include "workbook/Windows1252.h"

#include <QFile>

#include <array>
#include <cstring>
#include <exception>

#include <csv.h>

namespace {

constexpr qsizetype chunk = 64 * 1024;
constexpr int maxFieldChars = 32767;                       // of a spreadsheet cell
constexpr qsizetype maxFieldBytes = 4 * maxFieldChars;     // in UTF-8 at most
const QByteArray utf8Mark("\xEF\xBB\xBF");

// What the first pass finds out.
struct Layout {
    bool utf8 = true;
    bool byteOrderMark = false;
    char separator = ';';
};

// Checks UTF-8 as it comes, piece by piece (RFC 3629: no overlong forms,
// no surrogates, nothing above U+10FFFF).
class Utf8Check {
public:
    void feed(const unsigned char* bytes, qsizetype count)
    {
        for (qsizetype i = 0; i < count && m_valid; ++i) {
            const unsigned char c = bytes[i];
            if (m_pending > 0) {
                if (c < m_low || c > m_high) m_valid = false;
                m_low = 0x80, m_high = 0xBF;
                --m_pending;
            } else if (c >= 0x80) {
                start(c);
            }
        }
    }
    bool valid() const { return m_valid && m_pending == 0; }

private:
    void start(unsigned char c)
    {
        if (c >= 0xC2 && c <= 0xDF) m_pending = 1;
        else if (c == 0xE0) m_pending = 2, m_low = 0xA0;
        else if (c == 0xED) m_pending = 2, m_high = 0x9F;
        else if (c >= 0xE1 && c <= 0xEF) m_pending = 2;
        else if (c == 0xF0) m_pending = 3, m_low = 0x90;
        else if (c == 0xF4) m_pending = 3, m_high = 0x8F;
        else if (c >= 0xF1 && c <= 0xF3) m_pending = 3;
        else m_valid = false;
    }

    int m_pending = 0;
    unsigned char m_low = 0x80, m_high = 0xBF;  // of the next continuation byte
    bool m_valid = true;
};

void open(QFile& file)
{
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(QStringLiteral("Die Datei kann nicht gelesen werden (%1).").arg(file.errorString()));
}

[[noreturn]] void unreadable(const QFile& file)
{
    throw RuntimeError(QStringLiteral("Die Datei kann nicht gelesen werden (%1).").arg(file.errorString()));
}

// The first pass: the encoding, and the separator from the heading line.
Layout findLayout(const QString& path)
{
    QFile file(path);
    open(file);
    Layout layout;
    Utf8Check utf8;
    std::array<qint64, 3> counts{};  // ';' ',' '\t'
    bool inQuotes = false, headingDone = false, headingBegun = false;
    QByteArray buffer(chunk, Qt::Uninitialized);
    for (bool first = true;; first = false) {
        const qint64 read = file.read(buffer.data(), chunk);
        if (read < 0) unreadable(file);
        if (read == 0) break;
        const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.constData());
        qsizetype from = 0;
        if (first) {
            if (read >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF)))
                throw RuntimeError(QStringLiteral("Die Datei ist in UTF-16 gespeichert; bitte als CSV in UTF-8 oder "
                                                  "Windows-1252 speichern."));
            if (QByteArrayView(buffer.constData(), read).startsWith(utf8Mark)) layout.byteOrderMark = true, from = 3;
        }
        if (std::memchr(bytes, 0, std::size_t(read)))
            throw RuntimeError(QStringLiteral("Die Datei ist keine Textdatei (sie enthält Nullbytes)."));
        utf8.feed(bytes + from, read - from);
        for (qsizetype i = from; i < read && !headingDone; ++i) {
            const unsigned char c = bytes[i];
            if (c == '"') inQuotes = !inQuotes;
            if (inQuotes) continue;
            if (c == '\r' || c == '\n') headingDone = headingBegun;
            else headingBegun = true;
            if (c == ';') ++counts[0];
            else if (c == ',') ++counts[1];
            else if (c == '\t') ++counts[2];
        }
    }
    layout.utf8 = layout.byteOrderMark || utf8.valid();
    if (counts[1] > counts[0] && counts[1] >= counts[2]) layout.separator = ',';
    if (counts[2] > counts[0] && counts[2] > counts[1]) layout.separator = '\t';
    return layout;
}

// The second pass, fed to libcsv piece by piece; its callbacks land here.
class Reader {
public:
    Reader(const Layout& layout, int lastRow, const SheetRowHandler& handler)
        : m_utf8(layout.utf8), m_wholeSheet(lastRow >= SheetCells::maxRows), m_rows(lastRow, handler)
    {
    }

    // Asked for the whole sheet, reading goes on past its last row to tell
    // whether the file holds more than a sheet can.
    bool going() const
    {
        return m_reason.isEmpty() && !m_exception && !m_rows.stoppedByHandler() && (m_rows.active() || m_wholeSheet);
    }
    const QString& reason() const { return m_reason; }
    int row() const { return m_row; }

    void field(const char* bytes, std::size_t length)
    {
        if (!going()) return;
        m_rowBytes += qsizetype(length);
        if (++m_fields > SheetCells::maxCols)
            return fail(QStringLiteral("Zeile %1 hat mehr als %2 Felder (so viele Spalten hat eine Tabelle höchstens).")
                            .arg(m_row).arg(SheetCells::maxCols));
        if (m_rowBytes > maxSeparatedRowBytes) return fail(rowTooLongReason(m_row));
        if (length == 0) return;
        if (m_row > SheetCells::maxRows) return fail(tooManyRowsReason());
        if (qsizetype(length) > maxFieldBytes) return tooLong();
        QString text = m_utf8 ? QString::fromUtf8(bytes, qsizetype(length))
                              : fromWindows1252(QByteArrayView(bytes, qsizetype(length)));
        if (text.size() > maxFieldChars) return tooLong();
        // A line break inside quotes as Windows writes it is one line break in a cell.
        if (text.contains(QLatin1Char('\r'))) text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        m_rows.set(m_row, m_fields, std::move(text));
    }

    void endOfRecord(int terminator)
    {
        // libcsv reports every line break: the line feed of a CR LF pair ends no row.
        const bool secondHalf = terminator == '\n' && m_lastTerminator == '\r' && m_fields == 0;
        m_lastTerminator = terminator;
        if (secondHalf || !going()) return;
        m_rows.endRow();
        ++m_row;
        m_fields = 0;
        m_rowBytes = 0;
    }

    // A field still growing past any field's length is refused before it is whole.
    void checkGrowing(std::size_t pending)
    {
        if (going() && qsizetype(pending) > maxFieldBytes) tooLong();
    }

    void fail(QString reason)
    {
        if (m_reason.isEmpty()) m_reason = std::move(reason);
    }

    // An exception of the handler is kept until libcsv, which is C, has returned.
    template <typename Work>
    void guarded(Work work) noexcept
    {
        try {
            work();
        } catch (...) {
            m_exception = std::current_exception();
        }
    }
    void rethrow() const
    {
        if (m_exception) std::rethrow_exception(m_exception);
    }

private:
    void tooLong()
    {
        fail(QStringLiteral("In Zeile %1 ist ein Feld länger als %2 Zeichen (so viele fasst eine Tabellenzelle höchstens).")
                 .arg(m_row).arg(maxFieldChars));
    }

    bool m_utf8;
    bool m_wholeSheet;
    RowAssembler m_rows;
    std::exception_ptr m_exception;
    QString m_reason;
    int m_row = 1;
    int m_fields = 0;
    qsizetype m_rowBytes = 0;
    int m_lastTerminator = 0;
};

void onField(void* bytes, std::size_t length, void* reader)
{
    auto* r = static_cast<Reader*>(reader);
    r->guarded([&] { r->field(static_cast<const char*>(bytes), length); });
}

void onRecord(int terminator, void* reader)
{
    auto* r = static_cast<Reader*>(reader);
    r->guarded([&] { r->endOfRecord(terminator); });
}

int isBlank(unsigned char c)
{
    return c == ' ';
}

// libcsv's state inside a field (libcsv.c: FIELD_BEGUN); with `quoted`, a
// quote is open.
constexpr int insideField = 2;

// libcsv's parser, freed however the reading ends.
struct Parser {
    csv_parser p;
    Parser()
    {
        if (csv_init(&p, CSV_REPALL_NL) != 0) throw RuntimeError(QStringLiteral("Zu wenig Arbeitsspeicher zum Lesen der Datei."));
    }
    ~Parser() { csv_free(&p); }
};

}  // namespace

void readCsv(const QString& path, int lastRow, const SheetRowHandler& handler)
{
    const Layout layout = findLayout(path);
    Parser parser;
    csv_set_delim(&parser.p, static_cast<unsigned char>(layout.separator));
    csv_set_space_func(&parser.p, isBlank);
    csv_set_blk_size(&parser.p, 4096);
    Reader reader(layout, lastRow, handler);

    QFile file(path);
    open(file);
    if (layout.byteOrderMark) file.skip(utf8Mark.size());
    QByteArray buffer(chunk, Qt::Uninitialized);
    while (reader.going()) {
        const qint64 read = file.read(buffer.data(), chunk);
        if (read < 0) unreadable(file);
        if (read == 0) break;
        if (csv_parse(&parser.p, buffer.constData(), std::size_t(read), onField, onRecord, &reader) != std::size_t(read) &&
            csv_error(&parser.p) == CSV_ENOMEM)
            throw RuntimeError(QStringLiteral("Zu wenig Arbeitsspeicher zum Lesen der Datei."));
        reader.checkGrowing(parser.p.entry_pos);
    }
    if (reader.going() && parser.p.quoted && parser.p.pstate == insideField)
        reader.fail(QStringLiteral("In Zeile %1 fehlt das schließende Anführungszeichen eines Feldes: die Datei ist "
                                   "unvollständig oder beschädigt.")
                        .arg(reader.row()));
    if (reader.going()) csv_fini(&parser.p, onField, onRecord, &reader);
    reader.rethrow();
    if (!reader.reason().isEmpty()) throw RuntimeError(reader.reason());
}
