#include "LargeWorkbooks.h"

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <vector>
#include <list>
#include <stdexcept>

namespace largeWorkbooks {

namespace {

bool isNumber(int row, int col)
{
    return col == 1 && row >= 2 && row <= 26;
}

// Random digits keep the texts from compressing to nothing, as real texts do.
QByteArray text(QRandomGenerator& random, int row, int col)
{
    return "Messpunkt " + QByteArray::number(row) + '-' + QByteArray::number(col) + ' ' +
           QByteArray::number(random.generate(), 16);
}

// A ZIP package of the given parts, deflated; mimetype (if any) stored first.
void writeZip(const QString& path, const std::list<std::pair<const char*, QByteArray>>& parts)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) throw std::runtime_error("cannot create the package");
    for (const auto& [name, data] : parts) {
        zip_source_t* source = zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8);
        if (index < 0) throw std::runtime_error("cannot add a part");
        zip_set_file_compression(archive, zip_uint64_t(index),
                                 std::strcmp(name, "mimetype") == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 6);
    }
    if (zip_close(archive) != 0) throw std::runtime_error("cannot write the package");
}

QByteArray columnName(int col)
{
    return QByteArray(1, char('A' + col - 1));
}

// An .xlsx package of one worksheet "Messwerte" with the given sheet data
// rows and shared string items.
void writeXlsxPackage(const QString& path, QByteArray& sheet, QByteArray& strings, int count)
{
    const QByteArray sst = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count=")" +
                           QByteArray::number(count) + "\" uniqueCount=\"" + QByteArray::number(count) + "\">" +
                           strings + "</sst>";
    strings.clear();
    writeZip(path, {
        {"[Content_Types].xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
</Types>)"},
        {"_rels/.rels", R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>)"},
        {"xl/workbook.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="Messwerte" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels", R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
</Relationships>)"},
        {"xl/sharedStrings.xml", sst},
        {"xl/worksheets/sheet1.xml", sheet},
    });
}

}  // namespace

void writeXlsx(const QString& path, int rows)
{
    QRandomGenerator random(20261208);
    QByteArray sheet = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)";
    QByteArray strings;
    int count = 0;
    for (int r = 1; r <= rows; ++r) {
        sheet += "<row r=\"" + QByteArray::number(r) + "\">";
        for (int c = 1; c <= columns; ++c) {
            const QByteArray ref = columnName(c) + QByteArray::number(r);
            if (isNumber(r, c)) {
                sheet += "<c r=\"" + ref + "\"><v>" + QByteArray::number(number(r)) + "</v></c>";
            } else {
                sheet += "<c r=\"" + ref + "\" t=\"s\"><v>" + QByteArray::number(count++) + "</v></c>";
                strings += "<si><t>" + text(random, r, c) + "</t></si>";
            }
        }
        sheet += "</row>";
    }
    sheet += "</sheetData></worksheet>";
    writeXlsxPackage(path, sheet, strings, count);
}

namespace {

// Section r's total and largest single unit.
double sectionTotal(int r)
{
    return 300 + r % 900 + (r % 2 ? 0.5 : 0.0);
}
int sectionLargest(int r)
{
    static const int units[] = {2, 3, 4, 5, 8};
    return units[r % 5];
}
QByteArray sectionName(int r)
{
    return "Teilstrecke " + QByteArray::number(r);
}

}  // namespace

void writeSectionsXlsx(const QString& path, int rows)
{
    QRandomGenerator random(20261208);
    QByteArray sheet = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)";
    QByteArray strings;
    int count = 0;
    const auto textCell = [&](const char* col, int r, const QByteArray& value) {
        sheet += "<c r=\"" + QByteArray(col) + QByteArray::number(r) + "\" t=\"s\"><v>" + QByteArray::number(count++) +
                 "</v></c>";
        strings += "<si><t>" + value + "</t></si>";
    };
    const auto numberCell = [&](const char* col, int r, double value) {
        sheet += "<c r=\"" + QByteArray(col) + QByteArray::number(r) + "\"><v>" + QByteArray::number(value) + "</v></c>";
    };
    sheet += "<row r=\"1\">";
    textCell("A", 1, "Teilstrecke");
    textCell("B", 1, "BW");
    textCell("C", 1, "Einzel BW");
    textCell("D", 1, "Bemerkung");
    sheet += "</row>";
    for (int r = 2; r <= rows + 1; ++r) {
        sheet += "<row r=\"" + QByteArray::number(r) + "\">";
        textCell("A", r, sectionName(r));
        numberCell("B", r, sectionTotal(r));
        numberCell("C", r, sectionLargest(r));
        textCell("D", r, text(random, r, 4));
        sheet += "</row>";
    }
    sheet += "</sheetData></worksheet>";
    writeXlsxPackage(path, sheet, strings, count);
}

void writeSectionsCsv(const QString& path, int rows)
{
    QRandomGenerator random(20261208);
    QByteArray csv = "Teilstrecke;BW;Einzel BW;Bemerkung\r\n";
    for (int r = 2; r <= rows + 1; ++r)
        csv += sectionName(r) + ';' + QByteArray::number(sectionTotal(r)).replace('.', ',') + ';' +
               QByteArray::number(sectionLargest(r)) + ";\"Grüße, " + text(random, r, 4) + "\"\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size()) throw std::runtime_error("cannot write the list");
}

void writeSizedSectionsCsv(const QString& path, int rows)
{
    QRandomGenerator random(20261208);
    static const char* series[] = {"Kupfer", "PE-X", "Mehrschichtverbund", "Edelstahl", "Stahl verzinkt"};
    QByteArray csv = "Teilstrecke;BW;Einzel BW;Bemerkung;Rohrserie;Länge;Zeta\r\n";
    for (int r = 2; r <= rows + 1; ++r)
        csv += sectionName(r) + ';' + QByteArray::number(sectionTotal(r)).replace('.', ',') + ';' +
               QByteArray::number(sectionLargest(r)) + ";\"Grüße, " + text(random, r, 4) + "\";" + series[r % 5] + ';' +
               QByteArray::number(1 + r % 40) + ",5;" + QByteArray::number(r % 9) + "\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size()) throw std::runtime_error("cannot write the list");
}

void writeNetworkCsv(const QString& path, int rows, Network shape, bool withFeeder)
{
    QRandomGenerator random(20261210);
    QByteArray csv = withFeeder ? "Teilstrecke;Zuleitung;" : "Teilstrecke;";
    csv += "BW;Einzel BW;Bemerkung;Rohrserie;Länge;Zeta;Höhe;Mindestfliessdruck\r\n";
    const auto row = [&](const QByteArray& name, const QByteArray& feeder, double total, int largest, int r, bool end) {
        csv += name + ';';
        if (withFeeder) csv += feeder + ';';
        csv += QByteArray::number(total).replace('.', ',') + ';' + QByteArray::number(largest) + ";\"Grüße, " +
               text(random, r, 4) + "\";Kupfer;" + QByteArray::number(1 + r % 9) + ",5;" + QByteArray::number(r % 6) + ';' +
               (end ? "0;1000" : "0,1;") + "\r\n";
    };
    if (shape == Network::Chain) {
        for (int r = 1; r <= rows; ++r)
            row("K " + QByteArray::number(r), r > 1 ? "K " + QByteArray::number(r - 1) : QByteArray(), 250, 5, r, r == rows);
    } else {
        // Each riser: sections S 1 to S n, S k feeding S k+1 and apartment W k;
        // an apartment's units 6 to 12, its largest unit 2 to 5.
        constexpr int risers = 100;
        const int floors = rows / risers / 2;
        const auto units = [](int k) { return 6 + k % 7; };
        const auto largest = [](int k) { return 2 + k % 4; };
        for (int s = 1; s <= risers; ++s) {
            const QByteArray riser = "Strang " + QByteArray::number(s) + ' ';
            double total = 0;
            int most = 0;
            std::vector<std::pair<double, int>> through(std::size_t(floors) + 2);
            for (int k = floors; k >= 1; --k) {
                total += units(k);
                most = std::max(most, largest(k));
                through[std::size_t(k)] = {total, most};
            }
            for (int k = 1; k <= floors; ++k) {
                const int r = (s - 1) * floors * 2 + 2 * k;
                row(riser + "S " + QByteArray::number(k), k > 1 ? riser + "S " + QByteArray::number(k - 1) : QByteArray(),
                    through[std::size_t(k)].first, through[std::size_t(k)].second, r, false);
                row(riser + "W " + QByteArray::number(k), riser + "S " + QByteArray::number(k), units(k), largest(k), r + 1,
                    true);
            }
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size()) throw std::runtime_error("cannot write the list");
}

void writeCountedSectionsCsv(const QString& path, int rows)
{
    QRandomGenerator random(20261208);
    QByteArray csv = "Teilstrecke;Waschtisch;Handwaschbecken;Bidet;WC-Spülkasten;Küchenspüle;Spülbecken;Waschmaschine;"
                     "Geschirrspüler;Dusche;Badewanne;Bemerkung\r\n";
    for (int r = 2; r <= rows + 1; ++r) {
        csv += sectionName(r);
        // Nine kinds counted 0 to 40 (some left empty), a bathtub always: every section has a formula.
        for (int kind = 0; kind < 9; ++kind) {
            const int count = (r * (kind + 3)) % 41;
            csv += count % 7 == 0 ? QByteArray(";") : ';' + QByteArray::number(count);
        }
        csv += ';' + QByteArray::number(1 + r % 3) + ";\"Grüße, " + text(random, r, 4) + "\"\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size()) throw std::runtime_error("cannot write the list");
}

void writeOds(const QString& path, int rows)
{
    QRandomGenerator random(20261208);
    QByteArray content = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2">
<office:body><office:spreadsheet><table:table table:name="Messwerte">)";
    for (int r = 1; r <= rows; ++r) {
        content += "<table:table-row>";
        for (int c = 1; c <= columns; ++c) {
            if (isNumber(r, c)) {
                const QByteArray n = QByteArray::number(number(r));
                content += "<table:table-cell office:value-type=\"float\" office:value=\"" + n + "\"><text:p>" + n +
                           "</text:p></table:table-cell>";
            } else {
                content += "<table:table-cell office:value-type=\"string\"><text:p>" + text(random, r, c) +
                           "</text:p></table:table-cell>";
            }
        }
        content += "</table:table-row>";
    }
    content += "</table:table></office:spreadsheet></office:body></office:document-content>";
    writeZip(path, {
        {"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
        {"content.xml", content},
        {"META-INF/manifest.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0">
<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>
<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>
</manifest:manifest>)"},
    });
}

namespace {

void put16(QByteArray& out, int value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void put32(QByteArray& out, quint32 value)
{
    put16(out, int(value & 0xFFFF));
    put16(out, int(value >> 16));
}

void record(QByteArray& out, int type, const QByteArray& body)
{
    put16(out, type);
    put16(out, int(body.size()));
    out += body;
}

QByteArray bof(int kind)
{
    QByteArray body;
    put16(body, 0x0600);  // BIFF8
    put16(body, kind);    // 0x0005 workbook globals, 0x0010 worksheet
    put16(body, 0x0DBB);  // build
    put16(body, 0x07CC);  // year
    put32(body, 0);
    put32(body, 0x06);
    return body;
}

}  // namespace

void writeXls(const QString& path, int rows)
{
    rows = std::min(rows, 65536);
    QRandomGenerator random(20261208);

    // The shared string table: records of at most 8224 bytes, each text
    // whole in one record (one byte a character, flags 0).
    std::vector<QByteArray> sst(1);
    put32(sst[0], 0);  // total and unique counts, set below
    put32(sst[0], 0);
    quint32 count = 0;
    QByteArray sheet;
    record(sheet, 0x0809, bof(0x0010));
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c) {
            QByteArray body;
            put16(body, r - 1);
            put16(body, c - 1);
            put16(body, 0);  // XF: general
            if (isNumber(r, c)) {
                const double value = number(r);
                body.append(reinterpret_cast<const char*>(&value), 8);
                record(sheet, 0x0203, body);
                continue;
            }
            put32(body, count++);
            record(sheet, 0x00FD, body);
            const QByteArray t = text(random, r, c);
            QByteArray item;
            put16(item, int(t.size()));
            item += char(0);
            item += t;
            if (sst.back().size() + item.size() > 8224) sst.emplace_back();
            sst.back() += item;
        }
    }
    record(sheet, 0x000A, {});
    for (int i = 0; i < 4; ++i) sst[0][4 + i] = sst[0][i] = char((count >> (8 * i)) & 0xFF);

    QByteArray globals;
    record(globals, 0x0809, bof(0x0005));
    record(globals, 0x0042, QByteArray("\xB0\x04", 2));  // code page 1200
    for (std::size_t i = 0; i < sst.size(); ++i) record(globals, i == 0 ? 0x00FC : 0x003C, sst[i]);
    const QByteArray name = "Messwerte";
    const qsizetype boundSheetSize = 4 + 8 + name.size();
    QByteArray boundSheet;
    put32(boundSheet, quint32(globals.size() + boundSheetSize + 4));  // the sheet's BOF, after EOF
    boundSheet += char(0);  // visible
    boundSheet += char(0);  // worksheet
    boundSheet += char(name.size());
    boundSheet += char(0);
    boundSheet += name;
    record(globals, 0x0085, boundSheet);
    record(globals, 0x000A, {});
    const QByteArray stream = globals + sheet;

    gsf_init();
    GError* error = nullptr;
    GsfOutput* file = gsf_output_stdio_new(QFile::encodeName(path).constData(), &error);
    if (!file) throw std::runtime_error("cannot create the workbook");
    GsfOutfile* ole = gsf_outfile_msole_new(file);
    GsfOutput* workbook = gsf_outfile_new_child(ole, "Workbook", FALSE);
    gsf_output_write(workbook, size_t(stream.size()), reinterpret_cast<const guint8*>(stream.constData()));
    gsf_output_close(workbook);
    g_object_unref(workbook);
    gsf_output_close(GSF_OUTPUT(ole));
    g_object_unref(ole);
    g_object_unref(file);
}

}  // namespace largeWorkbooks
