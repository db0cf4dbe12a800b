#include "workbook/OdsReader.h"

#include "base/RuntimeError.h"
#include "workbook/SheetCells.h"
#include "workbook/XmlNumber.h"
#include "workbook/ZipPackage.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

const QString tableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString officeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString textNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString calcextNs = QStringLiteral("urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0");

bool is(const QXmlStreamReader& xml, const QString& ns, QLatin1String name)
{
    return xml.namespaceUri() == ns && xml.name() == name;
}

// A repetition count: at least 1, at most one past the largest sheet.
qint64 repeated(const QXmlStreamAttributes& a, QLatin1String name)
{
    bool ok = false;
    const qint64 n = a.value(tableNs, name).toLongLong(&ok);
    return ok && n > 1 ? std::min<qint64>(n, SheetCells::maxRows + 1) : 1;
}

// The text of a paragraph: its characters, text:s as blanks, text:tab and
// text:line-break, and the text of nested spans and links; notes left out.
void readParagraph(QXmlStreamReader& xml, QString& text)
{
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) return;
        if (xml.isCharacters()) {
            text += xml.text();
        } else if (xml.isStartElement()) {
            if (is(xml, textNs, QLatin1String("s"))) {
                bool ok = false;
                const int count = xml.attributes().value(textNs, QLatin1String("c")).toInt(&ok);
                text += QString(ok ? std::clamp(count, 1, 1000) : 1, QLatin1Char(' '));
                xml.skipCurrentElement();
            } else if (is(xml, textNs, QLatin1String("tab"))) {
                text += QLatin1Char('\t');
                xml.skipCurrentElement();
            } else if (is(xml, textNs, QLatin1String("line-break"))) {
                text += QLatin1Char('\n');
                xml.skipCurrentElement();
            } else if (is(xml, textNs, QLatin1String("note")) || is(xml, officeNs, QLatin1String("annotation"))) {
                xml.skipCurrentElement();
            } else {
                readParagraph(xml, text);
            }
        }
    }
}

// The paragraphs of a cell joined by line breaks; comments left out.
QString readCellText(QXmlStreamReader& xml)
{
    QString text;
    bool first = true;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) break;
        if (!xml.isStartElement()) continue;
        if (is(xml, textNs, QLatin1String("p")) || is(xml, textNs, QLatin1String("h"))) {
            if (!first) text += QLatin1Char('\n');
            first = false;
            readParagraph(xml, text);
        } else {
            xml.skipCurrentElement();
        }
    }
    return text;
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

struct Cell {
    CellValue value;
    QString problem;
};

Cell readCell(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes a = xml.attributes();
    const QString type = a.value(officeNs, QLatin1String("value-type")).toString();
    const bool error = a.value(calcextNs, QLatin1String("value-type")) == QLatin1String("error");
    const bool formula = a.hasAttribute(tableNs, QLatin1String("formula"));
    const QString text = readCellText(xml);
    const QString damaged = QStringLiteral("Der Wert der Zelle %1 ist unlesbar: die Datei ist beschädigt.");

    if (error) return {CellError{text}, {}};
    if (type == QLatin1String("float") || type == QLatin1String("percentage") || type == QLatin1String("currency")) {
        if (const auto number = xmlNumber(a.value(officeNs, QLatin1String("value")))) return {*number, {}};
        return {{}, damaged};
    }
    if (type == QLatin1String("date")) {
        const QString value = a.value(officeNs, QLatin1String("date-value")).toString();
        // "2024-03-15" or "2024-03-15T08:00:00"
        const QDateTime when = value.contains(QLatin1Char('T'))
                                   ? QDateTime::fromString(value, Qt::ISODate)
                                   : QDateTime(QDate::fromString(value, Qt::ISODate), QTime(0, 0));
        if (!when.isValid()) return {{}, damaged};
        return {when, {}};
    }
    if (type == QLatin1String("time")) {
        const auto when = parseTime(a.value(officeNs, QLatin1String("time-value")));
        if (!when) return {{}, damaged};
        return {*when, {}};
    }
    if (type == QLatin1String("boolean")) {
        const auto v = a.value(officeNs, QLatin1String("boolean-value"));
        return {v == QLatin1String("true") || v == QLatin1String("1"), {}};
    }
    if (type == QLatin1String("string")) {
        if (a.hasAttribute(officeNs, QLatin1String("string-value")))
            return {a.value(officeNs, QLatin1String("string-value")).toString(), {}};
        return {text, {}};
    }
    if (formula && text.isEmpty())
        return {{}, QStringLiteral("Die Zelle %1 enthält eine Formel ohne gespeichertes Ergebnis. Bitte die "
                                   "Arbeitsmappe in einem Tabellenprogramm öffnen, berechnen lassen und speichern.")};
    if (!text.isEmpty()) return {text, {}};
    return {};
}

// Rows come in order: reading stops at the first row below lastRow. A
// repeated row or cell is handed on as often as it is repeated, as far as the
// largest sheet goes; repeated empty rows and cells cost nothing.
void readTable(QXmlStreamReader& xml, RowAssembler& rows, int lastRow)
{
    qint64 row = 1;
    int depth = 1;
    while (depth > 0 && !xml.atEnd() && row <= lastRow && rows.active()) {
        xml.readNext();
        if (xml.isEndElement()) {
            --depth;
            continue;
        }
        if (!xml.isStartElement()) continue;
        if (!is(xml, tableNs, QLatin1String("table-row"))) {
            // Row groups and header rows hold rows; everything else is skipped.
            if (is(xml, tableNs, QLatin1String("table-row-group")) || is(xml, tableNs, QLatin1String("table-header-rows")) ||
                is(xml, tableNs, QLatin1String("table-rows")))
                ++depth;
            else
                xml.skipCurrentElement();
            continue;
        }
        const qint64 repeats = repeated(xml.attributes(), QLatin1String("number-rows-repeated"));
        qint64 col = 1;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement()) break;
            if (!xml.isStartElement()) continue;
            if (!is(xml, tableNs, QLatin1String("table-cell")) && !is(xml, tableNs, QLatin1String("covered-table-cell"))) {
                xml.skipCurrentElement();
                continue;
            }
            const qint64 cols = repeated(xml.attributes(), QLatin1String("number-columns-repeated"));
            const Cell cell = readCell(xml);
            const qint64 end = std::min<qint64>(col + cols, SheetCells::maxCols + 1);
            if (row <= SheetCells::maxRows) {
                if (!cell.problem.isEmpty()) {
                    // A repeated unreadable cell is marked in its first 100
                    // columns: enough for any use, bounded for damaged files.
                    for (qint64 c = col; c < end && c < col + 100; ++c)
                        rows.setUnreadable(int(row), int(c),
                                           cell.problem.contains(QLatin1String("%1"))
                                               ? cell.problem.arg(SheetCells::reference(int(row), int(c)))
                                               : cell.problem);
                } else if (!std::holds_alternative<std::monostate>(cell.value)) {
                    for (qint64 c = col; c < end; ++c) rows.set(int(row), int(c), cell.value);
                }
            }
            col = end;
        }
        if (xml.hasError()) return;  // a damaged row is not handed on
        rows.endRow(repeats);
        row = std::min<qint64>(row + repeats, SheetCells::maxRows + 1);
    }
}

}  // namespace

QString readOds(const QString& path, int lastRow, const SheetRowHandler& handler)
{
    ZipPackage zip(path);
    if (!zip.contains(QStringLiteral("content.xml")))
        throw RuntimeError(QStringLiteral("Der Inhalt (content.xml) fehlt in der Datei: sie ist beschädigt."));
    ZipPart device(zip, QStringLiteral("content.xml"));
    QXmlStreamReader xml(&device);
    RowAssembler rows(lastRow, handler);
    QString name;
    bool found = false;
    while (!xml.atEnd() && !found) {
        xml.readNext();
        if (xml.isStartElement() && is(xml, tableNs, QLatin1String("table"))) {
            name = xml.attributes().value(tableNs, QLatin1String("name")).toString();
            readTable(xml, rows, lastRow);
            found = true;
        }
    }
    device.throwFault();
    if (xml.hasError())
        throw RuntimeError(QStringLiteral("Der Inhalt (content.xml) ist kein gültiges XML: die Datei ist beschädigt."));
    if (!found) throw RuntimeError(QStringLiteral("Die Arbeitsmappe enthält kein Tabellenblatt."));
    return name;
}
