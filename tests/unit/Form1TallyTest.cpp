// "Belastungswerte zusammenzählen…" against a recording window: the dialog's
// rows into the two input boxes, and into the report while they produced the
// result on its page.
#include "app/Form1.h"
#include "fakes/GridRows.h"
#include "fakes/RecordingView.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Box = View::TextBox;

const std::vector<tally::Row> bathroom{
    {"Waschtisch", "1", "6"}, {"Dusche", "2", "4"}, {"Badewanne", "4", "2"}, {"Spültisch", "2", "1"}};

std::vector<QStringList> texts(const std::vector<std::vector<ReportContent::Cell>>& rows)
{
    std::vector<QStringList> result;
    for (const auto& row : rows) {
        QStringList cells;
        for (const ReportContent::Cell& cell : row) cells << cell.text;
        result.push_back(cells);
    }
    return result;
}

class Form1TallyTest : public testing::Test {
protected:
    explicit Form1TallyTest(const char* locale = "C") : form(view, QLocale(QString::fromLatin1(locale))) {}
    void SetUp() override { form.Form_Load(); }

    std::vector<QStringList> reportedTally()
    {
        form.mnudrucken_Click();
        return texts(view.reports.back().tally);
    }

    RecordingView view;
    Form1 form;
};

TEST_F(Form1TallyTest, UebernehmenFillsTheBoxesAndTheReportListsTheRowsWhileTheyStand)
{
    view.type(Box::Text1, "12");
    form.mnubelastung_Click();  // "Abbrechen"
    EXPECT_EQ(view.log, QStringList{"tally dialog"});
    EXPECT_EQ(view.text(Box::Text1), "12");

    view.tallyAnswers.push_back(bathroom);
    form.mnubelastung_Click();
    EXPECT_EQ(view.text(Box::Text1), "24");
    EXPECT_EQ(view.text(Box::Text2), "4");
    form.Command1_Click();
    // Formula for a largest single unit of 4 at 24 loading units, by python3's decimal module: 0.73144 l/s.
    EXPECT_EQ(view.text(Box::Text3), "0.73");
    EXPECT_EQ(view.text(Box::Text4), "43.9");
    EXPECT_EQ(reportedTally(), (std::vector<QStringList>{{"Entnahmestelle", "BW je Stück", "Anzahl", "BW"},
                                                         {"Waschtisch", "1", "6", "6"},
                                                         {"Dusche", "2", "4", "8"},
                                                         {"Badewanne", "4", "2", "8"},
                                                         {"Spültisch", "2", "1", "2"},
                                                         {"Total Belastungswerte", "", "", "24"}}));
    EXPECT_TRUE(view.reports.back().tally[1][3].number);

    // The rows and their names come back the next time.
    form.mnubelastung_Click();
    ASSERT_EQ(view.tallyDialogs.size(), 3u);
    EXPECT_EQ(view.tallyDialogs[2].rows, bathroom);
    EXPECT_EQ(view.tallyDialogs[2].names, QStringList({"Waschtisch", "Dusche", "Badewanne", "Spültisch"}));

    // A box the user changed did not come from the list.
    view.type(Box::Text1, "25");
    EXPECT_TRUE(reportedTally().empty());
    // Nor do the same numbers typed by hand after "Neue Eingabe".
    form.Command2_Click();
    view.type(Box::Text1, "24");
    view.type(Box::Text2, "4");
    form.Command1_Click();
    EXPECT_EQ(view.text(Box::Text3), "0.73");
    EXPECT_TRUE(reportedTally().empty());
}

TEST_F(Form1TallyTest, UebernehmenWhileAResultIsShownStartsTheNextEntryFirst)
{
    view.type(Box::Text1, "250");
    view.type(Box::Text2, "5");
    form.Command1_Click();
    ASSERT_EQ(form.Berechnet(), Form1::True);
    view.log.clear();
    view.tallyAnswers.push_back(bathroom);
    form.mnubelastung_Click();
    EXPECT_EQ(view.log, QStringList({"tally dialog", "setText Text1 ", "setText Text2 ", "setText Text3 ", "setText Text4 ",
                                     "setText Text1 24", "setText Text2 4"}));
    EXPECT_EQ(view.canvas.clears, 1);
    EXPECT_EQ(view.grid.rows(), 4);  // moved on once
    EXPECT_EQ(form.Berechnet(), Form1::False);
    form.Command1_Click();
    EXPECT_TRUE(view.messages.empty());  // not locked
    EXPECT_EQ(gridRow(view.grid, 2), QStringList({"2", "24", "4", "0.73", "43.9"}));
    EXPECT_EQ(reportedTally().size(), 6u);
}

class Form1TallyGermanTest : public Form1TallyTest {
protected:
    Form1TallyGermanTest() : Form1TallyTest("de_DE") {}
};

TEST_F(Form1TallyGermanTest, FractionalLoadingUnitsReachTheBoxWithTheDecimalComma)
{
    view.tallyAnswers.push_back({{"Urinal", "0,5", "3"}});
    form.mnubelastung_Click();
    EXPECT_EQ(view.text(Box::Text1), "1,5");
    EXPECT_EQ(form.numbers().toDouble(view.text(Box::Text1)), 1.5);
    EXPECT_EQ(view.text(Box::Text2), "0,5");
}

}  // namespace

namespace {

// "Katalog einlesen…" against a recording window: a good file is taken and
// remembered, a bad one leaves the catalogue; a remembered file that is gone
// is said once and the built-in points serve.
TEST(Form1DrawOffCatalogue, AGoodFileIsRememberedABadOneLeavesTheCatalogue)
{
    QTemporaryDir folder;
    const QString good = folder.filePath("Katalog.csv"), bad = folder.filePath("Kaputt.csv");
    for (const auto& [path, text] : {std::pair{good, "Entnahmestelle,BW je Stück\nDusche,0.5\nWandbrunnen,0.1\n"},
                                     std::pair{bad, "Entnahmestelle,BW je Stück\nBidet,0\n"}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    RecordingView view;
    Form1 form(view, QLocale::c(), WorkbookModule(linkedWorkbookFiles()));
    form.Form_Load();
    view.dialogAnswers = {good, bad};
    view.readCatalogueFilePresses = 2;
    form.mnubelastung_Click();
    ASSERT_EQ(view.tallyDialogs.size(), 1u);
    EXPECT_FALSE(view.tallyDialogs[0].catalogueFileTaken) << "the second, bad file";
    const auto unitsOf = [](const std::vector<tally::DrawOffPoint>& points, const char* name) {
        for (const tally::DrawOffPoint& p : points)
            if (p.name == QString::fromUtf8(name)) return p.unitsEach;
        return 0.0;
    };
    EXPECT_EQ(unitsOf(view.tallyDialogs[0].opened, "Dusche"), 2.0);
    EXPECT_EQ(unitsOf(view.tallyDialogs[0].closed, "Dusche"), 0.5);
    EXPECT_EQ(unitsOf(view.tallyDialogs[0].closed, "Wandbrunnen"), 0.1);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].caption, "Fehler");
    EXPECT_TRUE(view.messages[0].prompt.contains("Zeile 2: BW je Stück 0: nur grösser als 0")) << view.messages[0].prompt.toStdString();
    EXPECT_EQ(view.settings.value("Belastung/Katalogdatei"), good);

    // The next start reads the remembered file; once it is gone, it says so once.
    RecordingView next;
    next.settings = view.settings;
    QFile::remove(good);
    Form1 again(next, QLocale::c(), WorkbookModule(linkedWorkbookFiles()));
    again.Form_Load();
    again.mnubelastung_Click();
    again.mnubelastung_Click();
    ASSERT_EQ(next.messages.size(), 1u);
    EXPECT_TRUE(next.messages[0].prompt.endsWith("Es gelten die eingebauten Entnahmestellen."));
    EXPECT_EQ(unitsOf(next.tallyDialogs[1].opened, "Dusche"), 2.0);
}

}  // namespace
