#include "SpreadsheetWindow.h"
#include "WorkbookFixtures.h"

#include "app/Form1.h"
#include "fakes/RecordingView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

using TextBox = View::TextBox;

using Window = SpreadsheetWindow;

const std::vector<std::pair<const char*, const char*>> threeEntries{{"10", "2"}, {"12,7", "3"}, {"400", "0,4"}};

class ImportFrom : public ::testing::TestWithParam<fixtures::Producer> {};

TEST_P(ImportFrom, FillsTheNumberColumnOfRows1To25AndNothingElse)
{
    for (const bool computed : {false, true}) {
        Window w(threeEntries, computed);
        const auto before = w.table();
        const std::int16_t flag = w.form.Berechnet();
        const QString path = fixtures::path(QString::fromLatin1(GetParam().file));
        w.import(path);

        EXPECT_TRUE(w.view.messages.empty());
        EXPECT_EQ(w.form.Berechnet(), flag);
        EXPECT_EQ(w.view.shownDocuments, QStringList{path});
        const QStringList sheet = fixtures::columnA(QString::fromUtf8(GetParam().truth));
        ASSERT_EQ(w.view.grid.rows(), 26) << "grown from " << before.size() << " rows";
        ASSERT_EQ(w.view.grid.cols(), 5);
        const auto after = w.table();
        EXPECT_EQ(after[0], before[0]) << "header row";
        for (int r = 1; r <= 25; ++r) {
            EXPECT_EQ(after[std::size_t(r)][0], sheet[r]) << "row " << r << " takes A" << r + 1;
            for (int c = 1; c < 5; ++c) {
                const QString old = std::size_t(r) < before.size() ? before[std::size_t(r)][c] : QString();
                EXPECT_EQ(after[std::size_t(r)][c], old) << "row " << r << " column " << c;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ImportFrom, ::testing::ValuesIn(fixtures::producers), [](const auto& info) {
    std::string name = info.param.file;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});

TEST(Import, AsksForAFileWithAnEmptyNameAndXlsFirst)
{
    Window w;
    w.form.mnuexcel1_Click();
    ASSERT_EQ(w.view.dialogs.size(), 1u);
    const auto& dialog = w.view.dialogs[0];
    EXPECT_FALSE(dialog.save);
    EXPECT_EQ(dialog.fileName, QString());
    ASSERT_GE(dialog.filters.size(), 1);
    EXPECT_EQ(dialog.filters[0].description, QStringLiteral("*.xls"));
    EXPECT_EQ(dialog.filters[0].pattern, QStringLiteral("*.xls"));
    QStringList patterns;
    for (const auto& f : dialog.filters) patterns << f.pattern;
    EXPECT_TRUE(patterns.contains(QStringLiteral("*.xlsx")));
    EXPECT_TRUE(patterns.contains(QStringLiteral("*.ods")));
}

TEST(Import, ACancelledDialogChangesAndShowsNothing)
{
    Window w(threeEntries, true);
    const auto before = w.table();
    w.form.mnuexcel1_Click();  // no answer queued: cancelled
    EXPECT_EQ(w.table(), before);
    EXPECT_TRUE(w.view.messages.empty());
    EXPECT_TRUE(w.view.shownDocuments.isEmpty());
    EXPECT_EQ(w.form.Berechnet(), Form1::True);
}

TEST(Import, GoesOnWithoutADesktopApplicationForTheFile)
{
    Window w;
    w.view.canShowDocuments = false;
    w.import(fixtures::path(QStringLiteral("values-xlwt.xls")));
    EXPECT_TRUE(w.view.messages.empty());
    EXPECT_EQ(w.view.grid.cell(25, 0), QStringLiteral("Ende"));
}

TEST(Import, KeepsRowsBeyondTheImportedOnesAndDoesNotMoveTheNextEntry)
{
    std::vector<std::pair<const char*, const char*>> entries(27, {"10", "2"});
    Window w(entries);
    const int rows = w.view.grid.rows();
    ASSERT_GE(rows, 28);
    w.import(fixtures::path(QStringLiteral("values-openpyxl.xlsx")));
    EXPECT_EQ(w.view.grid.rows(), rows);
    EXPECT_EQ(w.view.grid.cell(4, 0), QStringLiteral("Strang 4")) << "row 4 takes A5";
    EXPECT_EQ(w.view.grid.cell(26, 0), QStringLiteral("26")) << "row 26 is no imported row";
    EXPECT_EQ(w.view.grid.cell(27, 0), QStringLiteral("27"));

    Window fresh(std::vector<std::pair<const char*, const char*>>{{"10", "2"}});
    fresh.import(fixtures::path(QStringLiteral("values-openpyxl.xlsx")));
    fresh.view.type(TextBox::Text1, QStringLiteral("20"));
    fresh.view.type(TextBox::Text2, QStringLiteral("3"));
    fresh.form.Command1_Click();
    EXPECT_EQ(fresh.view.grid.cell(2, 0), QStringLiteral("2")) << "the entry writes its own number";
    EXPECT_EQ(fresh.view.grid.cell(2, 1), QStringLiteral("20"));
    EXPECT_EQ(fresh.view.grid.cell(3, 0), QStringLiteral("-3,75")) << "imported value below stays";
}

// 25 rows lack the last imported row; 26 hold them all.
TEST(Import, IntoATableOf25Or26RowsFillsRows1To25)
{
    const QStringList sheet = fixtures::columnA();
    for (const int rows : {25, 26}) {
        Window w(std::vector<std::pair<const char*, const char*>>(std::size_t(rows - 3), {"10", "2"}));
        ASSERT_EQ(w.view.grid.rows(), rows);
        const auto before = w.table();
        w.import(fixtures::path(QStringLiteral("values-openpyxl.xlsx")));
        ASSERT_TRUE(w.view.messages.empty()) << rows;
        ASSERT_EQ(w.view.grid.rows(), 26) << rows;
        const auto after = w.table();
        for (int r = 1; r <= 25; ++r) {
            EXPECT_EQ(after[std::size_t(r)][0], sheet[r]) << rows << " rows, row " << r;
            const QStringList old = std::size_t(r) < before.size() ? before[std::size_t(r)] : QStringList(5, QString());
            EXPECT_EQ(after[std::size_t(r)].mid(1), old.mid(1)) << rows << " rows, row " << r;
        }
    }
}

struct BadFile {
    const char* name;
    QByteArray (*content)();  // null: no such file
};

const BadFile badFiles[] = {
    {"missing", nullptr},
    {"empty", [] { return QByteArray(); }},
    {"renamed_text", [] { return QByteArray("Nr.;BW\r\n1;10\r\n"); }},
    {"truncated_xls", [] { return fixtures::bytes("values-libreoffice.xls").left(3000); }},
    {"truncated_xlsx", [] { return fixtures::bytes("values-libreoffice.xlsx").left(3000); }},
    {"damaged_ods", [] {
         // bytes of the compressed content.xml changed
         QByteArray b = fixtures::bytes("values-libreoffice.ods");
         const qsizetype at = b.indexOf("content.xml") + 60;
         for (qsizetype i = at; i < at + 8; ++i) b[i] = char(b[i] ^ 0x5A);
         return b;
     }},
    {"no_worksheet", [] { return fixtures::bytes("no-sheet.xlsx"); }},
    {"text_document_package", [] { return fixtures::bytes("not-a-workbook.xlsx"); }},
    {"formula_without_result", [] { return fixtures::bytes("formula-without-result.xlsx"); }},
};

class ImportOf : public ::testing::TestWithParam<BadFile> {};

TEST_P(ImportOf, BadFileShowsAnErrorNamingTheFileAndLeavesTheTableAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Messwerte Haus 2.xls"));
    ASSERT_TRUE(fixtures::writeFile(path, GetParam().content));
    Window w(threeEntries, true);
    const auto before = w.table();
    w.import(path);

    ASSERT_EQ(w.view.messages.size(), 1u);
    const auto& message = w.view.messages[0];
    EXPECT_EQ(message.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(message.icon, View::Icon::Exclamation);
    EXPECT_TRUE(message.prompt.contains(QDir::toNativeSeparators(path))) << message.prompt.toStdString();
    const QStringList lines = message.prompt.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2) << "file, then reason";
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_EQ(w.table(), before);
    EXPECT_EQ(w.form.Berechnet(), Form1::True);
    EXPECT_TRUE(w.view.shownDocuments.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, ImportOf, ::testing::ValuesIn(badFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// The program loads the workbook files as a module. When it is missing or no
// module, import and export each show a "Fehler" box naming the reason, and
// neither the table nor an earlier file changes.
TEST(WorkbookModuleFile, MissingOrBrokenStopsImportAndExportWithTheReason)
{
    QTemporaryDir dir;
    const QString notALibrary = dir.filePath(QStringLiteral("gipfelfluss-workbook.so"));
    ASSERT_TRUE(fixtures::writeFile(notALibrary, [] { return QByteArray("\x7f" "ELF kaputt"); }));
    const struct {
        QString module;
        const char* reason;  // a piece of the reason; null: the module works
    } cases[] = {
        {dir.filePath(QStringLiteral("fehlt/gipfelfluss-workbook.so")), "nicht installiert"},
        {notALibrary, "kann nicht geladen werden"},
        {QStringLiteral(GIPFELFLUSS_WORKBOOK_MODULE), nullptr},
    };
    for (const auto& c : cases) {
        Window w(threeEntries, true, WorkbookModule(QStringList{c.module}));
        const auto before = w.table();
        const QString earlier = dir.filePath(QStringLiteral("Ergebnis.xlsx"));
        ASSERT_TRUE(fixtures::writeFile(earlier, [] { return QByteArray("frühere Datei"); }));

        w.import(fixtures::path(QStringLiteral("values-libreoffice.ods")));
        w.save(earlier);
        QFile saved(earlier);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        if (!c.reason) {
            EXPECT_TRUE(w.view.messages.empty()) << w.view.messages[0].prompt.toStdString();
            EXPECT_EQ(w.view.grid.cell(25, 0), QStringLiteral("Ende"));
            EXPECT_TRUE(saved.read(2) == "PK") << "an .xlsx workbook replaced the earlier file";
            continue;
        }
        ASSERT_EQ(w.view.messages.size(), 2u) << c.reason;
        for (const auto& message : w.view.messages) {
            EXPECT_EQ(message.caption, QStringLiteral("Fehler"));
            EXPECT_TRUE(message.prompt.contains(QString::fromUtf8(c.reason))) << message.prompt.toStdString();
        }
        EXPECT_TRUE(w.view.messages[0].prompt.contains(QStringLiteral("eingelesen")));
        EXPECT_TRUE(w.view.messages[1].prompt.contains(QDir::toNativeSeparators(earlier)));
        EXPECT_EQ(w.table(), before);
        EXPECT_EQ(saved.readAll(), QByteArray("frühere Datei"));
    }
}

}  // namespace
