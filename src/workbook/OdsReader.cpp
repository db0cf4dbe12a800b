#include "workbook/OdsReader.h"

#include "base/RuntimeError.h"
#include "workbook/SaxPart.h"
#include "workbook/SheetCells.h"
#include "workbook/XmlNumber.h"
#include "workbook/ZipPackage.h"

#include <QRegularExpression>

#include <algorithm>
#include <string>

namespace {

constexpr std::string_view tableNs = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view officeNs = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view textNs = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view calcextNs = "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0";

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A repetition count: at least 1, at most one past the largest sheet.
qint64 repeated(const SaxAttributes& a, std::string_view name)
{
    const std::optional<qint64> n = xmlInteger<qint64>(a.get(tableNs, name).value_or(std::string_view()));
    return n && *n > 1 ? std::min<qint64>(*n, SheetCells::maxRows + 1) : 1;
}

// "PT10H30M00S", "PT36H", "P1DT2H": a duration as a point in time counted
// from day 0, as spreadsheets keep times.
std::optional<QDateTime> parseTime(QStringView value)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(-)?P(?:(\\d+)D)?T?(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+(?:\\.\\d+)?)S)?$"));
    const auto m = pattern.match(value);
    if (!m.hasMatch() || m.hasCaptured(1)) return std::nullopt;
    const double seconds = m.captured(2).toDouble() * 86400 + m.captured(3).toDouble() * 3600 +
                           m.captured(4).toDouble() * 60 + m.captured(5).toDouble();
    if (seconds >= 86400.0 * 3000000) return std::nullopt;
    const qint64 whole = qint64(seconds + 0.5);
    return QDateTime(QDate(1899, 12, 30).addDays(whole / 86400), QTime(0, 0).addSecs(int(whole % 86400)));
}

// What a cell's attributes say, kept until its text is read.
struct CellAttributes {
    std::string type, value, dateValue, timeValue, booleanValue;
    std::optional<std::string> stringValue;
    bool error = false, formula = false;

    explicit CellAttributes(const SaxAttributes& a)
        : type(a.get(officeNs, "value-type").value_or("")), value(a.get(officeNs, "value").value_or("")),
          dateValue(a.get(officeNs, "date-value").value_or("")), timeValue(a.get(officeNs, "time-value").value_or("")),
          booleanValue(a.get(officeNs, "boolean-value").value_or("")),
          error(a.get(calcextNs, "value-type") == std::optional<std::string_view>("error")),
          formula(a.get(tableNs, "formula").has_value())
    {
        if (const auto s = a.get(officeNs, "string-value")) stringValue = std::string(*s);
    }
    CellAttributes() = default;
};

struct Cell {
    CellValue value;
    QString problem;  // with %1 for the cell's name
};

Cell cellOf(const CellAttributes& a, const QString& text)
{
    const QString damaged = QStringLiteral("Der Wert der Zelle %1 ist unlesbar: die Datei ist beschädigt.");
    if (a.error) return {CellError{text}, {}};
    if (a.type == "float" || a.type == "percentage" || a.type == "currency") {
        if (const auto number = xmlNumber(std::string_view(a.value))) return {*number, {}};
        return {{}, damaged};
    }
    if (a.type == "date") {
        const QString value = utf8(a.dateValue);
        // "2024-03-15" or "2024-03-15T08:00:00"
        const QDateTime when = value.contains(QLatin1Char('T'))
                                   ? QDateTime::fromString(value, Qt::ISODate)
                                   : QDateTime(QDate::fromString(value, Qt::ISODate), QTime(0, 0));
        if (!when.isValid()) return {{}, damaged};
        return {when, {}};
    }
    if (a.type == "time") {
        const auto when = parseTime(utf8(a.timeValue));
        if (!when) return {{}, damaged};
        return {*when, {}};
    }
    if (a.type == "boolean") return {a.booleanValue == "true" || a.booleanValue == "1", {}};
    if (a.type == "string") return {a.stringValue ? utf8(*a.stringValue) : text, {}};
    if (a.formula && text.isEmpty())
        return {{}, QStringLiteral("Die Zelle %1 enthält eine Formel ohne gespeichertes Ergebnis. Bitte die "
                                   "Arbeitsmappe in einem Tabellenprogramm öffnen, berechnen lassen und speichern.")};
    if (!text.isEmpty()) return {text, {}};
    return {};
}

// The first table of content.xml into rows. Rows come in order: reading
// stops at the first row below lastRow. A repeated row or cell is handed on
// as often as it is repeated, as far as the largest sheet goes; repeated
// empty rows and cells cost nothing. A cell's text is its paragraphs joined
// by line breaks: their characters, text:s as blanks, text:tab and
// text:line-break, and the text of nested spans and links; notes and
// comments left out.
class TableHandler : public SaxHandler {
public:
    TableHandler(RowAssembler& rows, int lastRow) : m_rows(rows), m_lastRow(lastRow) {}

    bool done() const { return m_place == Place::Done || !m_rows.active() || m_row > m_lastRow; }
    bool found() const { return m_place != Place::Before; }
    const QString& name() const { return m_name; }

    void start(std::string_view name, std::string_view ns, const SaxAttributes& a) override
    {
        if (done()) return;
        if (m_skip > 0) {
            ++m_skip;
            return;
        }
        const auto is = [&](std::string_view space, std::string_view local) { return ns == space && name == local; };
        switch (m_place) {
        case Place::Before:
            if (is(tableNs, "table")) {
                m_name = utf8(a.get(tableNs, "name").value_or(""));
                m_place = Place::Table;
            }
            break;
        case Place::Table:
            // Row groups and header rows hold rows; everything else is left out.
            if (is(tableNs, "table-row-group") || is(tableNs, "table-header-rows") || is(tableNs, "table-rows")) {
                ++m_groups;
            } else if (is(tableNs, "table-row")) {
                m_repeats = repeated(a, "number-rows-repeated");
                m_col = 1;
                m_place = Place::Row;
            } else {
                m_skip = 1;
            }
            break;
        case Place::Row:
            if (is(tableNs, "table-cell") || is(tableNs, "covered-table-cell")) {
                m_cols = repeated(a, "number-columns-repeated");
                m_cell = CellAttributes(a);
                m_text.clear();
                m_paragraphs = m_inParagraph = 0;
                m_place = Place::Cell;
            } else {
                m_skip = 1;
            }
            break;
        case Place::Cell:
            if (m_inParagraph == 0) {
                if (is(textNs, "p") || is(textNs, "h")) {
                    if (m_paragraphs++ > 0) m_text += '\n';
                    m_inParagraph = 1;
                } else {
                    m_skip = 1;
                }
            } else if (is(textNs, "s")) {
                const int count = xmlInteger<int>(a.get(textNs, "c").value_or("")).value_or(1);
                m_text.append(std::size_t(std::clamp(count, 1, 1000)), ' ');
                m_skip = 1;
            } else if (is(textNs, "tab") || is(textNs, "line-break")) {
                m_text += is(textNs, "tab") ? '\t' : '\n';
                m_skip = 1;
            } else if (is(textNs, "note") || is(officeNs, "annotation")) {
                m_skip = 1;
            } else {
                ++m_inParagraph;
            }
            break;
        case Place::Done:
            break;
        }
    }

    void end(std::string_view, std::string_view) override
    {
        if (done()) return;
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        switch (m_place) {
        case Place::Table:
            if (m_groups > 0) --m_groups;
            else m_place = Place::Done;
            break;
        case Place::Row:
            m_rows.endRow(m_repeats);
            m_row = std::min<qint64>(m_row + m_repeats, SheetCells::maxRows + 1);
            m_place = Place::Table;
            break;
        case Place::Cell:
            if (m_inParagraph > 0) {
                --m_inParagraph;
            } else {
                finishCell();
                m_place = Place::Row;
            }
            break;
        case Place::Before:
        case Place::Done:
            break;
        }
    }

    void characters(std::string_view piece) override
    {
        if (m_place == Place::Cell && m_inParagraph > 0 && m_skip == 0) m_text += piece;
    }

private:
    void finishCell()
    {
        const Cell cell = cellOf(m_cell, utf8(m_text));
        const qint64 end = std::min<qint64>(m_col + m_cols, SheetCells::maxCols + 1);
        if (m_row <= SheetCells::maxRows) {
            const int row = int(m_row);
            if (!cell.problem.isEmpty()) {
                // A repeated unreadable cell is marked in its first 100
                // columns: enough for any use, bounded for damaged files.
                for (qint64 c = m_col; c < end && c < m_col + 100; ++c)
                    m_rows.setUnreadable(row, int(c),
                                         cell.problem.contains(QLatin1String("%1"))
                                             ? cell.problem.arg(SheetCells::reference(row, int(c)))
                                             : cell.problem);
            } else if (!std::holds_alternative<std::monostate>(cell.value)) {
                for (qint64 c = m_col; c < end; ++c) m_rows.set(row, int(c), cell.value);
            }
        }
        m_col = end;
    }

    enum class Place { Before, Table, Row, Cell, Done };

    RowAssembler& m_rows;
    int m_lastRow;
    Place m_place = Place::Before;
    int m_skip = 0;    // depth inside an element left out
    int m_groups = 0;  // row groups open
    QString m_name;
    qint64 m_row = 1, m_repeats = 1, m_col = 1, m_cols = 1;
    CellAttributes m_cell;
    std::string m_text;
    int m_paragraphs = 0, m_inParagraph = 0;  // depth inside the cell's paragraph
};

}  // namespace

QString readOds(const QString& path, int lastRow, const SheetRowHandler& handler)
{
    ZipPackage zip(path);
    if (!zip.contains(QStringLiteral("content.xml")))
        throw RuntimeError(QStringLiteral("Der Inhalt (content.xml) fehlt in der Datei: sie ist beschädigt."));
    RowAssembler rows(lastRow, handler);
    TableHandler table(rows, lastRow);
    SaxPart xml(zip, QStringLiteral("content.xml"), table);
    while (!table.done() && xml.step()) {
    }
    if (!table.found()) throw RuntimeError(QStringLiteral("Die Arbeitsmappe enthält kein Tabellenblatt."));
    return table.name();
}
