#include "workbook/XlsxReader.h"

#include "base/RuntimeError.h"
#include "workbook/SpreadsheetDate.h"
#include "workbook/SheetCells.h"
#include "workbook/XlsxSharedStrings.h"
#include "workbook/XmlNumber.h"
#include "workbook/ZipPackage.h"

#include <QHash>
#include <QUrl>
#include <QXmlStreamReader>

#include <vector>

namespace {

using spreadsheetDate::System;

[[noreturn]] void badPart(const QString& part)
{
    throw RuntimeError(QStringLiteral("Der Teil „%1“ der Arbeitsmappe ist kein gültiges XML: die Datei ist beschädigt.").arg(part));
}

// A fault of the part's data (a checksum, inflating) is the better reason
// than the XML error it leads to.
void checkXml(const QXmlStreamReader& xml, const ZipPart& device, const QString& part)
{
    device.throwFault();
    if (xml.hasError()) badPart(part);
}

struct Relationship {
    QString type;
    QString target;  // part name from the package root, without leading '/'
};

QString folderOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash + 1);
}

// Targets are URIs relative to the source part's folder, or absolute part
// names ("/xl/worksheets/sheet1.xml") as some producers write them.
QString resolveTarget(const QString& folder, const QString& target)
{
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    QStringList parts;
    const QString joined = decoded.startsWith(QLatin1Char('/')) ? decoded : folder + decoded;
    for (const QString& segment : joined.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String(".")) continue;
        if (segment == QLatin1String("..")) {
            if (!parts.isEmpty()) parts.removeLast();
            continue;
        }
        parts << segment;
    }
    return parts.join(QLatin1Char('/'));
}

QString relationshipsOf(const QString& part)
{
    return folderOf(part) + QStringLiteral("_rels/") + part.mid(folderOf(part).size()) + QStringLiteral(".rels");
}

QHash<QString, Relationship> readRelationships(const ZipPackage& zip, const QString& sourcePart)
{
    const QString relsPart = relationshipsOf(sourcePart);
    QHash<QString, Relationship> rels;
    if (!zip.contains(relsPart)) return rels;
    ZipPart device(zip, relsPart);
    QXmlStreamReader xml(&device);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("Relationship")) continue;
        const auto a = xml.attributes();
        if (a.value(QLatin1String("TargetMode")) == QLatin1String("External")) continue;
        rels.insert(a.value(QLatin1String("Id")).toString(),
                    {a.value(QLatin1String("Type")).toString(),
                     resolveTarget(folderOf(sourcePart), a.value(QLatin1String("Target")).toString())});
    }
    checkXml(xml, device, relsPart);
    return rels;
}

bool isType(const Relationship& rel, QLatin1String kind)
{
    return rel.type.endsWith(QLatin1Char('/') + kind);
}

// For each cell format (index of the s attribute): whether it shows dates.
std::vector<bool> readDateStyles(const ZipPackage& zip, const QString& part)
{
    QHash<int, QString> codes;
    std::vector<bool> dates;
    ZipPart device(zip, part);
    QXmlStreamReader xml(&device);
    bool inCellFormats = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto a = xml.attributes();
            if (xml.name() == QLatin1String("numFmt")) {
                codes.insert(a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("formatCode")).toString());
            } else if (xml.name() == QLatin1String("cellXfs")) {
                inCellFormats = true;
            } else if (inCellFormats && xml.name() == QLatin1String("xf")) {
                const int id = a.value(QLatin1String("numFmtId")).toInt();
                // A custom format may reuse a built-in number; its code decides then.
                dates.push_back(codes.contains(id) ? spreadsheetDate::isDateFormat(-1, codes.value(id))
                                                   : spreadsheetDate::isDateFormat(id, QString()));
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs")) {
            inCellFormats = false;
        }
    }
    checkXml(xml, device, part);
    return dates;
}

// "B12" -> row 12, column 2; false for anything else.
bool parseReference(QStringView ref, int& row, int& col)
{
    qsizetype i = 0;
    qint64 c = 0, r = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 128 && c <= SheetCells::maxCols)
        c = c * 26 + (ref[i++].toUpper().unicode() - 'A' + 1);
    const qsizetype digits = i;
    while (i < ref.size() && ref[i].isDigit() && r <= SheetCells::maxRows) r = r * 10 + (ref[i++].unicode() - '0');
    if (c == 0 || i == digits || i != ref.size()) return false;
    row = int(std::min<qint64>(r, SheetCells::maxRows + 1));
    col = int(std::min<qint64>(c, SheetCells::maxCols + 1));
    return true;
}

struct SheetContext {
    const std::vector<bool>& dateStyles;
    System system;
    XlsxSharedStrings& sharedStrings;
};

void setUnreadableValue(RowAssembler& rows, int row, int col)
{
    rows.setUnreadable(row, col, QStringLiteral("Der Wert der Zelle %1 ist unlesbar: die Datei ist beschädigt.")
                                     .arg(SheetCells::reference(row, col)));
}

void readCell(QXmlStreamReader& xml, const SheetContext& context, int row, int col, RowAssembler& rows)
{
    const auto a = xml.attributes();
    const QString type = a.value(QLatin1String("t")).toString();
    const int style = a.value(QLatin1String("s")).toInt();
    QString value;
    bool hasValue = false, hasFormula = false, hasInline = false;
    QString inlineText;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("c")) break;
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("v")) {
            value = xml.readElementText();
            hasValue = true;
        } else if (xml.name() == QLatin1String("f")) {
            hasFormula = true;
            xml.skipCurrentElement();
        } else if (xml.name() == QLatin1String("is")) {
            inlineText = readXlsxStringItem(xml);
            hasInline = true;
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) return;

    if (type == QLatin1String("inlineStr")) {
        rows.set(row, col, hasInline ? inlineText : value);
        return;
    }
    if (!hasValue) {
        if (hasFormula)
            rows.setUnreadable(row, col, QStringLiteral("Die Zelle %1 enthält eine Formel ohne gespeichertes Ergebnis. "
                                                        "Bitte die Arbeitsmappe in einem Tabellenprogramm öffnen, "
                                                        "berechnen lassen und speichern.")
                                             .arg(SheetCells::reference(row, col)));
        return;  // a cell with a format only
    }
    const auto damaged = [&] { setUnreadableValue(rows, row, col); };
    if (type == QLatin1String("s")) {
        bool ok = false;
        const qulonglong index = value.trimmed().toULongLong(&ok);
        if (!ok) return damaged();
        std::optional<QString> text = context.sharedStrings.at(index);
        if (!text) return damaged();
        rows.set(row, col, std::move(*text));
    } else if (type == QLatin1String("str")) {
        rows.set(row, col, value);
    } else if (type == QLatin1String("b")) {
        rows.set(row, col, value.trimmed() == QLatin1String("1") || value.trimmed() == QLatin1String("true"));
    } else if (type == QLatin1String("e")) {
        rows.set(row, col, CellError{value.trimmed()});
    } else if (type == QLatin1String("d")) {
        const QDateTime when = QDateTime::fromString(value.trimmed(), Qt::ISODate);
        if (!when.isValid()) return damaged();
        rows.set(row, col, when);
    } else {
        const std::optional<double> number = xmlNumber(value);
        if (!number) return damaged();
        const bool date = style >= 0 && std::size_t(style) < context.dateStyles.size() && context.dateStyles[std::size_t(style)];
        if (date) {
            if (const auto when = spreadsheetDate::fromSerial(*number, context.system)) {
                rows.set(row, col, *when);
                return;
            }
        }
        rows.set(row, col, *number);
    }
}

// Rows come in ascending order: reading stops at the first row below the last one asked for.
// The sheet's dimension is not read: it may declare any size.
void readSheet(const ZipPackage& zip, const QString& part, const SheetContext& context, RowAssembler& rows)
{
    ZipPart device(zip, part);
    QXmlStreamReader xml(&device);
    int row = 0, col = 0;
    while (!xml.atEnd() && rows.active()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("row")) {
            bool ok = false;
            const int r = xml.attributes().value(QLatin1String("r")).toInt(&ok);
            row = ok ? r : row + 1;
            col = 0;
        } else if (xml.name() == QLatin1String("c")) {
            int r = row, c = col + 1;
            const auto ref = xml.attributes().value(QLatin1String("r"));
            if (!ref.isEmpty() && !parseReference(ref, r, c)) badPart(part);
            col = c;
            readCell(xml, context, std::max(r, 1), c, rows);
        }
    }
    checkXml(xml, device, part);
    rows.endRow();
}

}  // namespace

QString readXlsx(const QString& path, int lastRow, const SheetRowHandler& handler)
{
    ZipPackage zip(path);
    const QString notWorkbook = QStringLiteral("Die Datei ist ein Office-Dokument, aber keine Arbeitsmappe.");

    QString workbookPart;
    for (const Relationship& rel : readRelationships(zip, QString()))
        if (isType(rel, QLatin1String("officeDocument"))) workbookPart = rel.target;
    if (workbookPart.isEmpty() || !zip.contains(workbookPart)) throw RuntimeError(notWorkbook);
    if (workbookPart.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive))
        throw RuntimeError(QStringLiteral("Binäre Excel-Arbeitsmappen (.xlsb) werden nicht unterstützt; bitte als .xlsx speichern."));
    const QHash<QString, Relationship> rels = readRelationships(zip, workbookPart);

    // The first sheet in the workbook's order that is a worksheet (not a chart sheet).
    ZipPart workbookDevice(zip, workbookPart);
    QXmlStreamReader xml(&workbookDevice);
    bool isWorkbook = false;
    System system = System::From1900;
    QString sheetName, sheetPart;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("workbook")) {
            isWorkbook = true;
        } else if (xml.name() == QLatin1String("workbookPr")) {
            const auto v = a.value(QLatin1String("date1904"));
            if (v == QLatin1String("1") || v == QLatin1String("true")) system = System::From1904;
        } else if (xml.name() == QLatin1String("sheet") && sheetPart.isEmpty()) {
            for (const auto& attribute : a) {
                if (attribute.name() != QLatin1String("id") || attribute.namespaceUri().isEmpty()) continue;
                const Relationship rel = rels.value(attribute.value().toString());
                if (isType(rel, QLatin1String("worksheet"))) {
                    sheetPart = rel.target;
                    sheetName = a.value(QLatin1String("name")).toString();
                }
            }
        }
    }
    checkXml(xml, workbookDevice, workbookPart);
    if (!isWorkbook) throw RuntimeError(notWorkbook);
    if (sheetPart.isEmpty()) throw RuntimeError(QStringLiteral("Die Arbeitsmappe enthält kein Tabellenblatt."));
    if (!zip.contains(sheetPart))
        throw RuntimeError(QStringLiteral("Das erste Tabellenblatt („%1“) fehlt in der Datei: sie ist beschädigt.").arg(sheetPart));

    std::vector<bool> dateStyles;
    QString stringsPart;
    for (const Relationship& rel : rels) {
        if (isType(rel, QLatin1String("sharedStrings"))) stringsPart = rel.target;
        if (isType(rel, QLatin1String("styles"))) dateStyles = readDateStyles(zip, rel.target);
    }
    XlsxSharedStrings sharedStrings(zip, stringsPart);
    RowAssembler rows(lastRow, handler);
    readSheet(zip, sheetPart, SheetContext{dateStyles, system, sharedStrings}, rows);
    return sheetName;
}
