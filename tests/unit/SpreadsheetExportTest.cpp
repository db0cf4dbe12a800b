#include "BuildMachineTools.h"
#include "Openpyxl.h"
#include "SpreadsheetWindow.h"
#include "WorkbookFixtures.h"

#include "app/Form1.h"
#include "base/NumberText.h"
#include "fakes/RecordingView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
using TextBox = View::TextBox;

// A window whose table holds four results.
struct Window : SpreadsheetWindow {
    Window() : SpreadsheetWindow({{"10", "2"}, {"12,7", "3"}, {"400", "-3"}, {"25", "8"}}) {}
};

TEST(Export, WritesEveryTableTextToItsCellWithNumbersAsNumbersInTheTablesFormats)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    Window w;
    w.import(fixtures::path(QStringLiteral("values-libreoffice.xlsx")));
    ASSERT_TRUE(w.view.messages.empty());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ergebnis.xlsx"));
    w.save(path);
    ASSERT_TRUE(w.view.messages.empty()) << w.view.messages[0].prompt.toStdString();

    const auto saved = readWithOpenpyxl(path);
    const NumberText numbers(german);
    const char* columnFormats[] = {"0", "0", "0", "0.00", "0.0"};
    std::size_t expectedCells = 0;
    const auto table = w.table();
    for (int r = 0; r < int(table.size()); ++r) {
        for (int c = 0; c < 5; ++c) {
            const QString text = table[std::size_t(r)][c];
            if (text.isEmpty()) continue;
            ++expectedCells;
            const auto it = saved.find({r + 1, c + 1});
            ASSERT_NE(it, saved.end()) << "row " << r << " column " << c << " " << text.toStdString();
            const SavedCell& cell = it->second;
            bool isNumber = true;
            double number = 0;
            try {
                number = numbers.toDouble(text);
            } catch (...) {
                isNumber = false;
            }
            if (isNumber && cell.type == QLatin1String("n")) {
                EXPECT_DOUBLE_EQ(cell.value.toDouble(), number) << text.toStdString();
                // The format shows the number as the table does.
                const QString format = cell.format == QLatin1String(columnFormats[c])
                                           ? numbers.format(number, c < 3 ? NumberText::Pattern::Whole
                                                                    : c == 3 ? NumberText::Pattern::TwoDecimals
                                                                             : NumberText::Pattern::OneDecimal)
                                           : numbers.general(number);
                EXPECT_TRUE(cell.format == QLatin1String(columnFormats[c]) || cell.format == QLatin1String("General"))
                    << cell.format.toStdString();
                EXPECT_EQ(format, text) << "row " << r << " column " << c;
            } else {
                EXPECT_EQ(cell.type, QStringLiteral("s")) << text.toStdString();
                EXPECT_EQ(cell.value.toString(), text);
            }
        }
    }
    EXPECT_EQ(saved.size(), expectedCells) << "no cell beyond the table's texts";

    // The first calculation (10, 2) and the headers, as a person checks them.
    EXPECT_EQ(saved.at({1, 1}).value.toString(), QStringLiteral("Nr."));
    EXPECT_EQ(saved.at({1, 5}).value.toString(), QStringLiteral("l/min"));
    EXPECT_EQ(saved.at({2, 2}).value.toDouble(), 10.0);
    EXPECT_EQ(saved.at({2, 2}).format, QStringLiteral("0"));
    EXPECT_NEAR(saved.at({2, 4}).value.toDouble(), 0.40, 1e-9);
    EXPECT_EQ(saved.at({2, 4}).format, QStringLiteral("0.00"));
    EXPECT_NEAR(saved.at({2, 5}).value.toDouble(), 23.8, 1e-9);
    EXPECT_EQ(saved.at({2, 5}).format, QStringLiteral("0.0"));
    // Imported values: a fraction in the number column, a text, a truth word.
    EXPECT_EQ(saved.at({3, 1}).value.toDouble(), 2.5);
    EXPECT_EQ(saved.at({3, 1}).format, QStringLiteral("General"));
    EXPECT_EQ(saved.at({5, 1}).value.toString(), QStringLiteral("Strang 4"));
    EXPECT_EQ(saved.at({9, 1}).value.toString(), QStringLiteral("WAHR"));
    EXPECT_EQ(saved.count({6, 1}), 0u) << "an empty imported cell stays empty";
}

// Numbers as a spreadsheet shows them in its General format: imported with
// those texts in a point and in a comma locale, saved again as numbers.
TEST(Export, ImportedNumbersShowAsASpreadsheetShowsThemAndSaveAsNumbers)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("Zahlen.xlsx"));
    runPython(QStringLiteral("import sys, openpyxl\n"
                             "book = openpyxl.Workbook()\n"
                             "values = [0.1 + 0.2, 1 / 3, 2 / 3, 1234567.125, 100000, 3000000, 99999999999999, 1e20]\n"
                             "for r, v in enumerate(values, start=2): book.active.cell(row=r, column=1, value=v)\n"
                             "book.save(sys.argv[1])\n"),
              source);
    const double shown[] = {0.3, 0.333333333333333, 0.666666666666667, 1234567.125, 100000, 3000000, 99999999999999, 1e20};
    const std::pair<const char*, QStringList> locales[] = {
        {"C", {"0.3", "0.333333333333333", "0.666666666666667", "1234567.125", "100000", "3000000", "99999999999999", "1E+20"}},
        {"de_DE", {"0,3", "0,333333333333333", "0,666666666666667", "1234567,125", "100000", "3000000", "99999999999999", "1E+20"}},
    };
    for (const auto& [locale, texts] : locales) {
        RecordingView view;
        Form1 form(view, QLocale(QString::fromLatin1(locale)), WorkbookModule(linkedWorkbookFiles()));
        form.Form_Load();
        view.dialogAnswers = {source};
        form.mnuexcel1_Click();
        ASSERT_TRUE(view.messages.empty()) << locale;
        for (int r = 1; r <= int(texts.size()); ++r) EXPECT_EQ(view.grid.cell(r, 0), texts[r - 1]) << locale << " row " << r;

        const QString saved = dir.filePath(QString::fromLatin1(locale) + QStringLiteral(".xlsx"));
        view.dialogAnswers = {saved};
        form.mnuexcel2_Click();
        ASSERT_TRUE(view.messages.empty()) << locale;
        const auto cells = readWithOpenpyxl(saved);
        for (int r = 1; r <= int(texts.size()); ++r) {
            const SavedCell& cell = cells.at({r + 1, 1});
            EXPECT_EQ(cell.type, QStringLiteral("n")) << locale << " row " << r;
            EXPECT_EQ(cell.value.toDouble(), shown[r - 1]) << locale << " row " << r;
        }
    }
}

TEST(Export, SavingAndImportingAgainGivesTheNumberColumnBack)
{
    for (const auto& producer : fixtures::producers) {
        Window w;
        w.import(fixtures::path(QString::fromLatin1(producer.file)));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Zwischenstand.xlsx"));
        w.save(path);
        ASSERT_TRUE(w.view.messages.empty()) << producer.file;

        Window again;
        again.import(path);
        ASSERT_TRUE(again.view.messages.empty()) << producer.file;
        for (int r = 1; r <= 25; ++r)
            EXPECT_EQ(again.view.grid.cell(r, 0), w.view.grid.cell(r, 0)) << producer.file << " row " << r;
    }
}

TEST(Export, AsksForAnXlsxFileAndAddsTheExtensionWhenMissing)
{
    struct Case {
        const char* chosen;
        const char* written;
    } cases[] = {
        {"Ergebnis", "Ergebnis.xlsx"},
        {"Ergebnis.xlsx", "Ergebnis.xlsx"},
        {"Ergebnis.XLSX", "Ergebnis.XLSX"},
        {"Haus 2.v3", "Haus 2.v3.xlsx"},
        {"x.xls", "x.xlsx"},
        {"x.ODS", "x.xlsx"},
    };
    for (const Case& c : cases) {
        Window w;
        QTemporaryDir dir;
        w.save(dir.filePath(QString::fromLatin1(c.chosen)));
        ASSERT_EQ(w.view.dialogs.size(), 1u);
        EXPECT_TRUE(w.view.dialogs[0].save);
        ASSERT_EQ(w.view.dialogs[0].filters.size(), 1);
        EXPECT_EQ(w.view.dialogs[0].filters[0].pattern, QStringLiteral("*.xlsx"));
        EXPECT_TRUE(w.view.messages.empty());
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QString::fromLatin1(c.written)}) << c.chosen;
    }
}

TEST(Export, ACancelledDialogWritesNothing)
{
    Window w;
    const auto before = w.table();
    w.form.mnuexcel2_Click();
    EXPECT_EQ(w.view.dialogs.size(), 1u);
    EXPECT_TRUE(w.view.messages.empty());
    EXPECT_EQ(w.table(), before);
}

TEST(Export, AFailedSaveLeavesTheEarlierFileAndASuccessfulOneReplacesIt)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ergebnis.xlsx"));
    const QByteArray earlier("kein Arbeitsblatt, aber Daten des Benutzers");
    const auto contents = [&path] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }

    Window failing;
    failing.view.grid.setRow(1);
    failing.view.grid.setCol(0);
    failing.view.grid.setText(QString(40000, QLatin1Char('x')));  // more than a cell holds
    failing.save(path);
    ASSERT_EQ(failing.view.messages.size(), 1u);
    EXPECT_TRUE(failing.view.messages[0].prompt.contains(QDir::toNativeSeparators(path)));
    EXPECT_EQ(contents(), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(QStringLiteral("Ergebnis.xlsx")));

    // The new file takes the old one's place as a whole: a program that has the
    // old one open goes on reading what was there, not a half-written workbook.
    QFile opened(path);
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    Window w;
    w.save(path);
    ASSERT_TRUE(w.view.messages.empty());
    EXPECT_EQ(opened.readAll(), earlier);
    EXPECT_EQ(readWithOpenpyxl(path).at({1, 1}).value.toString(), QStringLiteral("Nr."));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(QStringLiteral("Ergebnis.xlsx")));
}

TEST(Export, AFailedWriteShowsAnErrorNamingTheFileAndLeavesTheTable)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("keinOrdner")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Ordner.xlsx")));
    const QString paths[] = {
        dir.filePath(QStringLiteral("fehlt/Ergebnis.xlsx")),       // a folder that does not exist
        dir.filePath(QStringLiteral("keinOrdner/Ergebnis.xlsx")),  // a file where a folder should be
        dir.filePath(QStringLiteral("Ordner.xlsx")),               // a folder as the file
    };
    for (const QString& path : paths) {
        Window w;
        const auto before = w.table();
        w.save(path);
        ASSERT_EQ(w.view.messages.size(), 1u) << path.toStdString();
        EXPECT_EQ(w.view.messages[0].caption, QStringLiteral("Fehler"));
        EXPECT_EQ(w.view.messages[0].icon, View::Icon::Exclamation);
        EXPECT_TRUE(w.view.messages[0].prompt.contains(QDir::toNativeSeparators(path)))
            << w.view.messages[0].prompt.toStdString();
        EXPECT_EQ(w.table(), before);
    }
}

// The workbook writer fails after half its bytes (a full disk, say): the
// earlier file stays byte for byte and no other file is left in its folder.
TEST(Export, AWriteThatFailsHalfwayLeavesTheEarlierFileByteForByte)
{
    struct HalfWriter : WorkbookFiles {
        QString readColumn(const QString&, int, int, int, std::vector<CellValue>&) const override { return {}; }
        QString readRows(const QString&, int, const RowHandler&, FileKind&) const override { return {}; }
        std::unique_ptr<RowWriter> newWorkbook(const QString&, const QString&, QString&) const override { return {}; }
        QString writeWorkbook(const QString& path, const QString&, const std::vector<WrittenCell>&) const override
        {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly)) file.write("PK\x03\x04 halb");
            return QStringLiteral("Auf dem Datenträger ist kein Platz mehr.");
        }
    } halfWriter;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ergebnis.xlsx"));
    ASSERT_TRUE(fixtures::writeFile(path, [] { return fixtures::bytes("values-openpyxl.xlsx"); }));

    SpreadsheetWindow w({{"10", "2"}}, false, WorkbookModule(halfWriter));
    w.save(path);
    ASSERT_EQ(w.view.messages.size(), 1u);
    EXPECT_TRUE(w.view.messages[0].prompt.contains(QStringLiteral("kein Platz"))) << w.view.messages[0].prompt.toStdString();
    EXPECT_EQ(fixtures::bytes("values-openpyxl.xlsx"), [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Ergebnis.xlsx")});
}

}  // namespace
