#include "app/Form1.h"
#include "chart/Palette.h"
#include "fakes/GridRows.h"
#include "fakes/QtPrinters.h"
#include "fakes/RecordingView.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace {

using Box = View::TextBox;

const QString invalidInput = QStringLiteral("Üngültige Eingabe");
const QString lockPrompt = QStringLiteral("Für eine neue Berechnung\r\nbitte Neue Eingabe drücken!");
const QString fullPrompt = QStringLiteral("Tabelle ist voll!\r\nBitte in Excel abspeichern,\r\noder Programm neu starten");

class Form1Test : public testing::Test {
protected:
    explicit Form1Test(const char* locale = "C") : form(view, QLocale(QString::fromLatin1(locale))) {}
    void SetUp() override { form.Form_Load(); }

    void press(const QString& total, const QString& largest)
    {
        view.type(Box::Text1, total);
        view.type(Box::Text2, largest);
        form.Command1_Click();
    }
    std::size_t redLines() const { return view.canvas.linesOf(palette::lightRed).size(); }

    RecordingView view;
    Form1 form;
};

TEST_F(Form1Test, LoadDrawsTheFrameAndSetsUpTheTable)
{
    EXPECT_EQ(form.Berechnet(), Form1::False);
    EXPECT_EQ(view.canvas.lines.size(), 58u);
    EXPECT_DOUBLE_EQ(form.chart().XBW10, 2994);
    EXPECT_EQ(view.grid.rows(), 3);
    EXPECT_EQ(gridRow(view.grid, 0), QStringList({"Nr.", "BW", "Einzel BW", "l/sec", "l/min"}));
    EXPECT_TRUE(view.messages.empty());
}

// One "Berechnen" press from the state False, with what it must show.
struct Press {
    const char* total;
    const char* largest;
    std::optional<QStringList> tableRow;  // none: invalid input
};

TEST_F(Form1Test, EachPressEitherCalculatesOrAnswersInvalidInput)
{
    const Press table[] = {
        {"300", "2", QStringList{"1", "300", "2", "1.69", "101.6"}},  // 300 is a large installation
        {"299.5", "2", QStringList{"1", "300", "2", "1.68", "101.0"}},
        {"299", "8", QStringList{"1", "299", "8", "1.64", "98.3"}},
        {"2", "2", QStringList{"1", "2", "2", "0.20", "12.0"}},
        {"10", "2", QStringList{"1", "10", "2", "0.40", "23.8"}},
        {"3", "3", QStringList{"1", "3", "3", "0.30", "17.9"}},
        {"4", "4", QStringList{"1", "4", "4", "0.40", "24.2"}},
        {"5", "5", QStringList{"1", "5", "5", "0.50", "29.9"}},
        {"8", "8", QStringList{"1", "8", "8", "0.80", "48.2"}},
        {"50", "2.0", QStringList{"1", "50", "2", "0.79", "47.2"}},
        {" 12.7 ", "2", QStringList{"1", "13", "2", "0.44", "26.3"}},
        {"1000", "7", QStringList{"1", "1000", "7", "3.41", "204.8"}},  // any largest unit from 300 on
        {"2500", "0.4", QStringList{"1", "2500", "0", "5.82", "349.3"}},
        {"300", "-3", QStringList{"1", "300", "-3", "1.69", "101.6"}},
        {"1e5", "12", QStringList{"1", "100000", "12", "49.95", "2997.2"}},
        {"2.5", "2", QStringList{"1", "3", "2", "0.22", "13.2"}},
        // invalid: text that is no number, in either box, even when the total would not need the second
        {"", "2", std::nullopt},
        {"abc", "2", std::nullopt},
        {"500", "", std::nullopt},
        {"500", "x", std::nullopt},
        {"1e400", "2", std::nullopt},
        {"inf", "2", std::nullopt},
        {"nan", "2", std::nullopt},
        {"500", "inf", std::nullopt},
        // invalid: no formula for this largest single unit below 300
        {"50", "0", std::nullopt},
        {"50", "1", std::nullopt},
        {"50", "6", std::nullopt},
        {"50", "7", std::nullopt},
        {"50", "9", std::nullopt},
        {"50", "9.5", std::nullopt},
        {"50", "10", std::nullopt},
        {"50", "100", std::nullopt},
        {"50", "-1", std::nullopt},
        {"50", "0.5", std::nullopt},
        {"50", "2.5", std::nullopt},
        {"50", "8.5", std::nullopt},
        {"299.99", "2.0001", std::nullopt},
        // invalid: total below the case's minimum
        {"1.5", "2", std::nullopt},
        {"7.9", "8", std::nullopt},
        {"4", "5", std::nullopt},
        {"0", "2", std::nullopt},
        {"-5", "2", std::nullopt},
    };
    for (const Press& p : table) {
        RecordingView v;
        Form1 f(v, QLocale::c());
        f.Form_Load();
        v.type(Box::Text3, "old l/s");
        v.type(Box::Text4, "old l/min");
        v.type(Box::Text1, QString::fromLatin1(p.total));
        v.type(Box::Text2, QString::fromLatin1(p.largest));
        f.Command1_Click();
        const auto trace = testing::Message() << "'" << p.total << "' '" << p.largest << "'";
        if (p.tableRow) {
            EXPECT_TRUE(v.messages.empty()) << trace;
            EXPECT_EQ(f.Berechnet(), Form1::True) << trace;
            EXPECT_EQ(gridRow(v.grid, 1), *p.tableRow) << trace;
            EXPECT_EQ(v.text(Box::Text3), p.tableRow->at(3)) << trace;
            EXPECT_EQ(v.text(Box::Text4), p.tableRow->at(4)) << trace;
            EXPECT_EQ(v.text(Box::Text1), QString::fromLatin1(p.total)) << trace;
            EXPECT_EQ(v.canvas.linesOf(palette::lightRed).size(), 2u) << trace;
            EXPECT_EQ(v.canvas.description,
                      "Markierter Betriebspunkt: " + p.tableRow->at(1) + " BW, " + p.tableRow->at(3) + " l/s") << trace;
        } else {
            ASSERT_EQ(v.messages.size(), 1u) << trace;
            EXPECT_EQ(v.messages[0].prompt, invalidInput) << trace;
            EXPECT_EQ(v.messages[0].caption, "Fehler") << trace;
            EXPECT_EQ(v.messages[0].icon, View::Icon::Exclamation) << trace;
            EXPECT_EQ(f.Berechnet(), Form1::False) << trace;
            EXPECT_EQ(v.text(Box::Text1), "") << trace;
            EXPECT_EQ(v.text(Box::Text2), "") << trace;
            EXPECT_EQ(v.text(Box::Text3), "old l/s") << trace;
            EXPECT_EQ(v.text(Box::Text4), "old l/min") << trace;
            EXPECT_EQ(gridRow(v.grid, 1), QStringList({"", "", "", "", ""})) << trace;
            EXPECT_EQ(v.canvas.linesOf(palette::lightRed).size(), 0u) << trace;
            EXPECT_EQ(v.canvas.description, "") << trace;
        }
    }
}

TEST_F(Form1Test, ResultIsPublishedInOrderOutputsMarkerRow)
{
    press("10", "2");
    EXPECT_EQ(view.log, QStringList({"setText Text3 0.40", "setText Text4 23.8"}));
    const auto red = view.canvas.linesOf(palette::lightRed);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[0].x1, 2994);  // 10 loading units stand on their decade line
    EXPECT_EQ(red[0].y1, 5400);
    EXPECT_EQ(red[1].x1, 600);
}

TEST_F(Form1Test, InvalidInputShowsTheMessageBeforeEmptyingTheInputs)
{
    press("abc", "2");
    EXPECT_EQ(view.log, QStringList({"message Fehler", "setText Text1 ", "setText Text2 "}));
}

TEST_F(Form1Test, SecondPressOnlyShowsTheLockUntilNeueEingabe)
{
    for (const char* total : {"300", "50"}) {
        press(total, "2");
        ASSERT_EQ(form.Berechnet(), Form1::True);
        view.log.clear();
        const auto linesBefore = view.canvas.lines.size();
        press("20", "2");
        press("20", "2");
        ASSERT_EQ(view.messages.size(), 2u);
        for (const auto& m : view.messages) {
            EXPECT_EQ(m.prompt, lockPrompt);
            EXPECT_EQ(m.caption, "Fehler");
            EXPECT_EQ(m.icon, View::Icon::Exclamation);
        }
        EXPECT_EQ(view.log, QStringList({"message Fehler", "message Fehler"}));
        EXPECT_EQ(view.canvas.lines.size(), linesBefore);
        EXPECT_EQ(form.Berechnet(), Form1::True);
        form.Command2_Click();
        view.messages.clear();
    }
    EXPECT_EQ(gridRow(view.grid, 1)[1], "300");
    EXPECT_EQ(gridRow(view.grid, 2)[1], "50");
    EXPECT_EQ(gridRow(view.grid, 3)[1], "");
}

TEST_F(Form1Test, AfterInvalidInputTheNextPressCalculatesAtOnce)
{
    press("50", "7");
    press("50", "2");
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(form.Berechnet(), Form1::True);
    EXPECT_EQ(view.text(Box::Text3), "0.79");
}

TEST_F(Form1Test, NeueEingabeEmptiesTheBoxesAndRedrawsTheFrame)
{
    press("10", "2");
    view.log.clear();
    form.Command2_Click();
    EXPECT_EQ(view.log, QStringList({"setText Text1 ", "setText Text2 ", "setText Text3 ", "setText Text4 "}));
    EXPECT_EQ(view.canvas.clears, 1);
    EXPECT_EQ(view.canvas.lines.size(), 58u);
    EXPECT_EQ(redLines(), 0u);
    EXPECT_EQ(view.canvas.description, "");
    EXPECT_EQ(form.Berechnet(), Form1::False);
    EXPECT_EQ(view.grid.rows(), 4);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(Form1Test, NeueEingabeRightAfterStartKeepsThreeRows)
{
    form.Command2_Click();
    EXPECT_EQ(view.grid.rows(), 3);
    EXPECT_EQ(view.canvas.clears, 1);
    EXPECT_EQ(view.canvas.lines.size(), 58u);
    EXPECT_TRUE(view.messages.empty());
}

// A failure in the middle of a calculation ends in the invalid-input response;
// what was already shown stays.
TEST_F(Form1Test, FailureDuringTheEntryKeepsOutputsAndMarker)
{
    view.grid.setCols(2);  // the entry's third column is missing
    press("10", "2");
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].prompt, invalidInput);
    EXPECT_EQ(view.text(Box::Text3), "0.40");
    EXPECT_EQ(view.text(Box::Text4), "23.8");
    EXPECT_EQ(redLines(), 2u);
    EXPECT_EQ(view.canvas.description, "Markierter Betriebspunkt: 10 BW, 0.40 l/s");
    EXPECT_EQ(form.Berechnet(), Form1::False);
    EXPECT_EQ(view.text(Box::Text1), "");
}

TEST_F(Form1Test, ThirtyCalculationsFillTheTableWithoutLosingOne)
{
    for (int n = 1; n <= 30; ++n) {
        press(QString::number(10 + n), "2");
        ASSERT_TRUE(view.messages.empty()) << "calculation " << n;
        ASSERT_EQ(form.Berechnet(), Form1::True) << "calculation " << n;
        form.Command2_Click();
        EXPECT_EQ(view.grid.rows(), n + 3) << "after calculation " << n;
        if (n == 25) {
            ASSERT_EQ(view.messages.size(), 1u);
            EXPECT_EQ(view.messages[0].prompt, fullPrompt);
            EXPECT_EQ(view.messages[0].caption, "Information");
            EXPECT_EQ(view.messages[0].icon, View::Icon::Information);
            view.messages.clear();
            // Again with every further "Neue Eingabe" while 25 rows are taken.
            form.Command2_Click();
            EXPECT_EQ(view.messages.size(), 1u);
            view.messages.clear();
        }
        ASSERT_TRUE(view.messages.empty()) << "after calculation " << n;
    }
    for (int r = 1; r <= 30; ++r) {
        EXPECT_EQ(view.grid.cell(r, 0), QString::number(r));
        EXPECT_EQ(view.grid.cell(r, 1), QString::number(10 + r));
    }
    EXPECT_EQ(view.grid.cell(31, 1), "");
}

TEST_F(Form1Test, HelpInfoAndEndLeaveTheCalculationAlone)
{
    press("300", "2");
    form.mnuhilfe_Click();
    form.mnuinfo_Click();
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0].prompt, "Zurzeit steht keine Hilfe zur Verfügung");
    EXPECT_EQ(view.messages[0].caption, "Hilfe,");
    EXPECT_EQ(view.messages[0].icon, View::Icon::Information);
    const auto& about = view.messages[1];
    EXPECT_EQ(about.caption, "Über dieses Programm");
    EXPECT_EQ(about.icon, View::Icon::Information);
    const QStringList lines = about.prompt.split("\r\n");
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(about.prompt.count("\r\n"), 6);
    EXPECT_EQ(lines[0], "Programmentwicklung:");
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_FALSE(lines[2].isEmpty());
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_FALSE(lines[4].isEmpty());
    EXPECT_TRUE(lines[5].isEmpty());
    EXPECT_TRUE(lines[6].startsWith("E-Mail: "));
    EXPECT_EQ(view.text(Box::Text3), "1.69");
    EXPECT_EQ(form.Berechnet(), Form1::True);
    press("300", "2");
    EXPECT_EQ(view.messages.back().prompt, lockPrompt);

    form.mnuend_Click();
    form.Command3_Click();
    EXPECT_EQ(view.endRequests, 2);
    EXPECT_TRUE(view.dialogs.empty());
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

TEST_F(Form1Test, ReportCommandsWriteOrPrintAndReportFailuresWithoutChangingAnything)
{
    press("250", "5");
    // An imported text in a row of its own, below an empty one.
    view.grid.setRows(6);
    view.grid.setRow(4);
    view.grid.setCol(0);
    view.grid.setText("Haus B");
    const auto table = gridRows(view.grid);
    const auto boxes = view.boxes;
    const std::size_t marker = redLines();

    QTemporaryDir dir;
    const QString earlier = dir.filePath("Alt.pdf");
    struct Case {
        const char* what;
        QString answer;   // of the save dialog; empty: cancelled
        QString failure;  // of the report
        QByteArray left;  // in Alt.pdf afterwards
        QString message;  // empty: none
    } cases[] = {
        {"cancelled", "", "", "alt", ""},
        {"suffix added", dir.filePath("Alt"), "", view.reportBytes, ""},
        {"failed", earlier, "Kein Papier", "alt",
         "Die Datei „" + QDir::toNativeSeparators(earlier) + "“ kann nicht gespeichert werden.\r\nKein Papier"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile old(earlier);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        old.write("alt");
        old.close();
        view.messages.clear();
        view.reportFailure = c.failure;
        if (!c.answer.isEmpty()) view.dialogAnswers.push_back(c.answer);
        form.mnuprotokoll_Click();
        EXPECT_EQ(view.dialogs.back().suffix, "pdf");
        EXPECT_EQ(view.dialogs.back().filters[0].pattern, "*.pdf");
        EXPECT_EQ(contents(earlier), c.left);
        ASSERT_EQ(view.messages.size(), c.message.isEmpty() ? 0u : 1u);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(view.messages[0].prompt, c.message);
            EXPECT_EQ(view.messages[0].caption, "Fehler");
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Alt.pdf"});

    view.reportFailure.clear();
    form.mnudrucken_Click();
    view.reportFailure = "Drucker aus";
    form.mnudrucken_Click();
    EXPECT_EQ(view.messages.back().prompt, "Das Protokoll kann nicht gedruckt werden.\r\nDrucker aus");
    EXPECT_EQ(view.log.filter("report").size(), 4);

    const ReportContent& content = view.reports.back();
    EXPECT_EQ(content.operatingPoint,
              QStringList({"Total Belastungswerte: 250 BW", "Grösster Einzel BW: 5 BW",
                           "Gipfelfluss: 1.63 l/s = 97.7 l/min", "Formel: grösster Einzel BW 5 (Total unter 300 BW)"}));
    ASSERT_EQ(content.table.size(), 3u);  // header, the result, the imported text
    EXPECT_EQ(content.table[0][1].text, "BW");
    EXPECT_FALSE(content.table[0][0].number);
    EXPECT_EQ(content.table[1][4].text, "97.7");
    EXPECT_TRUE(content.table[1][4].number);
    EXPECT_EQ(content.table[2][0].text, "Haus B");
    EXPECT_FALSE(content.table[2][0].number);
    ASSERT_EQ(content.formulas.size(), 6u);
    EXPECT_EQ(content.formulas[0].name, "Grosse Anlage (Total ab 300 BW)");
    EXPECT_EQ(content.formulas[0].b, "-0.214837");
    EXPECT_EQ(content.formulas[0].minimumTotal, "300");
    EXPECT_EQ(content.formulas[5].minimumTotal, "8");

    EXPECT_EQ(gridRows(view.grid), table);
    EXPECT_EQ(view.boxes, boxes);
    EXPECT_EQ(redLines(), marker);
    EXPECT_EQ(form.Berechnet(), Form1::True);

    // No marker after "Neue Eingabe": nothing to say about an operating point.
    form.Command2_Click();
    form.mnudrucken_Click();
    EXPECT_TRUE(view.reports.back().operatingPoint.isEmpty());
}

class Form1GermanTest : public Form1Test {
protected:
    Form1GermanTest() : Form1Test("de_DE") {}
};

TEST_F(Form1GermanTest, ReadsAndWritesDecimalCommas)
{
    press("299,5", "2,0");
    EXPECT_EQ(view.text(Box::Text3), "1,68");
    EXPECT_EQ(view.text(Box::Text4), "101,0");
    EXPECT_EQ(gridRow(view.grid, 1), QStringList({"1", "300", "2", "1,68", "101,0"}));
    EXPECT_NE(view.canvas.findText("0,3"), nullptr);
    EXPECT_EQ(view.canvas.description, "Markierter Betriebspunkt: 300 BW, 1,68 l/s");

    press("1000", "7");  // locked
    form.Command2_Click();
    press("1000", "7");
    form.mnudrucken_Click();
    const ReportContent& content = view.reports.back();
    EXPECT_EQ(content.operatingPoint.mid(2),
              QStringList({"Gipfelfluss: 3,41 l/s = 204,8 l/min", "Formel: grosse Anlage (Total ab 300 BW)"}));
    EXPECT_EQ(content.formulas[5].a, "0,1968");
    EXPECT_EQ(content.table.back()[3].text, "3,41");
    EXPECT_TRUE(content.table.back()[3].number);
}

}  // namespace
