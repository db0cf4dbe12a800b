#include "workbook/XlsxReader.h"

#include "base/RuntimeError.h"
#include "workbook/SaxPart.h"
#include "workbook/SpreadsheetDate.h"
#include "workbook/XlsxSharedStrings.h"
#include "workbook/XlsxSheet.h"
#include "workbook/XmlNumber.h"
#include "workbook/ZipPackage.h"

#include <QHash>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <vector>

namespace {

using spreadsheetDate::System;

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Parses a small part whole, telling its start and end elements to the functions.
void parsePart(const ZipPackage& zip, const QString& part,
               const std::function<void(std::string_view, const SaxAttributes&)>& onStart,
               const std::function<void(std::string_view)>& onEnd = {})
{
    struct Handler : SaxHandler {
        const std::function<void(std::string_view, const SaxAttributes&)>& onStart;
        const std::function<void(std::string_view)>& onEnd;
        Handler(const std::function<void(std::string_view, const SaxAttributes&)>& s, const std::function<void(std::string_view)>& e)
            : onStart(s), onEnd(e)
        {
        }
        void start(std::string_view name, std::string_view, const SaxAttributes& a) override { onStart(name, a); }
        void end(std::string_view name, std::string_view) override
        {
            if (onEnd) onEnd(name);
        }
    } handler(onStart, onEnd);
    SaxPart(zip, part, handler).parseAll();
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
    parsePart(zip, relsPart, [&](std::string_view name, const SaxAttributes& a) {
        if (name != "Relationship" || a.value("TargetMode") == "External") return;
        rels.insert(utf8(a.value("Id")), {utf8(a.value("Type")), resolveTarget(folderOf(sourcePart), utf8(a.value("Target")))});
    });
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
    bool inCellFormats = false;
    parsePart(
        zip, part,
        [&](std::string_view name, const SaxAttributes& a) {
            if (name == "numFmt") {
                codes.insert(xmlInteger<int>(a.value("numFmtId")).value_or(0), utf8(a.value("formatCode")));
            } else if (name == "cellXfs") {
                inCellFormats = true;
            } else if (inCellFormats && name == "xf") {
                const int id = xmlInteger<int>(a.value("numFmtId")).value_or(0);
                // A custom format may reuse a built-in number; its code decides then.
                dates.push_back(codes.contains(id) ? spreadsheetDate::isDateFormat(-1, codes.value(id))
                                                   : spreadsheetDate::isDateFormat(id, QString()));
            }
        },
        [&](std::string_view name) {
            if (name == "cellXfs") inCellFormats = false;
        });
    return dates;
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
    bool isWorkbook = false;
    System system = System::From1900;
    QString sheetName, sheetPart;
    parsePart(zip, workbookPart, [&](std::string_view name, const SaxAttributes& a) {
        if (name == "workbook") {
            isWorkbook = true;
        } else if (name == "workbookPr") {
            const std::string_view v = a.value("date1904");
            if (v == "1" || v == "true") system = System::From1904;
        } else if (name == "sheet" && sheetPart.isEmpty()) {
            const Relationship rel = rels.value(utf8(a.namespaced("id")));
            if (isType(rel, QLatin1String("worksheet"))) {
                sheetPart = rel.target;
                sheetName = utf8(a.value("name"));
            }
        }
    });
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
    readXlsxSheet(zip, sheetPart, XlsxSheetContext{dateStyles, system, sharedStrings}, rows);
    return sheetName;
}
