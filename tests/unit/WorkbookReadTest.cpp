#include "WorkbookFixtures.h"

#include "base/CellText.h"
#include "base/NumberText.h"
#include "base/RuntimeError.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

const NumberText german{QLocale(QLocale::German, QLocale::Germany)};

QString textAt(const Workbook& book, int row, int col)
{
    return cellText(book.Worksheets(1).Cells(row, col).Value(), german);
}

class EveryProducer : public ::testing::TestWithParam<fixtures::Producer> {};

TEST_P(EveryProducer, ReadsColumnAOfTheFirstWorksheetWithEveryKindOfValue)
{
    const Workbook book(fixtures::path(QString::fromLatin1(GetParam().file)));
    const QStringList expected = fixtures::columnA(QString::fromUtf8(GetParam().truth));
    for (int row = 1; row <= int(expected.size()); ++row)
        EXPECT_EQ(textAt(book, row, 1), expected[row - 1]) << "A" << row;
    EXPECT_EQ(textAt(book, int(expected.size()) + 1, 1), QString()) << "below the last value";
}

TEST_P(EveryProducer, ReadsTheFirstSheetByOrderNotTheActiveOneAndItsOtherColumns)
{
    const Workbook book(fixtures::path(QString::fromLatin1(GetParam().file)));
    EXPECT_EQ(book.Worksheets(1).Name(), QStringLiteral("Werte"));
    EXPECT_EQ(textAt(book, 2, 2), QStringLiteral("99"));
    EXPECT_EQ(textAt(book, 3, 2), QString());
    EXPECT_THROW(book.Worksheets(2), RuntimeError);
}

// Gnumeric's Excel 95 workbook: one byte a character in Windows-1252, where
// €, „ and “ are not where Latin-1 has them.
TEST(Excel95, ReadsTextsInTheWorkbooksCodePage)
{
    const Workbook book(fixtures::path(QStringLiteral("values-excel95.xls")));
    EXPECT_EQ(book.format(), Workbook::Format::Xls);
    const QStringList expected{QStringLiteral("Excel 95"), QStringLiteral("Preis 5 €"), QStringLiteral("„Zitat“"),
                               QStringLiteral("Grüße"), QStringLiteral("2,5")};
    for (int row = 1; row <= int(expected.size()); ++row)
        EXPECT_EQ(textAt(book, row, 1), expected[row - 1]) << "A" << row;
}

TEST_P(EveryProducer, ReadsNoRowBelowTheLimit)
{
    const QStringList expected = fixtures::columnA(QString::fromUtf8(GetParam().truth));
    const Workbook book(fixtures::path(QString::fromLatin1(GetParam().file)), 4);
    EXPECT_EQ(textAt(book, 4, 1), expected[3]);
    EXPECT_EQ(textAt(book, 5, 1), QString()) << "A5 holds " << expected[4].toStdString();
}

TEST_P(EveryProducer, NeverCrashesOnACutOffCopy)
{
    // Every prefix of the file (in steps) is either read or refused with a
    // RuntimeError; nothing else escapes and nothing crashes.
    QFile source(fixtures::path(QString::fromLatin1(GetParam().file)));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray whole = source.readAll();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut"));
    int refused = 0;
    for (qsizetype length = 1; length < whole.size(); length += 61) {
        QFile cut(path);
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly | QIODevice::Truncate));
        cut.write(whole.left(length));
        cut.close();
        try {
            const Workbook book(path);
            for (int row = 1; row <= 26; ++row) (void)book.Worksheets(1).Cells(row, 1).Value();
        } catch (const RuntimeError& error) {
            EXPECT_STRNE(error.what(), "");
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, EveryProducer, ::testing::ValuesIn(fixtures::producers),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

TEST(WorkbookFormat, IsRecognisedByContentNotByName)
{
    QTemporaryDir dir;
    struct Case {
        const char* source;
        const char* renamedTo;
        Workbook::Format format;
    } cases[] = {
        {"values-openpyxl.xlsx", "a.xls", Workbook::Format::Xlsx},
        {"values-xlwt.xls", "b.ods", Workbook::Format::Xls},
        {"values-libreoffice.ods", "c.xlsx", Workbook::Format::Ods},
        {"values-libreoffice.ods", "d", Workbook::Format::Ods},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.renamedTo));
        ASSERT_TRUE(QFile::copy(fixtures::path(QString::fromLatin1(c.source)), path));
        const Workbook book(path);
        EXPECT_EQ(book.format(), c.format) << c.renamedTo;
        EXPECT_EQ(textAt(book, 3, 1), QStringLiteral("2,5")) << c.renamedTo;
    }
}

// Files that are refused, each with a German reason naming what is wrong.
struct Refusal {
    const char* name;
    QByteArray (*content)();   // the file's bytes; null: no file at all
    const char* reasonPart;    // a piece of the reason
};

QByteArray withFlippedBytes(const char* name, qsizetype from, qsizetype count)
{
    QByteArray bytes = fixtures::bytes(name);
    for (qsizetype i = from; i < from + count && i < bytes.size(); ++i) bytes[i] = char(~bytes[i]);
    return bytes;
}

// The compressed data of a package part changed a little after its start.
QByteArray withDamagedPart(const char* name, const char* part)
{
    const QByteArray bytes = fixtures::bytes(name);
    const qsizetype at = bytes.indexOf(QByteArray(part));  // the part's name in its local header
    return withFlippedBytes(name, at + qsizetype(std::strlen(part)) + 40, 8);
}

const Refusal refusals[] = {
    {"missing", nullptr, "nicht vorhanden"},
    {"empty", [] { return QByteArray(); }, "leer"},
    {"text_named_xls", [] { return QByteArray("BW;Einzel\n10;2\n"); }, "keine Arbeitsmappe"},
    {"truncated_xlsx", [] { return fixtures::bytes("values-openpyxl.xlsx").left(2000); }, "beschädigt"},
    {"truncated_ods", [] { return fixtures::bytes("values-libreoffice.ods").left(3000); }, "beschädigt"},
    {"truncated_xls", [] { return fixtures::bytes("values-xlwt.xls").left(1200); }, "beschädigt"},
    // Compressed data of the sheet changed: it no longer inflates or its checksum fails.
    {"damaged_xlsx", [] { return withDamagedPart("values-openpyxl.xlsx", "xl/worksheets/sheet1.xml"); }, "beschädigt"},
    {"damaged_ods", [] { return withDamagedPart("values-libreoffice.ods", "content.xml"); }, "beschädigt"},
    {"damaged_xls", [] { return withFlippedBytes("values-xlwt.xls", 512, 600); }, "beschädigt"},
    {"zip_of_a_text_document", [] { return fixtures::bytes("not-a-workbook.xlsx"); }, "keine Arbeitsmappe"},
    {"workbook_without_sheet", [] { return fixtures::bytes("no-sheet.xlsx"); }, "kein Tabellenblatt"},
};

class RefusedFile : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedFile, IsARuntimeErrorWithAGermanReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mappe.xls"));
    ASSERT_TRUE(fixtures::writeFile(path, GetParam().content));
    try {
        const Workbook book(path);
        for (int row = 1; row <= 26; ++row) (void)book.Worksheets(1).Cells(row, 1).Value();
        FAIL() << "read without complaint";
    } catch (const RuntimeError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QString::fromUtf8(GetParam().reasonPart)))
            << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedFile, ::testing::ValuesIn(refusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WorkbookRefusal, AFolderIsNoFile)
{
    QTemporaryDir dir;
    EXPECT_THROW(Workbook{dir.path()}, RuntimeError);
}

TEST(WorkbookCells, AFormulaSavedWithoutItsResultIsUnreadableNotEmpty)
{
    const Workbook book(fixtures::path(QStringLiteral("formula-without-result.xlsx")));
    EXPECT_EQ(textAt(book, 4, 1), QStringLiteral("4"));
    try {
        (void)book.Worksheets(1).Cells(5, 1).Value();
        FAIL() << "the formula cell gave a value";
    } catch (const RuntimeError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("A5"))) << error.what();
    }
}

TEST(WorkbookCells, LongTextsOfALegacyWorkbookRunOverRecordEndsWhole)
{
    // As make_fixtures.py writes them: 1000 characters after the row label,
    // odd rows beyond Latin-1.
    const auto longText = [](int row) {
        return QStringLiteral("Zeile %1: ").arg(row) +
               (row % 2 ? QStringLiteral("€ü") : QStringLiteral("ab")).repeated(500);
    };
    const Workbook book(fixtures::path(QStringLiteral("long-texts.xls")));
    for (int row = 2; row <= 26; ++row) EXPECT_EQ(textAt(book, row, 1), longText(row)) << "A" << row;
}

TEST(WorkbookCells, OpenDocumentDetailsAreReadAsSaved)
{
    const Workbook book(fixtures::path(QStringLiteral("odf-details.ods")));
    EXPECT_EQ(book.Worksheets(1).Name(), QStringLiteral("Einzelheiten"));
    const struct {
        int row, col;
        const char* text;
    } cells[] = {
        {1, 1, "Werte"},       {2, 1, "7"}, {4, 1, "7"}, {4, 2, "7"}, {4, 3, ""}, {5, 1, "Strang  4\nNord"},
        {6, 1, "0,25"},        {7, 1, "10:30"}, {8, 1, "15.03.2024 08:00"}, {9, 1, "FALSCH"},
        {10, 1, "mit Notiz"},
        // One row element repeated over rows 12 and 13, then a row whose A is empty.
        {12, 1, "8"}, {13, 1, "8"}, {14, 1, ""}, {14, 2, "neben leer"},
    };
    for (const auto& c : cells)
        EXPECT_EQ(textAt(book, c.row, c.col), QString::fromUtf8(c.text)) << SheetCells::reference(c.row, c.col).toStdString();
    try {
        (void)book.Worksheets(1).Cells(11, 1).Value();
        FAIL() << "the formula cell gave a value";
    } catch (const RuntimeError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("A11"))) << error.what();
    }
}

TEST(WorkbookCells, OutsideTheSheetIsARuntimeError)
{
    const Workbook book(fixtures::path(QStringLiteral("values-openpyxl.xlsx")));
    EXPECT_THROW(book.Worksheets(1).Cells(0, 1), RuntimeError);
    EXPECT_THROW(book.Worksheets(1).Cells(1, 0), RuntimeError);
}

}  // namespace
