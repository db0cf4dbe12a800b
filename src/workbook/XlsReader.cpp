#include "workbook/XlsReader.h"

#include "base/RuntimeError.h"
#include "workbook/BiffRecords.h"
#include "workbook/BiffStream.h"
#include "workbook/SpreadsheetDate.h"

#include <QHash>
#include <QStringDecoder>

#include <vector>

namespace {

using spreadsheetDate::System;
using R = BiffRecords;

[[noreturn]] void damaged()
{
    throw RuntimeError(QStringLiteral("Die Excel-Daten der Datei sind beschädigt."));
}

QString errorCode(quint8 code)
{
    switch (code) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    default: return QStringLiteral("#N/A");
    }
}

// A one-byte text of an Excel 5 workbook, in the code page its CODEPAGE
// record names: a Windows code page as a rule (1252 in Western Europe), a DOS
// one (437, 850) in old files, Macintosh Roman as 10000 or 32768. Where the
// code page is unknown the bytes are taken as Latin-1.
QString decodeCodePage(const QByteArray& bytes, int codePage)
{
    QByteArray name;
    switch (codePage) {
    case 367: name = "US-ASCII"; break;
    case 1200:   // marks Unicode texts; Excel 5 texts still have one byte a character
    case 32769: name = "windows-1252"; break;
    case 10000:
    case 32768: name = "macintosh"; break;
    default: name = (codePage < 1000 ? "IBM" : "windows-") + QByteArray::number(codePage); break;
    }
    QStringDecoder decoder(name.constData());
    if (decoder.isValid()) {
        QString text = decoder(bytes);
        if (!decoder.hasError()) return text;
    }
    return QString::fromLatin1(bytes);
}

// What the workbook globals say about the cells of its sheets.
struct Globals {
    bool biff8 = true;
    int codePage = 1252;  // of Excel 5's one-byte texts
    System system = System::From1900;
    qint64 sstPosition = -1;         // of the shared string table
    std::vector<int> xfFormats;      // number format of each cell format
    QHash<int, bool> customDates;    // custom number formats: shows a date
    qsizetype sheetPosition = -1;    // of the first worksheet's records
    QString sheetName;

    QString text8(const QByteArray& bytes) const { return decodeCodePage(bytes, codePage); }

    bool isDate(int xf) const
    {
        if (xf < 0 || std::size_t(xf) >= xfFormats.size()) return false;
        const int format = xfFormats[std::size_t(xf)];
        const auto it = customDates.constFind(format);
        return it != customDates.constEnd() ? *it : spreadsheetDate::isDateFormat(format, QString());
    }
};

// The shared string table: each text a count, flags (bit 0: two bytes a
// character, bit 2: extended data, bit 3: formatting runs), the characters,
// then runs and extended data that are skipped. Only the first count texts.
void readSharedStrings(R& records, std::vector<QString>& strings, std::size_t count)
{
    const quint32 unique = records.dword(4);
    qsizetype at = 8;
    while (strings.size() < unique && strings.size() < count) {
        if (at + 3 > records.length()) {
            if (!records.nextIs(R::Continue) || !records.next()) return;
            at = 0;
            continue;
        }
        const int count = records.word(at);
        const quint8 flags = records.byte(at + 2);
        at += 3;
        const int runs = (flags & 0x08) ? records.word(at) : 0;
        if (flags & 0x08) at += 2;
        const qint64 extended = (flags & 0x04) ? records.dword(at) : 0;
        if (flags & 0x04) at += 4;
        strings.push_back(records.characters(at, count, flags & 0x01));
        records.skip(at, 4 * qsizetype(runs) + extended);
    }
}

// The workbook globals' records: all but the shared string table, whose place is noted.
Globals readGlobals(const BiffStream& stream)
{
    QByteArray globals;
    qint64 sst = -1;
    for (qint64 at = 0;;) {
        quint16 type = 0;
        qsizetype length = 0;
        if (!stream.header(at, type, length)) break;
        if (type == R::Sst && sst < 0) {
            sst = at;
            do at += 4 + length;
            while (stream.header(at, type, length) && type == R::Continue);
            continue;
        }
        at = stream.append(at, globals);
        if (type == R::Eof) break;
    }

    R records(globals);
    if (!records.next() || records.type() != R::Bof) damaged();
    Globals g;
    g.biff8 = records.word(0) >= 0x0600;
    while (records.next() && records.type() != R::Eof) {
        switch (records.type()) {
        case R::FilePass:
            throw RuntimeError(QStringLiteral("Die Arbeitsmappe ist mit einem Kennwort geschützt (verschlüsselt)."));
        case R::CodePage:
            g.codePage = records.word(0);
            break;
        case R::DateMode:
            if (records.word(0) == 1) g.system = System::From1904;
            break;
        case R::Format: {
            const int id = records.word(0);
            qsizetype at = 4;
            const QString code = g.biff8 ? records.unicode(at, records.word(2)) : g.text8(records.bytes(3, records.byte(2)));
            g.customDates.insert(id, spreadsheetDate::isDateFormat(-1, code));
            break;
        }
        case R::Xf:
            g.xfFormats.push_back(records.word(2));
            break;
        case R::BoundSheet:
            // Chart, macro and module sheets (type byte not 0) are no worksheets.
            if (g.sheetPosition < 0 && records.byte(5) == 0) {
                g.sheetPosition = qsizetype(records.dword(0));
                qsizetype at = 7;
                g.sheetName = g.biff8 ? records.unicode(at, records.byte(6)) : g.text8(records.bytes(7, records.byte(6)));
            }
            break;
        default:
            break;
        }
    }
    if (g.sheetPosition < 0) throw RuntimeError(QStringLiteral("Die Arbeitsmappe enthält kein Tabellenblatt."));
    if (g.sheetPosition >= stream.size()) damaged();
    if (g.biff8) g.sstPosition = sst;
    return g;
}

void setNumber(SheetCells& cells, const Globals& g, int row, int col, int xf, double value)
{
    if (g.isDate(xf))
        if (const auto when = spreadsheetDate::fromSerial(value, g.system)) return cells.set(row, col, *when);
    cells.set(row, col, value);
}

bool isCellRecord(quint16 type)
{
    switch (type) {
    case R::Number: case R::Rk: case R::MulRk: case R::LabelSst: case R::Label: case R::RString: case R::BoolErr:
    case R::Formula:
        return true;
    default:
        return false;
    }
}

// The first count texts of the shared string table: its first record and as
// many of its CONTINUE records as they need.
std::vector<QString> readSharedStrings(const BiffStream& stream, const Globals& g, std::size_t count)
{
    std::vector<QString> strings;
    if (g.sstPosition < 0 || count == 0) return strings;
    QByteArray table;
    qint64 at = g.sstPosition;
    for (int batch = 1;; batch *= 2) {
        // Twice the records each time: the texts are parsed again, in all no
        // more than twice over.
        quint16 type = 0;
        qsizetype length = 0;
        for (int n = 0; n < batch && stream.header(at, type, length) && (at == g.sstPosition || type == R::Continue); ++n)
            at = stream.append(at, table);
        strings.clear();
        R records(table);
        if (records.next()) readSharedStrings(records, strings, count);
        if (strings.size() >= count || !stream.header(at, type, length) || type != R::Continue) return strings;
    }
}

struct SharedStringCell {
    int row, col;
    quint32 index;
};

// Cell records come row by row: reading stops at the first cell below rowLimit.
SheetCells readSheet(const BiffStream& stream, const Globals& g, int rowLimit)
{
    QByteArray sheet;
    for (qint64 at = g.sheetPosition;;) {
        quint16 type = 0;
        qsizetype length = 0;
        if (!stream.header(at, type, length)) break;
        const qsizetype start = sheet.size();
        at = stream.append(at, sheet);
        if (type == R::Eof) break;
        if (isCellRecord(type) && sheet.size() >= start + 6 &&
            (quint8(sheet[start + 4]) | (quint8(sheet[start + 5]) << 8)) + 1 > rowLimit)
            break;
    }

    R records(sheet);
    if (!records.next() || records.type() != R::Bof) damaged();
    SheetCells cells;
    std::vector<SharedStringCell> sharedStrings;  // looked up once the rows are read
    int textRow = 0, textCol = 0;  // a formula whose text result follows in a STRING record
    while (records.next() && records.type() != R::Eof) {
        const int row = records.word(0) + 1, col = records.word(2) + 1, xf = records.word(4);
        if (row > rowLimit && isCellRecord(records.type())) break;
        switch (records.type()) {
        case R::Number:
            setNumber(cells, g, row, col, xf, records.number(6));
            break;
        case R::Rk:
            setNumber(cells, g, row, col, xf, records.rk(6));
            break;
        case R::MulRk:
            for (qsizetype at = 4; at + 6 + 2 <= records.length(); at += 6)
                setNumber(cells, g, row, col + int(at - 4) / 6, records.word(at), records.rk(at + 2));
            break;
        case R::LabelSst:
            sharedStrings.push_back({row, col, records.dword(6)});
            break;
        case R::Label:
        case R::RString: {
            qsizetype at = 8;
            cells.set(row, col, g.biff8 ? records.unicode(at, records.word(6)) : g.text8(records.bytes(8, records.word(6))));
            break;
        }
        case R::BoolErr:
            if (records.byte(7)) cells.set(row, col, CellError{errorCode(records.byte(6))});
            else cells.set(row, col, records.byte(6) != 0);
            break;
        case R::Formula:
            textRow = 0;
            // A saved result that is no number is marked by FF FF in its last two bytes.
            if (records.word(12) != 0xFFFF) {
                setNumber(cells, g, row, col, xf, records.number(6));
                break;
            }
            switch (records.byte(6)) {
            case 0: textRow = row, textCol = col; cells.set(row, col, QString()); break;
            case 1: cells.set(row, col, records.byte(8) != 0); break;
            case 2: cells.set(row, col, CellError{errorCode(records.byte(8))}); break;
            default: cells.set(row, col, QString()); break;
            }
            break;
        case R::String:
            if (textRow > 0) {
                qsizetype at = 2;
                const int count = records.word(0);
                cells.set(textRow, textCol, g.biff8 ? records.unicode(at, count) : g.text8(records.bytes(2, count)));
            }
            textRow = 0;
            break;
        default:
            break;
        }
    }

    std::size_t needed = 0;
    for (const SharedStringCell& cell : sharedStrings) needed = std::max<std::size_t>(needed, std::size_t(cell.index) + 1);
    const std::vector<QString> strings = readSharedStrings(stream, g, needed);
    for (const SharedStringCell& cell : sharedStrings) {
        if (cell.index < strings.size()) cells.set(cell.row, cell.col, strings[cell.index]);
        else cells.setUnreadable(cell.row, cell.col, QStringLiteral("Ein Text der Arbeitsmappe fehlt: die Datei ist beschädigt."));
    }
    return cells;
}

}  // namespace

FirstWorksheet readXls(const QString& path, int rowLimit)
{
    const BiffStream stream(path);
    const Globals globals = readGlobals(stream);
    return {globals.sheetName, readSheet(stream, globals, rowLimit)};
}
