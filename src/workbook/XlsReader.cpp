#include "workbook/XlsReader.h"

#include "base/RuntimeError.h"
#include "workbook/BiffRecords.h"
#include "workbook/BiffStream.h"
#include "workbook/SheetRows.h"
#include "workbook/SpreadsheetDate.h"
#include "workbook/TextList.h"
#include "workbook/Windows1252.h"

#include <QHash>
#include <QStringDecoder>

#include <optional>
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
    case 1252:
    case 32769: return fromWindows1252(bytes);
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
// then runs and extended data that are skipped. It is read forward as the
// cells ask, each time at least twice as far as before, so that the table's
// records and the sheet's, which share the stream's window, seldom take turns.
class SharedStrings {
public:
    // position < 0: the workbook has no table.
    SharedStrings(const BiffStream& stream, qint64 position) : m_records(stream, position)
    {
        if (position >= 0 && m_records.next()) m_unique = m_records.dword(4);
    }

    std::optional<QString> at(quint32 index)
    {
        if (index >= m_texts.size()) readUpTo(std::max<std::size_t>(std::size_t(index) + 1, 2 * m_texts.size()));
        if (index >= m_texts.size()) return std::nullopt;
        return m_texts.at(index);
    }

private:
    void readUpTo(std::size_t count)
    {
        while (m_texts.size() < m_unique && m_texts.size() < count) {
            if (m_at + 3 > m_records.length()) {
                if (!m_records.nextIs(R::Continue) || !m_records.next()) {
                    m_unique = 0;  // the table ends here
                    return;
                }
                m_at = 0;
                continue;
            }
            const int length = m_records.word(m_at);
            const quint8 flags = m_records.byte(m_at + 2);
            m_at += 3;
            const int runs = (flags & 0x08) ? m_records.word(m_at) : 0;
            if (flags & 0x08) m_at += 2;
            const qint64 extended = (flags & 0x04) ? m_records.dword(m_at) : 0;
            if (flags & 0x04) m_at += 4;
            m_texts.append(m_records.characters(m_at, length, flags & 0x01));
            m_records.skip(m_at, 4 * qsizetype(runs) + extended);
        }
    }

    R m_records;
    qsizetype m_at = 8;  // in the current record
    quint32 m_unique = 0;
    TextList m_texts;
};

// The workbook globals' records; of the shared string table only its place.
Globals readGlobals(const BiffStream& stream)
{
    R records(stream, 0);
    if (!records.next() || records.type() != R::Bof) damaged();
    Globals g;
    g.biff8 = records.word(0) >= 0x0600;
    while (records.next() && records.type() != R::Eof) {
        switch (records.type()) {
        case R::Sst:
            if (g.sstPosition < 0) g.sstPosition = records.position();
            records.skipContinues();
            break;
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
    if (!g.biff8) g.sstPosition = -1;
    return g;
}

void setNumber(RowAssembler& rows, const Globals& g, int row, int col, int xf, double value)
{
    if (g.isDate(xf))
        if (const auto when = spreadsheetDate::fromSerial(value, g.system)) return rows.set(row, col, *when);
    rows.set(row, col, value);
}

// Cell records come row by row: reading stops at the first cell below the last row asked for.
void readSheet(const BiffStream& stream, const Globals& g, RowAssembler& rows)
{
    R records(stream, g.sheetPosition);
    if (!records.next() || records.type() != R::Bof) damaged();
    SharedStrings strings(stream, g.sstPosition);
    int textRow = 0, textCol = 0;  // a formula whose text result follows in a STRING record
    while (rows.active() && records.next() && records.type() != R::Eof) {
        const int row = records.word(0) + 1, col = records.word(2) + 1, xf = records.word(4);
        switch (records.type()) {
        case R::Number:
            setNumber(rows, g, row, col, xf, records.number(6));
            break;
        case R::Rk:
            setNumber(rows, g, row, col, xf, records.rk(6));
            break;
        case R::MulRk:
            for (qsizetype at = 4; at + 6 + 2 <= records.length(); at += 6)
                setNumber(rows, g, row, col + int(at - 4) / 6, records.word(at), records.rk(at + 2));
            break;
        case R::LabelSst:
            if (const std::optional<QString> text = strings.at(records.dword(6))) rows.set(row, col, *text);
            else rows.setUnreadable(row, col, QStringLiteral("Ein Text der Arbeitsmappe fehlt: die Datei ist beschädigt."));
            break;
        case R::Label:
        case R::RString: {
            qsizetype at = 8;
            rows.set(row, col, g.biff8 ? records.unicode(at, records.word(6)) : g.text8(records.bytes(8, records.word(6))));
            break;
        }
        case R::BoolErr:
            if (records.byte(7)) rows.set(row, col, CellError{errorCode(records.byte(6))});
            else rows.set(row, col, records.byte(6) != 0);
            break;
        case R::Formula:
            textRow = 0;
            // A saved result that is no number is marked by FF FF in its last two bytes.
            if (records.word(12) != 0xFFFF) {
                setNumber(rows, g, row, col, xf, records.number(6));
                break;
            }
            switch (records.byte(6)) {
            case 0: textRow = row, textCol = col; break;
            case 1: rows.set(row, col, records.byte(8) != 0); break;
            case 2: rows.set(row, col, CellError{errorCode(records.byte(8))}); break;
            default: break;  // an empty text
            }
            break;
        case R::String:
            if (textRow > 0) {
                qsizetype at = 2;
                const int count = records.word(0);
                rows.set(textRow, textCol, g.biff8 ? records.unicode(at, count) : g.text8(records.bytes(2, count)));
            }
            textRow = 0;
            break;
        default:
            break;
        }
    }
    rows.endRow();
}

}  // namespace

QString readXls(const QString& path, int lastRow, const SheetRowHandler& handler)
{
    const BiffStream stream(path);
    const Globals globals = readGlobals(stream);
    RowAssembler rows(lastRow, handler);
    readSheet(stream, globals, rows);
    return globals.sheetName;
}
