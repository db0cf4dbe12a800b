#include "workbook/WorkbookWriter.h"

#include "base/RuntimeError.h"
#include "workbook/SheetCells.h"
#include "workbook/SheetDeflater.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include <zip.h>

namespace {

const QString finishedReason = QStringLiteral("Die Arbeitsmappe ist schon abgeschlossen.");

// What a cell of a spreadsheet holds at most, in UTF-16 code units as Excel counts.
constexpr int maxTextLength = 32767;
// The sheet's XML goes to be deflated in pieces of about this size.
constexpr qsizetype flushSize = 128 * 1024;
// The other parts are small; the sheet is deflated as it is written (SheetDeflater).
constexpr zip_uint32_t deflateLevel = 1;

// Why the workbook `name` cannot be written: `step` says at what, `detail`
// what the system or libzip said.
QString failure(const QString& name, const QString& step, const QString& detail)
{
    return QStringLiteral("Die Arbeitsmappe „%1“ kann nicht geschrieben werden (%2: %3).").arg(name, step, detail);
}

QString zipDetail(zip_error_t* error)
{
    if (zip_error_code_zip(error) == ZIP_ER_MEMORY) return QStringLiteral("zu wenig Arbeitsspeicher");
    return QString::fromUtf8(zip_error_strerror(error));
}

// Excel's rules for a sheet's name: 1 to 31 characters, none of : \ / ? * [ ],
// no apostrophe first or last.
bool isValidSheetName(const QString& name)
{
    if (name.isEmpty() || name.size() > 31 || name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) { return QStringView(u":\\/?*[]").contains(c); });
}

template <std::size_t n>
char* put(char* p, const char (&literal)[n])
{
    return std::copy_n(literal, n - 1, p);
}

// "&quot;" is the longest a UTF-16 code unit becomes, but for the
// underscore of an escape pattern (below), 7 bytes for the 7 units of its pattern.
constexpr qsizetype maxEscapedSize(qsizetype codeUnits) { return 6 * codeUnits; }

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// Whether an Excel escape "_xHHHH_" (four hexadecimal digits) begins at s:
// Excel shows it as the character it stands for, unless its underscore is
// itself written as "_x005F_".
bool beginsEscapePattern(const char16_t* s, const char16_t* end)
{
    return end - s >= 7 && s[0] == u'_' && s[1] == u'x' && isHexDigit(s[2]) && isHexDigit(s[3]) &&
           isHexDigit(s[4]) && isHexDigit(s[5]) && s[6] == u'_';
}

bool holdsEscapePattern(QStringView text)
{
    const char16_t* const end = text.utf16() + text.size();
    for (const char16_t* s = text.utf16(); s < end; ++s)
        if (beginsEscapePattern(s, end)) return true;
    return false;
}

// `text` as UTF-8 with & < > " escaped, at p; returns its end. A carriage
// return is written as a character reference, which a parser keeps (a
// literal one it turns into a line feed), and the underscore of an escape
// pattern as "_x005F_". Characters XML 1.0 does not allow (controls other
// than tab, line feed and carriage return; U+FFFE, U+FFFF; surrogates
// without their pair) are dropped: no reader would take the file.
char* putEscaped(char* p, QStringView text)
{
    const char16_t* s = text.utf16();
    const char16_t* const end = s + text.size();
    while (s < end) {
        if (beginsEscapePattern(s, end)) {
            p = std::copy_n("_x005F_", 7, p);
            ++s;
            continue;
        }
        const char32_t c = *s++;
        if (c < 0x80) {
            if (c >= 0x20 && c != '&' && c != '<' && c != '>' && c != '"') *p++ = char(c);
            else if (c == '&') p = std::copy_n("&amp;", 5, p);
            else if (c == '<') p = std::copy_n("&lt;", 4, p);
            else if (c == '>') p = std::copy_n("&gt;", 4, p);
            else if (c == '"') p = std::copy_n("&quot;", 6, p);
            else if (c == '\r') p = std::copy_n("&#13;", 5, p);
            else if (c == '\t' || c == '\n') *p++ = char(c);
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (c >= 0xD800 && c < 0xDC00) {
            if (s == end || *s < 0xDC00 || *s >= 0xE000) continue;
            const char32_t u = 0x10000 + ((c - 0xD800) << 10) + (*s++ - 0xDC00);
            *p++ = char(0xF0 | (u >> 18));
            *p++ = char(0x80 | ((u >> 12) & 0x3F));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        } else if ((c < 0xDC00 || c >= 0xE000) && c != 0xFFFE && c != 0xFFFF) {
            *p++ = char(0xE0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        }
    }
    return p;
}

void appendEscaped(QByteArray& out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + maxEscapedSize(text.size()));
    out.resize(putEscaped(out.data() + start, text) - out.constData());
}

// A parser keeps the blanks inside a text; a spreadsheet program drops those
// at its ends and some line breaks unless told to keep them.
bool needsPreserve(QStringView text)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    return blank(text.front()) || blank(text.back()) || text.contains(u'\n') || text.contains(u'\r') || text.contains(u'\t');
}

// The digits of a row number, at most 7 for the largest sheet.
struct RowDigits {
    char text[8];
    int size;
};

// A cell's reference, "B12", from column 2 and the row's digits, at p.
char* putReference(char* p, int col, const RowDigits& row)
{
    char letters[3];  // 16384 is XFD
    int n = 0;
    for (; col > 0; col = (col - 1) / 26) letters[n++] = char('A' + (col - 1) % 26);
    while (n > 0) *p++ = letters[--n];
    return std::copy_n(row.text, row.size, p);
}

// Room for a cell's markup around its text or number.
constexpr qsizetype cellMarkupSize = 128;

QByteArray workbookPart(const QString& sheetName)
{
    QByteArray name;
    appendEscaped(name, sheetName);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
           "<sheets><sheet name=\"" + name + "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
}

// One number format per code, ids from 164 (those below are the built-in
// ones), and cell format i + 1 showing code i; cell format 0 is the default.
QByteArray stylesPart(const QStringList& codes)
{
    QByteArray formats, cellFormats;
    for (int i = 0; i < codes.size(); ++i) {
        const QByteArray id = QByteArray::number(164 + i);
        formats += "<numFmt numFmtId=\"" + id + "\" formatCode=\"";
        appendEscaped(formats, codes[i]);
        formats += "\"/>";
        cellFormats += "<xf numFmtId=\"" + id + "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>";
    }
    QByteArray part = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    if (!codes.isEmpty()) part += "<numFmts count=\"" + QByteArray::number(codes.size()) + "\">" + formats + "</numFmts>";
    part += "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
            "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
            "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
            "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
            "<cellXfs count=\"" + QByteArray::number(codes.size() + 1) + "\">"
            "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>" + cellFormats + "</cellXfs>"
            "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
            "</styleSheet>";
    return part;
}

// The package's content types and the workbook's relations; the shared
// string table is there only when a text needs it.
QByteArray contentTypesPart(bool sharedStrings)
{
    QByteArray part = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
    if (sharedStrings)
        part += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
    return part + "</Types>";
}

const QByteArray packageRelationsPart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";

QByteArray workbookRelationsPart(bool sharedStrings)
{
    QByteArray part = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"worksheets/sheet1.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
        "Target=\"styles.xml\"/>";
    if (sharedStrings)
        part += "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
                "Target=\"sharedStrings.xml\"/>";
    return part + "</Relationships>";
}

// The texts that hold an escape pattern, in the order of their indices.
// Excel, LibreOffice and openpyxl all read "_x005F_" there as an underscore;
// openpyxl does not in an inline text.
QByteArray sharedStringsPart(const QStringList& texts)
{
    const QByteArray count = QByteArray::number(texts.size());
    QByteArray part = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" + count +
                      "\" uniqueCount=\"" + count + "\">";
    for (const QString& text : texts) {
        part += "<si><t xml:space=\"preserve\">";
        appendEscaped(part, text);
        part += "</t></si>";
    }
    return part + "</sst>";
}

const char sheetHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheetData>";
const char sheetTail[] = "</sheetData></worksheet>";

class XlsxRowWriter : public RowWriter {
public:
    XlsxRowWriter(const QString& path, const QString& sheetName)
        : m_path(path), m_sheetName(sheetName), m_sheet(path + QStringLiteral(".XXXXXX"))
    {
        if (!isValidSheetName(sheetName))
            throw RuntimeError(QStringLiteral("Der Name des Tabellenblatts ist ungültig (höchstens 31 Zeichen, keines von : \\ / ? * [ ])."));
        // The sheet's rows wait, deflated, in a temporary file beside the
        // workbook, which itself is only created by finish().
        if (!m_sheet.open()) throw RuntimeError(sheetFailure(m_sheet.errorString()));
        m_deflater = std::make_unique<SheetDeflater>(m_sheet);
        m_buffer.resize(2 * flushSize);
        m_used = put(m_buffer.data(), sheetHead) - m_buffer.constData();
    }

    QString addRow(const std::vector<WrittenCell>& cells) override
    {
        if (!m_reason.isEmpty()) return m_reason;
        if (m_finished) return m_reason = finishedReason;
        if (cells.empty()) return {};
        const int row = cells.front().row;
        if (row <= m_lastRow || row > SheetCells::maxRows)
            return m_reason = QStringLiteral("Die Zeile %1 kann nicht geschrieben werden (Zeilen gehen aufsteigend, "
                                             "bis %2).").arg(row).arg(SheetCells::maxRows);
        RowDigits digits;
        digits.size = int(std::to_chars(digits.text, digits.text + sizeof digits.text, row).ptr - digits.text);
        char* p = put(room(cellMarkupSize), "<row r=\"");
        p = put(std::copy_n(digits.text, digits.size, p), "\">");
        used(p);
        int lastCol = 0;
        for (const WrittenCell& cell : cells) {
            if (cell.row != row || cell.col <= lastCol || cell.col > SheetCells::maxCols)
                return m_reason = QStringLiteral("Die Zelle %1 kann nicht geschrieben werden (Spalten gehen in einer "
                                                 "Zeile aufsteigend, bis %2).")
                                      .arg(SheetCells::reference(cell.row, cell.col)).arg(SheetCells::maxCols);
            lastCol = cell.col;
            if (!write(cell, digits) || !flushIfFull()) return m_reason;
        }
        used(put(room(cellMarkupSize), "</row>"));
        m_lastRow = row;
        return {};
    }

    QString finish() override
    {
        if (!m_reason.isEmpty()) return m_reason;
        if (m_finished) return finishedReason;
        m_finished = true;
        used(put(room(sizeof sheetTail), sheetTail));
        if (!flush()) return m_reason;
        if (!m_deflater->finish()) return m_reason = sheetFailure(m_deflater->failure());
        if (const QString reason = package(); !reason.isEmpty()) return m_reason = reason;
        return {};
    }

private:
    bool write(const WrittenCell& cell, const RowDigits& rowDigits)
    {
        if (const double* number = std::get_if<double>(&cell.value)) {
            // A spreadsheet has no cell for them; a file holding one does not open.
            if (!std::isfinite(*number)) {
                m_reason = QStringLiteral("Die Zelle %1 hält keine endliche Zahl.").arg(SheetCells::reference(cell.row, cell.col));
                return false;
            }
            char* p = room(cellMarkupSize);
            char* const end = p + cellMarkupSize;
            p = putReference(put(p, "<c r=\""), cell.col, rowDigits);
            if (!cell.numberFormat.isEmpty()) p = std::to_chars(put(p, "\" s=\""), end, style(cell.numberFormat)).ptr;
            p = std::to_chars(put(p, "\"><v>"), end, *number).ptr;  // at most 24 characters
            used(put(p, "</v></c>"));
            return true;
        }
        const QString& text = std::get<QString>(cell.value);
        if (text.size() > maxTextLength) {
            m_reason = QStringLiteral("Ein Text der Tabelle ist zu lang für eine Tabellenzelle.");
            return false;
        }
        if (text.isEmpty()) return true;  // an empty cell
        if (holdsEscapePattern(text)) {
            char* p = putReference(put(room(cellMarkupSize), "<c r=\""), cell.col, rowDigits);
            p = std::to_chars(put(p, "\" t=\"s\"><v>"), p + cellMarkupSize, m_shared.size()).ptr;
            used(put(p, "</v></c>"));
            m_shared << text;
            return true;
        }
        char* p = putReference(put(room(cellMarkupSize + maxEscapedSize(text.size())), "<c r=\""), cell.col, rowDigits);
        p = needsPreserve(text) ? put(p, "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">") : put(p, "\" t=\"inlineStr\"><is><t>");
        used(put(putEscaped(p, text), "</t></is></c>"));
        return true;
    }

    // The cell format of a number format code, added on first use. A
    // workbook holds a few codes (Excel keeps at most about 250): looking
    // them up one by one is quicker than hashing each cell's code.
    int style(const QString& code)
    {
        const auto known = std::find(m_codes.cbegin(), m_codes.cend(), code);
        if (known != m_codes.cend()) return int(known - m_codes.cbegin()) + 1;
        m_codes << code;
        return int(m_codes.size());
    }

    // At least n bytes free at the end of the sheet's XML, which continues there.
    char* room(qsizetype n)
    {
        if (m_buffer.size() - m_used < n) m_buffer.resize(m_used + n);
        return m_buffer.data() + m_used;
    }
    void used(const char* end) { m_used = end - m_buffer.constData(); }

    bool flushIfFull() { return m_used < flushSize || flush(); }

    // Hands the XML so far on to be deflated, and goes on in a buffer of the
    // same room (which the deflater is done with, when it can).
    bool flush()
    {
        m_buffer.resize(m_used);
        if (!m_deflater->add(m_buffer)) {
            m_reason = sheetFailure(m_deflater->failure());
            return false;
        }
        m_buffer.resize(2 * flushSize);
        m_used = 0;
        return true;
    }

    QString sheetFailure(const QString& detail) const
    {
        return failure(QFileInfo(m_path).fileName(), QStringLiteral("temporäre Datei des Tabellenblatts"), detail);
    }

    // The package at m_path; libzip writes it to a temporary file of its own
    // that takes the path's place when complete. Every step that fails gives
    // its reason; nothing is left at the path then.
    QString package()
    {
        const QString name = QFileInfo(m_path).fileName();
        int code = 0;
        // libzip and GLib take file names in UTF-8, on Windows too.
        zip_t* archive = zip_open(m_path.toUtf8().constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
        if (!archive) {
            zip_error_t error;
            zip_error_init_with_code(&error, code);
            const QString reason = failure(name, QStringLiteral("Anlegen"), zipDetail(&error));
            zip_error_fini(&error);
            return reason;
        }
        const auto fail = [&](const char* part) {
            const QString reason = failure(name, QString::fromLatin1(part), zipDetail(zip_get_error(archive)));
            zip_discard(archive);  // and with it libzip's temporary file
            return reason;
        };
        // libzip reads the buffers only in zip_close.
        const bool shared = !m_shared.isEmpty();
        const QByteArray types = contentTypesPart(shared), workbook = workbookPart(m_sheetName),
                         relations = workbookRelationsPart(shared), styles = stylesPart(m_codes),
                         strings = shared ? sharedStringsPart(m_shared) : QByteArray();
        struct Part {
            const char* name;
            const QByteArray* data;  // null: the sheet, deflated already
        };
        std::vector<Part> parts{{"[Content_Types].xml", &types},
                                {"_rels/.rels", &packageRelationsPart},
                                {"xl/workbook.xml", &workbook},
                                {"xl/_rels/workbook.xml.rels", &relations},
                                {"xl/styles.xml", &styles},
                                {"xl/worksheets/sheet1.xml", nullptr}};
        if (shared) parts.push_back({"xl/sharedStrings.xml", &strings});
        for (const Part& part : parts) {
            zip_source_t* source =
                part.data ? zip_source_buffer(archive, part.data->constData(), zip_uint64_t(part.data->size()), 0)
                          : m_deflater->source(archive);
            const zip_int64_t index = source ? zip_file_add(archive, part.name, source, 0) : -1;
            if (index < 0) {
                if (source) zip_source_free(source);
                return fail(part.name);
            }
            if (zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, deflateLevel) != 0)
                return fail(part.name);
        }
        if (zip_close(archive) != 0) return fail("Abschluss");
        return {};
    }

    QString m_path;
    QString m_sheetName;
    QTemporaryFile m_sheet;  // removed with the writer
    std::unique_ptr<SheetDeflater> m_deflater;  // into m_sheet; destroyed before it
    QByteArray m_buffer;     // its first m_used bytes: the sheet's XML not yet in m_sheet
    qsizetype m_used = 0;
    QStringList m_codes;  // number format codes by first use
    QStringList m_shared;  // texts with an escape pattern, by index
    int m_lastRow = 0;
    bool m_finished = false;
    QString m_reason;  // of the first failure; nothing more is written after it
};

}  // namespace

std::unique_ptr<RowWriter> newRowWriter(const QString& path, const QString& sheetName)
{
    return std::make_unique<XlsxRowWriter>(path, sheetName);
}

void writeWorkbook(const QString& path, const QString& sheetName, const std::vector<WrittenCell>& cells)
{
    std::vector<const WrittenCell*> order;
    order.reserve(cells.size());
    for (const WrittenCell& cell : cells) order.push_back(&cell);
    std::stable_sort(order.begin(), order.end(), [](const WrittenCell* a, const WrittenCell* b) {
        return a->row != b->row ? a->row < b->row : a->col < b->col;
    });
    const std::unique_ptr<RowWriter> writer = newRowWriter(path, sheetName);
    std::vector<WrittenCell> row;
    const auto flush = [&] {
        if (row.empty()) return;
        if (const QString reason = writer->addRow(row); !reason.isEmpty()) throw RuntimeError(reason);
        row.clear();
    };
    for (const WrittenCell* cell : order) {
        if (!row.empty() && row.back().row != cell->row) flush();
        if (!row.empty() && row.back().col == cell->col) row.back() = *cell;
        else row.push_back(*cell);
    }
    flush();
    if (const QString reason = writer->finish(); !reason.isEmpty()) throw RuntimeError(reason);
}
