#include "table/XlsReader.h"

#include "base/RuntimeError.h"
#include "table/SpreadsheetDate.h"

#include <QFile>
#include <QHash>

#include <freexl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using spreadsheetDate::System;

constexpr qint64 maxStreamSize = 256 * 1024 * 1024;

[[noreturn]] void refuse(const QString& reason)
{
    throw RuntimeError(reason.toStdString());
}

[[noreturn]] void damaged()
{
    refuse(QStringLiteral("Die Excel-Daten der Datei sind beschädigt."));
}

// Record types of the workbook stream (BIFF5 and BIFF8).
enum Record : quint16 {
    Formula = 0x0006, Eof = 0x000A, DateMode = 0x0022, FilePass = 0x002F, Continue = 0x003C,
    BoundSheet = 0x0085, Xf = 0x00E0, BoolErr = 0x0205, String = 0x0207, Bof = 0x0809, Format = 0x041E,
};

QString errorCode(quint8 code)
{
    switch (code) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    case 0x2A: return QStringLiteral("#N/A");
    default: return QStringLiteral("#N/A");
    }
}

// The workbook stream ("Workbook", in Excel 5 "Book") out of the OLE2 container.
QByteArray workbookStream(const QString& path)
{
    static const bool initialised = [] { gsf_init(); return true; }();
    (void)initialised;
    const auto unref = [](auto* object) { if (object) g_object_unref(object); };
    GError* error = nullptr;
    std::unique_ptr<GsfInput, decltype(unref)> file(gsf_input_stdio_new(QFile::encodeName(path).constData(), &error), unref);
    if (error) g_error_free(error), error = nullptr;
    if (!file) refuse(QStringLiteral("Die Datei kann nicht gelesen werden."));
    std::unique_ptr<GsfInfile, decltype(unref)> ole(gsf_infile_msole_new(file.get(), &error), unref);
    if (error) g_error_free(error), error = nullptr;
    if (!ole) refuse(QStringLiteral("Der OLE2-Container der Datei ist beschädigt."));
    for (int i = 0; i < gsf_infile_num_children(ole.get()); ++i) {
        const char* name = gsf_infile_name_by_index(ole.get(), i);
        if (!name || (g_ascii_strcasecmp(name, "Workbook") != 0 && g_ascii_strcasecmp(name, "Book") != 0)) continue;
        std::unique_ptr<GsfInput, decltype(unref)> stream(gsf_infile_child_by_index(ole.get(), i), unref);
        if (!stream) damaged();
        const gsf_off_t size = gsf_input_size(stream.get());
        if (size < 0 || size > maxStreamSize) refuse(QStringLiteral("Die Excel-Daten der Datei sind zu groß."));
        QByteArray data(qsizetype(size), Qt::Uninitialized);
        if (size > 0 && !gsf_input_read(stream.get(), size_t(size), reinterpret_cast<guint8*>(data.data()))) damaged();
        return data;
    }
    refuse(QStringLiteral("Die Datei enthält keine Excel-Arbeitsmappe (vielleicht ein anderes Office-Dokument "
                          "oder eine verschlüsselte Arbeitsmappe)."));
}

class RecordReader {
public:
    explicit RecordReader(const QByteArray& data, qsizetype pos = 0) : m_data(data), m_pos(pos) {}
    bool next()
    {
        if (m_pos + 4 > m_data.size()) return false;
        m_id = u16(m_pos);
        const qsizetype length = u16(m_pos + 2);
        m_body = m_pos + 4;
        m_length = std::min<qsizetype>(length, m_data.size() - m_body);  // a cut-off last record
        m_pos = m_body + m_length;
        return true;
    }
    bool peekIs(quint16 id) const { return m_pos + 2 <= m_data.size() && u16(m_pos) == id; }
    quint16 id() const { return m_id; }
    qsizetype length() const { return m_length; }
    quint8 byte(qsizetype at) const { return at < m_length ? quint8(m_data[m_body + at]) : 0; }
    quint16 word(qsizetype at) const { return at + 2 <= m_length ? u16(m_body + at) : 0; }
    quint32 dword(qsizetype at) const { return quint32(word(at)) | (quint32(word(at + 2)) << 16); }
    double number(qsizetype at) const
    {
        quint64 bits = 0;
        for (int i = 7; i >= 0; --i) bits = (bits << 8) | byte(at + i);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // A BIFF8 text of count characters from offset at: a flags byte (bit 0:
    // two bytes a character), then the characters, going on in CONTINUE
    // records, each of which starts with a flags byte again.
    QString unicode(qsizetype at, int count, bool flagsFirst = true)
    {
        QString text;
        bool wide = false;
        if (flagsFirst) wide = byte(at++) & 1;
        for (;;) {
            while (int(text.size()) < count && at + (wide ? 2 : 1) <= m_length) {
                text += wide ? QChar(word(at)) : QChar(byte(at));
                at += wide ? 2 : 1;
            }
            if (int(text.size()) >= count || !peekIs(Continue) || !next()) return text;
            at = 0;
            wide = byte(at++) & 1;
        }
    }
    QString bytes(qsizetype at, int count) const
    {
        QString text;
        for (int i = 0; i < count && at + i < m_length; ++i) text += QChar(byte(at + i));
        return text;
    }

private:
    quint16 u16(qsizetype at) const { return quint16(quint8(m_data[at]) | (quint8(m_data[at + 1]) << 8)); }

    const QByteArray& m_data;
    qsizetype m_pos;
    qsizetype m_body = 0;
    qsizetype m_length = 0;
    quint16 m_id = 0;
};

struct Scan {
    int sheetIndex = -1;  // among all sheets, as FreeXL counts them
    SheetCells cells;     // formula results, truth and error values
    QHash<quint64, bool> present;
};

bool isBuiltInDate(int id) { return spreadsheetDate::isDateFormat(id, QString()); }

Scan scanWorkbook(const QByteArray& stream)
{
    RecordReader globals(stream);
    if (!globals.next() || globals.id() != Bof) damaged();
    const bool biff8 = globals.word(0) >= 0x0600;

    System system = System::From1900;
    QHash<int, bool> dateFormats;  // custom formats by number
    std::vector<int> xfFormats;
    Scan scan;
    qsizetype sheetPos = -1;
    int sheetCount = 0;
    while (globals.next() && globals.id() != Eof) {
        switch (globals.id()) {
        case FilePass:
            refuse(QStringLiteral("Die Arbeitsmappe ist mit einem Kennwort geschützt (verschlüsselt)."));
        case DateMode:
            if (globals.word(0) == 1) system = System::From1904;
            break;
        case Format: {
            const int id = globals.word(0);
            const QString code = biff8 ? globals.unicode(4, globals.word(2)) : globals.bytes(3, globals.byte(2));
            dateFormats.insert(id, spreadsheetDate::isDateFormat(-1, code));
            break;
        }
        case Xf:
            xfFormats.push_back(globals.word(2));
            break;
        case BoundSheet:
            // Chart, macro and module sheets are no worksheets.
            if (sheetPos < 0 && globals.byte(5) == 0) {
                sheetPos = qsizetype(globals.dword(0));
                scan.sheetIndex = sheetCount;
            }
            ++sheetCount;
            break;
        default:
            break;
        }
    }
    if (sheetPos < 0) refuse(QStringLiteral("Die Arbeitsmappe enthält kein Tabellenblatt."));
    if (sheetPos >= stream.size()) damaged();

    const auto isDate = [&](int xf) {
        if (xf < 0 || std::size_t(xf) >= xfFormats.size()) return false;
        const int format = xfFormats[std::size_t(xf)];
        return dateFormats.contains(format) ? dateFormats.value(format) : isBuiltInDate(format);
    };
    RecordReader sheet(stream, sheetPos);
    if (!sheet.next() || sheet.id() != Bof) damaged();
    int stringRow = -1, stringCol = -1;  // a formula whose text result follows
    while (sheet.next() && sheet.id() != Eof) {
        const int row = sheet.word(0) + 1, col = sheet.word(2) + 1;
        if (sheet.id() == Formula && sheet.length() >= 20) {
            stringRow = -1;
            scan.present.insert(quint64(row) << 16 | quint64(col), true);
            if (sheet.word(12) == 0xFFFF) {
                switch (sheet.byte(6)) {
                case 0: stringRow = row, stringCol = col; break;
                case 1: scan.cells.set(row, col, sheet.byte(8) != 0); break;
                case 2: scan.cells.set(row, col, CellError{errorCode(sheet.byte(8))}); break;
                default: scan.cells.set(row, col, QString()); break;
                }
            } else {
                const double value = sheet.number(6);
                const auto when = isDate(sheet.word(4)) ? spreadsheetDate::fromSerial(value, system) : std::nullopt;
                if (when) scan.cells.set(row, col, *when);
                else scan.cells.set(row, col, value);
            }
        } else if (sheet.id() == String && stringRow > 0) {
            const int count = sheet.word(0);
            scan.cells.set(stringRow, stringCol, biff8 ? sheet.unicode(2, count) : sheet.bytes(2, count));
            stringRow = -1;
        } else if (sheet.id() == BoolErr && sheet.length() >= 8) {
            scan.present.insert(quint64(row) << 16 | quint64(col), true);
            if (sheet.byte(7)) scan.cells.set(row, col, CellError{errorCode(sheet.byte(6))});
            else scan.cells.set(row, col, sheet.byte(6) != 0);
        }
    }
    return scan;
}

QString freexlReason(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("Die Datei kann nicht gelesen werden.");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("Zu wenig Arbeitsspeicher zum Lesen der Datei.");
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_READ_ERROR:
    case FREEXL_CFBF_SEEK_ERROR:
    case FREEXL_CFBF_INVALID_SIGNATURE:
    case FREEXL_CFBF_INVALID_SECTOR_SIZE:
    case FREEXL_CFBF_EMPTY_FAT_CHAIN:
    case FREEXL_CFBF_ILLEGAL_FAT_ENTRY:
    case FREEXL_INVALID_MINI_STREAM:
    case FREEXL_CFBF_ILLEGAL_MINI_FAT_ENTRY:
        return QStringLiteral("Der OLE2-Container der Datei ist beschädigt.");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return QStringLiteral("Die Datei enthält keine Excel-Arbeitsmappe.");
    case FREEXL_BIFF_ILLEGAL_SHEET_INDEX:
        return QStringLiteral("Die Arbeitsmappe enthält kein Tabellenblatt.");
    case FREEXL_INVALID_CHARACTER:
    case FREEXL_UNSUPPORTED_CHARSET:
        return QStringLiteral("Der Zeichensatz der Arbeitsmappe wird nicht unterstützt.");
    default:
        return QStringLiteral("Die Excel-Daten der Datei sind beschädigt.");
    }
}

std::optional<QDateTime> freexlDate(const FreeXL_CellValue& v)
{
    const QString text = QString::fromUtf8(v.value.text_value);
    QDateTime when;
    if (v.type == FREEXL_CELL_DATE) when = QDateTime(QDate::fromString(text, QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    else if (v.type == FREEXL_CELL_DATETIME) when = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    else when = QDateTime(QDate(1899, 12, 30), QTime::fromString(text, QStringLiteral("HH:mm:ss")));
    if (!when.isValid()) return std::nullopt;
    return when;
}

FirstWorksheet readWithFreexl(const QString& path, int sheetIndex)
{
    const void* handle = nullptr;
    const int opened = freexl_open(QFile::encodeName(path).constData(), &handle);
    const std::unique_ptr<const void, int (*)(const void*)> closer(handle, freexl_close);
    if (opened != FREEXL_OK) refuse(freexlReason(opened));
    unsigned int sheets = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || unsigned(sheetIndex) >= sheets)
        refuse(QStringLiteral("Die Arbeitsmappe enthält kein Tabellenblatt."));
    int rc = freexl_select_active_worksheet(handle, quint16(sheetIndex));
    if (rc != FREEXL_OK) refuse(freexlReason(rc));

    FirstWorksheet sheet;
    const char* name = nullptr;
    if (freexl_get_worksheet_name(handle, quint16(sheetIndex), &name) == FREEXL_OK && name) sheet.name = QString::fromUtf8(name);
    unsigned int rows = 0;
    unsigned short cols = 0;
    rc = freexl_worksheet_dimensions(handle, &rows, &cols);
    if (rc != FREEXL_OK) refuse(freexlReason(rc));
    for (unsigned int r = 0; r < rows && r < unsigned(SheetCells::maxRows); ++r) {
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK) continue;
            const int row = int(r) + 1, col = int(c) + 1;
            switch (v.type) {
            case FREEXL_CELL_INT: sheet.cells.set(row, col, double(v.value.int_value)); break;
            case FREEXL_CELL_DOUBLE: sheet.cells.set(row, col, v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT: sheet.cells.set(row, col, QString::fromUtf8(v.value.text_value)); break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                if (const auto when = freexlDate(v)) sheet.cells.set(row, col, *when);
                else sheet.cells.set(row, col, QString::fromUtf8(v.value.text_value));
                break;
            default: break;
            }
        }
    }
    return sheet;
}

}  // namespace

FirstWorksheet readXls(const QString& path)
{
    const Scan scan = scanWorkbook(workbookStream(path));
    FirstWorksheet sheet = readWithFreexl(path, scan.sheetIndex);
    for (auto it = scan.present.cbegin(); it != scan.present.cend(); ++it) {
        const int row = int(it.key() >> 16), col = int(it.key() & 0xFFFF);
        sheet.cells.set(row, col, scan.cells.value(row, col));
    }
    return sheet;
}
