// Rows of a whole sheet streamed from every format, and workbooks written row
// by row, through the workbook files the module gives the program.
#include "BuildMachineTools.h"
#include "Openpyxl.h"
#include "WorkbookFixtures.h"

#include "base/CellText.h"
#include "base/NumberText.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <string>

namespace {

const WorkbookFiles& files = linkedWorkbookFiles();
constexpr int wholeSheet = 1048576;

struct Row {
    int number;
    std::vector<CellValue> cells;
};

// All rows readRows hands on, and its answer.
std::pair<std::vector<Row>, QString> rowsOf(const QString& path, int lastRow = wholeSheet)
{
    std::vector<Row> rows;
    const QString reason = files.readRows(path, lastRow, [&](int row, const std::vector<CellValue>& cells) {
        rows.push_back({row, cells});
        return true;
    });
    return {std::move(rows), reason};
}

// Row by row as a German spreadsheet shows them, with the row number first.
QStringList shown(const std::vector<Row>& rows)
{
    const NumberText german{QLocale(QLocale::German, QLocale::Germany)};
    QStringList lines;
    for (const Row& row : rows) {
        QStringList texts{QString::number(row.number)};
        for (const CellValue& cell : row.cells)
            texts << (std::holds_alternative<std::monostate>(cell) ? QStringLiteral("<leer>") : cellText(cell, german));
        lines << texts.join(QLatin1Char('|'));
    }
    return lines;
}

class RowsOfEveryProducer : public ::testing::TestWithParam<fixtures::Producer> {};

// make_fixtures.py: column A as in fixtures::columnA (A6 empty), B2 = 99, A27 below.
TEST_P(RowsOfEveryProducer, HandsOnEveryRowOfTheFirstSheetThatHoldsAnything)
{
    const auto [rows, reason] = rowsOf(fixtures::path(QString::fromLatin1(GetParam().file)));
    ASSERT_EQ(reason, QString());
    const QStringList columnA = fixtures::columnA(QString::fromUtf8(GetParam().truth));
    QStringList expected;
    for (int row = 1; row <= int(columnA.size()); ++row)
        if (!columnA[row - 1].isEmpty())
            expected << QStringLiteral("%1|%2").arg(row).arg(columnA[row - 1]) + (row == 2 ? QStringLiteral("|99") : QString());
    EXPECT_EQ(shown(rows), expected);
}

TEST_P(RowsOfEveryProducer, StopsAtTheLastRowAskedForOrWhenTheHandlerSaysSo)
{
    const QString path = fixtures::path(QString::fromLatin1(GetParam().file));
    EXPECT_EQ(shown(rowsOf(path, 3).first), (QStringList{QStringLiteral("1|Werte"), QStringLiteral("2|1|99"), QStringLiteral("3|2,5")}));
    int handed = 0;
    EXPECT_EQ(files.readRows(path, wholeSheet, [&](int, const std::vector<CellValue>&) { return ++handed < 2; }), QString());
    EXPECT_EQ(handed, 2);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RowsOfEveryProducer, ::testing::ValuesIn(fixtures::producers), [](const auto& info) {
    std::string name = info.param.file;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});

TEST(WorkbookRows, ACellWithoutItsSavedValueMakesTheSheetUnreadableNamingTheCell)
{
    const auto [rows, reason] = rowsOf(fixtures::path(QStringLiteral("formula-without-result.xlsx")));
    EXPECT_TRUE(reason.contains(QStringLiteral("A5"))) << reason.toStdString();
    EXPECT_EQ(rows.size(), 3u) << "rows 2 to 4 above it were handed on";
}

// Separated values as python3's csv module writes them, in each encoding
// and with each separator a spreadsheet program uses.
TEST(CsvRows, AreReadInEveryEncodingAndWithEverySeparator)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    const QJsonArray table = QJsonDocument::fromJson(R"([
        ["Teilstrecke", "BW", "Einzel BW", "Bemerkung"],
        ["Strang „Nord“; Küche", "12,5", "2", "Zoll 3/4\", \"alt\""],
        ["", "", "", ""],
        ["TS 3", "400", "", "zwei\nZeilen"],
        ["Grüße € ß", "1.5", "8", "a,b\tc;d"]
    ])").array();
    const QStringList expected{
        QStringLiteral("1|Teilstrecke|BW|Einzel BW|Bemerkung"),
        QStringLiteral("2|Strang „Nord“; Küche|12,5|2|Zoll 3/4\", \"alt\""),
        QStringLiteral("4|TS 3|400|<leer>|zwei\nZeilen"),
        QStringLiteral("5|Grüße € ß|1.5|8|a,b\tc;d"),
    };
    const struct {
        const char* name;
        const char* encoding;  // python's
        const char* separator;
        const char* lineEnd;
    } files[] = {
        {"utf8-semicolon.csv", "utf-8", ";", "\n"},
        {"bom-comma.csv", "utf-8-sig", ",", "\r\n"},
        {"windows1252-semicolon.csv", "cp1252", ";", "\r\n"},
        {"utf8-tab.TSV", "utf-8", "\t", "\n"},
        {"windows1252-tab.txt", "cp1252", "\t", "\r\n"},
    };
    QTemporaryDir dir;
    for (const auto& f : files) {
        const QString path = dir.filePath(QString::fromLatin1(f.name));
        runPython(QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], 'w', encoding=sys.argv[2], newline='') as out:\n"
                                 "    csv.writer(out, delimiter=sys.argv[3], lineterminator=sys.argv[4]).writerows(json.loads(sys.argv[5]))\n"),
                  {path, QString::fromLatin1(f.encoding), QString::fromLatin1(f.separator), QString::fromLatin1(f.lineEnd),
                   QString::fromUtf8(QJsonDocument(table).toJson())});
        const auto [rows, reason] = rowsOf(path);
        EXPECT_EQ(reason, QString()) << f.name;
        EXPECT_EQ(shown(rows), expected) << f.name;
        for (const Row& row : rows)
            for (const CellValue& cell : row.cells)
                EXPECT_TRUE(std::holds_alternative<QString>(cell) || std::holds_alternative<std::monostate>(cell)) << f.name;
    }
}

template <std::size_t n>
QByteArray bytes(const char (&text)[n])
{
    return QByteArray(text, n - 1);
}

bool writeBytes(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// The 32 bytes that Windows-1252 gives characters of its own, as Unicode's
// mapping table CP1252.TXT has them; the five it leaves unassigned stand for
// themselves, as Windows decodes them.
TEST(CsvRows, Windows1252IsDecodedTheSameOnEveryPlatform)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zeichen.csv"));
    QByteArray content("Zeichen\r\n");
    for (int byte = 0x80; byte < 0xA0; ++byte) content += char(byte);
    ASSERT_TRUE(writeBytes(path, content + "\r\n"));
    const QString expected = QStringLiteral(u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
    ASSERT_EQ(expected.size(), 32);
    const auto [rows, reason] = rowsOf(path);
    ASSERT_EQ(reason, QString());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].cells, std::vector<CellValue>{expected});
}

// Files written here byte by byte: each is read as the rows say or refused
// with a reason of which a piece is given.
TEST(CsvRows, SmallCasesAreReadOrRefused)
{
    // A row as wide as a sheet (16,384 columns, up to XFD), and one field more.
    const QByteArray widest = QByteArray("x;").repeated(16383) + "x\n";
    const struct {
        QByteArray content;
        QString rows;        // joined by '/'
        const char* reason;  // a piece of it; null: read to the end
    } cases[] = {
        {bytes("a,b;c\n1,2;3\n"), "1|a,b|c/2|1,2|3", nullptr},                 // a tie: the semicolon
        {bytes("\n\n a ; \"b\" ;c\r\n\r\n;;\r\nx"), "3|a|b|c/6|x", nullptr},   // blanks around dropped, empty lines counted
        {bytes("\"a\"\"\";\"\"\n"), "1|a\"", nullptr},                         // a quoted empty field is empty
        {bytes("\"eins\r\nzwei\";\tb\r\n"), "1|eins\nzwei|\tb", nullptr},      // Windows' line break in a cell; a tab is no blank
        {bytes("a\rb\nc\r\n"), "1|a/2|b/3|c", nullptr},                       // line ends of every kind
        {bytes("Name;Wert\n\"offen;1\nzwei\n"), "1|Name|Wert", "In Zeile 2 fehlt das schließende Anführungszeichen"},
        {bytes("a;b\0c\n"), "", "keine Textdatei"},
        {bytes("\xFF\xFE" "a\0;\0b\0"), "", "UTF-16"},
        // The heading row is the first that holds anything, and its separator the list's.
        {bytes("\nBW,Einzel BW\n300,5\n"), "2|BW|Einzel BW/3|300|5", nullptr},
        {widest, "1|" + QStringLiteral("x|").repeated(16383) + "x", nullptr},
        {"x;" + widest, "", "Zeile 1 hat mehr als 16384 Felder"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste.csv"));
    for (const auto& c : cases) {
        ASSERT_TRUE(writeBytes(path, c.content));
        const auto [rows, reason] = rowsOf(path);
        EXPECT_EQ(shown(rows).join(QLatin1Char('/')), c.rows) << c.content.left(80).toStdString();
        if (c.reason) EXPECT_TRUE(reason.contains(QString::fromUtf8(c.reason))) << reason.toStdString();
        else EXPECT_EQ(reason, QString()) << c.content.toStdString();
    }
}

// AddressSanitizer holds freed memory back for a while: the peak tells nothing there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool peakTellsMemory = false;
#else
constexpr bool peakTellsMemory = true;
#endif

// The rise of the peak resident memory while `work` runs, in MiB.
template <typename Work>
double peakRiseMiB(Work work)
{
    const auto status = [](const std::string& key) {
        std::ifstream in("/proc/self/status");
        std::string line;
        while (std::getline(in, line))
            if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
        return 0.0;
    };
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak down to the present
    const double before = status("VmRSS");
    work();
    return status("VmHWM") - before;
}

// A file of `count` copies of `piece` after `head`, written a piece at a time.
QString repeatedFile(const QTemporaryDir& dir, const char* name, const QByteArray& head, const QByteArray& piece, qint64 count)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(head);
    const QByteArray block = piece.repeated(qsizetype(std::max<qint64>(1, (1 << 20) / piece.size())));
    for (qint64 written = 0; written < count; written += block.size() / piece.size())
        file.write(count - written >= block.size() / piece.size() ? block : piece.repeated(qsizetype(count - written)));
    return path;
}

// An OpenDocument spreadsheet of the given table rows, through python3's zipfile.
QString odsFile(const QTemporaryDir& dir, const char* name, const QString& rows)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    runPython(QStringLiteral(
                  "import sys, zipfile\n"
                  "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                  "    z.writestr(zipfile.ZipInfo('mimetype'), 'application/vnd.oasis.opendocument.spreadsheet')\n"
                  "    z.writestr('content.xml', '<?xml version=\"1.0\"?><office:document-content '\n"
                  "        'xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" '\n"
                  "        'xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" '\n"
                  "        'xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>'\n"
                  "        '<table:table table:name=\"T\">' + sys.argv[2] + '</table:table></office:spreadsheet></office:body>'\n"
                  "        '</office:document-content>')\n"),
              {path, rows});
    return path;
}

QString odsRow(const char* repeated, const char* text)
{
    const QString cell = text ? QStringLiteral("<table:table-cell office:value-type=\"string\"><text:p>%1</text:p></table:table-cell>")
                                    .arg(QString::fromLatin1(text))
                              : QStringLiteral("<table:table-cell/>");
    return QStringLiteral("<table:table-row table:number-rows-repeated=\"%1\">%2</table:table-row>")
        .arg(QString::fromLatin1(repeated), cell);
}

// Hostile or damaged files: each refused or read, in bounded memory, quickly.
TEST(HostileRows, AreRefusedOrReadInBoundedMemory)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    QTemporaryDir dir;
    const QString billionRows = dir.filePath(QStringLiteral("milliarde.xlsx"));
    runPython(QStringLiteral("import re, sys, zipfile\n"
                             "with zipfile.ZipFile(sys.argv[1]) as a, zipfile.ZipFile(sys.argv[2], 'w') as b:\n"
                             "    for i in a.infolist():\n"
                             "        data = a.read(i)\n"
                             "        if i.filename == 'xl/worksheets/sheet1.xml':\n"
                             "            data = re.sub(rb'<dimension ref=\"[^\"]*\"', b'<dimension ref=\"A1:XFD1000000000\"', data)\n"
                             "            assert b'1000000000' in data\n"
                             "        b.writestr(i, data)\n"),
              {fixtures::path(QStringLiteral("values-openpyxl.xlsx")), billionRows});
    const QString truncated = dir.filePath(QStringLiteral("abgeschnitten.xlsx"));
    const QByteArray whole = fixtures::bytes("values-libreoffice.xlsx");
    ASSERT_TRUE(writeBytes(truncated, whole.left(whole.size() / 2)));
    const QString binary = dir.filePath(QStringLiteral("binaer.csv"));
    ASSERT_TRUE(writeBytes(binary, fixtures::bytes("values-xlwt.xls")));
    constexpr qint64 fiftyMB = 50'000'000;

    const struct {
        QString path;
        const char* reason;  // a piece of it; null: read
        std::size_t rows;    // handed on
    } cases[] = {
        {truncated, "beschädigt", 0},
        {binary, "keine Textdatei", 0},
        {repeatedFile(dir, "ein-feld.csv", "BW\n", "x", fiftyMB), "In Zeile 2 ist ein Feld länger als 32767 Zeichen", 1},
        {repeatedFile(dir, "viele-felder.csv", "BW\n", "1;", fiftyMB / 2), "Zeile 2 hat mehr als 16384 Felder", 1},
        {repeatedFile(dir, "lange-felder.csv", "", QByteArray(4000, 'x') + ';', fiftyMB / 4001), "Zeile 1 ist länger als 8 MiB", 0},
        {repeatedFile(dir, "zu-viele-zeilen.csv", "", "1\n", 1048577), "mehr als 1048576 Zeilen", 1048576},
        {billionRows, nullptr, 26},
        // A row repeated a billion times is a row in each of the sheet's rows.
        {odsFile(dir, "wiederholt.ods", odsRow("1", "Kopf") + odsRow("1000000000", "7")), nullptr, 1048576},
        // Empty rows repeated cost nothing; what follows them lies beyond the sheet.
        {odsFile(dir, "leer.ods", odsRow("1", "Kopf") + odsRow("1000000000", nullptr) + odsRow("5", "danach")), nullptr, 1},
    };
    for (const auto& c : cases) {
        std::size_t rows = 0;
        QString reason;
        const double rise = peakRiseMiB([&] {
            reason = files.readRows(c.path, wholeSheet, [&](int, const std::vector<CellValue>&) { return ++rows > 0; });
        });
        if (c.reason) EXPECT_TRUE(reason.contains(QString::fromUtf8(c.reason))) << c.path.toStdString() << ": " << reason.toStdString();
        else EXPECT_EQ(reason, QString()) << c.path.toStdString();
        EXPECT_EQ(rows, c.rows) << c.path.toStdString();
        if (peakTellsMemory) {
            EXPECT_LT(rise, 32.0) << c.path.toStdString();
        }
    }
}

WrittenCell text(int row, int col, const char* value)
{
    return {row, col, QString::fromUtf8(value), {}};
}

TEST(RowWriter, WritesRowsThatOpenpyxlReadsAsTextsAndNumbersInTheirFormats)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Teilstrecken.xlsx"));
    QString reason;
    const auto writer = files.newWorkbook(path, QStringLiteral("Teilstrecken"), reason);
    ASSERT_TRUE(writer) << reason.toStdString();
    EXPECT_EQ(writer->addRow({text(1, 1, "Teilstrecke"), text(1, 2, "l/sec"), text(1, 3, "l/min")}), QString());
    EXPECT_EQ(writer->addRow({text(2, 1, "Strang „Nord“"), {2, 2, 1.632993161855452, QStringLiteral("0.00")},
                              {2, 3, 97.97958971132712, QStringLiteral("0.0")}}),
              QString());
    EXPECT_EQ(writer->addRow({}), QString());
    EXPECT_EQ(writer->addRow({text(4, 1, "TS 3"), {4, 3, 1e-7, {}}}), QString());
    EXPECT_FALSE(QFile::exists(path)) << "written before finish()";
    ASSERT_EQ(writer->finish(), QString());

    const auto saved = readWithOpenpyxl(path);
    const struct {
        int row, col;
        const char* type;
        const char* format;
    } expected[] = {
        {1, 1, "s", "General"}, {1, 2, "s", "General"}, {1, 3, "s", "General"}, {2, 1, "s", "General"},
        {2, 2, "n", "0.00"},    {2, 3, "n", "0.0"},     {4, 1, "s", "General"}, {4, 3, "n", "General"},
    };
    ASSERT_EQ(saved.size(), std::size(expected));
    for (const auto& e : expected) {
        const SavedCell& cell = saved.at({e.row, e.col});
        EXPECT_EQ(cell.type, QLatin1String(e.type)) << e.row << "," << e.col;
        EXPECT_EQ(cell.format, QLatin1String(e.format)) << e.row << "," << e.col;
    }
    EXPECT_EQ(saved.at({2, 1}).value.toString(), QStringLiteral("Strang „Nord“"));
    EXPECT_EQ(saved.at({2, 2}).value.toDouble(), 1.632993161855452);
    EXPECT_EQ(saved.at({2, 3}).value.toDouble(), 97.97958971132712);
    EXPECT_EQ(saved.at({4, 3}).value.toDouble(), 1e-7);
}

// Texts that need escaping, blanks a spreadsheet would drop, the longest text
// a cell holds: openpyxl and the program's own reader get them back; a
// control character, which XML 1.0 cannot hold, is dropped.
// A sheet of many pieces, deflated on two threads, is one deflate stream
// with the size and CRC-32 of its XML: python3's zipfile inflates it and
// checks both, and the program's reader gets every row back in its order.
TEST(RowWriter, ALargeSheetComesBackWholeAndInOrder)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Gross.xlsx"));
    constexpr int rows = 30000;  // about 2.4 MB of XML
    QString reason;
    const auto writer = files.newWorkbook(path, QStringLiteral("Gross"), reason);
    ASSERT_TRUE(writer) << reason.toStdString();
    for (int r = 1; r <= rows; ++r)
        ASSERT_EQ(writer->addRow({{r, 1, QStringLiteral("Zeile %1").arg(r), {}}, {r, 2, r * 0.5, {}}}), QString());
    ASSERT_EQ(writer->finish(), QString());

    const QByteArray checked = runPython(QStringLiteral("import sys, zipfile\n"
                                                        "with zipfile.ZipFile(sys.argv[1]) as z:\n"
                                                        "    sheet = z.read('xl/worksheets/sheet1.xml')\n"
                                                        "    print(len(sheet) == z.getinfo('xl/worksheets/sheet1.xml').file_size, sheet.count(b'<row '))\n"),
                                         path);
    EXPECT_EQ(checked.trimmed(), QByteArray("True ") + QByteArray::number(rows));
    const auto [read, failure] = rowsOf(path);
    ASSERT_EQ(failure, QString());
    ASSERT_EQ(read.size(), std::size_t(rows));
    for (int r = 1; r <= rows; r += 997) {
        const Row& row = read[std::size_t(r - 1)];
        EXPECT_EQ(row.number, r);
        EXPECT_EQ(row.cells, (std::vector<CellValue>{QStringLiteral("Zeile %1").arg(r), r * 0.5})) << r;
    }
}

TEST(RowWriter, TextsComeBackThroughOpenpyxlAndTheProgramsOwnReader)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Texte.xlsx"));
    const QString longest = QString(32766, QLatin1Char('x')) + QStringLiteral("€");
    QString reason;
    const auto writer = files.newWorkbook(path, QStringLiteral("Texte"), reason);
    ASSERT_TRUE(writer) << reason.toStdString();
    // A lone carriage return, and texts that hold Excel's escapes literally.
    const QStringList expected{QStringLiteral("a&b <c> \"d\"e"), QStringLiteral(" zwei\nZeilen "),
                               QStringLiteral("eins\rzwei"), QStringLiteral("_x0041_ und _x00e4_"), longest};
    ASSERT_EQ(writer->addRow({text(1, 1, "a&b <c> \"d\"\x01" "e"), text(1, 2, " zwei\nZeilen "), {1, 3, expected[2], {}},
                              {1, 4, expected[3], {}}, {1, 28, longest, {}}}),
              QString());
    ASSERT_EQ(writer->addRow({{2, 1, 0.1 + 0.2, QStringLiteral("0.00")}}), QString());
    ASSERT_EQ(writer->finish(), QString());

    const int columns[] = {1, 2, 3, 4, 28};
    const auto saved = readWithOpenpyxl(path);
    ASSERT_EQ(saved.size(), 6u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(saved.at({1, columns[i]}).value.toString(), expected[i]);
    EXPECT_EQ(saved.at({2, 1}).value.toDouble(), 0.30000000000000004);

    const auto [rows, readReason] = rowsOf(path);
    ASSERT_EQ(readReason, QString());
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[0].cells.size(), 28u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rows[0].cells[std::size_t(columns[i] - 1)], CellValue(expected[i]));
    EXPECT_EQ(rows[1].cells, std::vector<CellValue>{0.30000000000000004});
}

TEST(RowWriter, RefusesWhatItCannotWriteAndLeavesNoFileUnlessFinished)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Teilstrecken.xlsx"));
    QString reason;
    const std::vector<WrittenCell> refused[] = {
        {text(1, 1, "a"), text(1, 1, "b")},                                    // one column twice
        {{1, 1, QString(40000, QLatin1Char('x')), {}}},                        // more than a cell holds
        {{1, 1, std::numeric_limits<double>::infinity(), {}}},                 // no spreadsheet number
        {text(1048577, 1, "a")},                                               // below the largest sheet
    };
    for (const auto& row : refused) {
        const auto writer = files.newWorkbook(path, QStringLiteral("Teilstrecken"), reason);
        ASSERT_TRUE(writer) << reason.toStdString();
        const QString first = writer->addRow(row);
        EXPECT_NE(first, QString());
        EXPECT_EQ(writer->addRow({text(1048576, 1, "danach")}), first) << "nothing more is written";
        EXPECT_EQ(writer->finish(), first);
        EXPECT_FALSE(QFile::exists(path));
    }
    {
        const auto writer = files.newWorkbook(path, QStringLiteral("Teilstrecken"), reason);
        EXPECT_EQ(writer->addRow({text(2, 1, "a")}), QString());
        EXPECT_NE(writer->addRow({text(2, 2, "b")}), QString()) << "a row is added whole, once";
    }
    {
        const auto writer = files.newWorkbook(path, QStringLiteral("Teilstrecken"), reason);
        EXPECT_EQ(writer->addRow({text(2, 1, "a")}), QString());
    }
    EXPECT_FALSE(QFile::exists(path)) << "a writer destroyed unfinished left a file";
    EXPECT_EQ(files.newWorkbook(path, QStringLiteral("a/b"), reason), nullptr);
    EXPECT_TRUE(reason.contains(QStringLiteral("Tabellenblatt"))) << reason.toStdString();
}

}  // namespace
