// Section lists: columns found by their headings, every section calculated
// as a "Berechnen" press calculates it, refused ones kept with their reason.
#include "app/Form1.h"
#include "fakes/ListFiles.h"
#include "fakes/RecordingView.h"
#include "sections/SectionList.h"
#include "sections/SectionRun.h"
#include "workbook/WorkbookFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Row = std::vector<CellValue>;

QString q(const char* text) { return QString::fromUtf8(text); }

QStringList printed(const ListFiles& files, const char* locale, SectionCount* count = nullptr)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const SectionCount c = printSectionResults(files, QStringLiteral("liste.csv"), NumberText(QLocale(q(locale))), out);
    if (count) *count = c;
    return QString::fromUtf8(out.data()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Flows computed with python3 from Q = 10^(a log10 BW + b) / 10.
struct Section {
    CellValue total, largest;
    const char* line;  // the printed line after the name, in de_DE
};

TEST(SectionList, CalculatesEachSectionOrSaysWhyNot)
{
    const Section sections[] = {
        {250.0, 5.0, "Einzel BW 5\t1,63\t97,7\t"},
        {q("300"), q("7"), "ab 300 BW\t1,69\t101,6\t"},  // any largest unit from 300 on
        {q("12,5"), 4.0, "Einzel BW 4\t0,59\t35,3\t"},   // 0.58916 l/s
        {q(" 12.5 "), q("4"), "Einzel BW 4\t0,59\t35,3\t"},  // a decimal point, blanks around
        {2.0, 2.0, "Einzel BW 2\t0,20\t12,0\t"},         // the minimum itself counts
        {q("1.5"), 2.0, "\t\t\tTotal 1,5 BW unter dem Minimum 2"},
        {50.0, 7.0, "\t\t\tgrösster Einzel BW 7: nur 2, 3, 4, 5 oder 8 unter 300 BW"},
        {50.0, 2.5, "\t\t\tgrösster Einzel BW 2,5: nur 2, 3, 4, 5 oder 8 unter 300 BW"},
        {q("abc"), 2.0, "\t\t\tBW ist keine Zahl: »abc«"},
        {500.0, {}, "\t\t\tEinzel BW fehlt"},  // needed although 500 alone chooses the formula
        {q("1.234,5"), 8.0, "\t\t\tBW ist keine Zahl: »1.234,5«"},  // no digit grouping in a file
        {true, 2.0, "\t\t\tBW ist keine Zahl: »WAHR«"},
    };
    std::vector<Row> rows{{q("Teilstrecke"), q("BW"), q("Einzel BW")}};
    for (const Section& s : sections) rows.push_back({q("TS"), s.total, s.largest});
    const ListFiles files(rows);
    SectionCount count;
    const QStringList lines = printed(files, "de_DE", &count);
    ASSERT_EQ(lines.size(), qsizetype(std::size(sections)) + 1);
    EXPECT_EQ(lines[0], q("Teilstrecke\tBW\tEinzel BW\tFormel\tl/sec\tl/min\tHinweis"));
    for (std::size_t i = 0; i < std::size(sections); ++i)
        EXPECT_EQ(lines[qsizetype(i) + 1].section(QLatin1Char('\t'), 3), q(sections[i].line)) << "section " << i + 1;
    EXPECT_EQ(count.calculated, 5);
    EXPECT_EQ(count.refused, 7);
}

TEST(SectionList, FindsItsColumnsByHeadingAndKeepsTheOthers)
{
    // Any order, any case, blanks around; without "Teilstrecke" the sections are numbered.
    const ListFiles files({{q(" einzel bw"), q("Bemerkung"), q("BW ")},
                           {8.0, q("Küche; \"alt\""), 299.0},
                           {},
                           {3.0, {}, 3.0}});
    const QStringList lines = printed(files, "C");
    EXPECT_EQ(lines, QStringList({q("Teilstrecke\t einzel bw\tBemerkung\tBW \tFormel\tl/sec\tl/min\tHinweis"),
                                  q("1\t8\t\"Küche; \"\"alt\"\"\"\t299\tEinzel BW 8\t1.64\t98.3\t"),
                                  q("2\t3\t\t3\tEinzel BW 3\t0.30\t17.9\t")}));

    const std::pair<Row, const char*> incomplete[] = {{{q("Teilstrecke"), q("BW")}, "„Einzel BW“"},
                                                     {{q("Einzel BW"), q("Total")}, "„BW“"}};
    for (const auto& [headings, missing] : incomplete) {
        try {
            printed(ListFiles({headings, {1.0, 2.0}}), "C");
            ADD_FAILURE() << "read without " << missing;
        } catch (const ListError& error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(q(missing))) << error.what();
        }
    }
}

TEST(SectionList, WorkbookResultHoldsTheUnroundedFlowsAsNumbers)
{
    ListFiles files({{q("Teilstrecke"), q("BW"), q("Einzel BW")}, {q("TS 1"), 1000.0, 2.0}, {q("TS 2"), 1.0, 2.0}});
    QTemporaryDir dir;
    const SectionCount count = writeSectionResults(files, dir.filePath(q("liste.xlsx")), dir.filePath(q("ergebnis.xlsx")),
                                                   NumberText(QLocale::c()));
    EXPECT_EQ(count.calculated, 1);
    ASSERT_EQ(files.written.size(), 3u);
    const std::vector<WrittenCell>& first = files.written[1];
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(std::get<QString>(first[3].value), q("ab 300 BW"));
    EXPECT_NEAR(std::get<double>(first[4].value), 3.413500729493111, 1e-12);
    EXPECT_EQ(first[4].numberFormat, q("0.00"));
    EXPECT_NEAR(std::get<double>(first[5].value), 3.413500729493111 * 60, 1e-10);
    EXPECT_EQ(first[5].numberFormat, q("0.0"));
    EXPECT_EQ(first[5].col, 6);
    // A refused section: no flows, the reason in "Hinweis" (column 7).
    const std::vector<WrittenCell>& refused = files.written[2];
    EXPECT_EQ(refused.back().col, 7);
    EXPECT_EQ(std::get<QString>(refused.back().value), q("Total 1 BW unter dem Minimum 2"));
}

// A list of separated text into a workbook: every field its number reading
// reads is a number cell ("1.500" with a decimal point, "007"), but the
// section's name stays as written; the first of two "BW" columns counts, and
// a value right of the last heading is named by its column.
TEST(SectionList, SeparatedTextGivesNumberCellsButKeepsNamesAsWritten)
{
    ListFiles files({{q("Teilstrecke"), q("BW"), q("Einzel BW"), q("Raum"), q("BW")},
                     {q("007"), q("1.500"), q("2"), q("007"), q("400"), q("übrig")},
                     {q("12"), q("400"), q("7"), q("2 a"), q("1")}});
    QTemporaryDir dir;
    writeSectionResults(files, dir.filePath(q("liste.csv")), dir.filePath(q("ergebnis.xlsx")), NumberText(QLocale(q("de_DE"))));
    ASSERT_EQ(files.written.size(), 3u);
    const auto cells = [&](std::size_t row) {
        std::vector<std::variant<QString, double>> values;
        for (const WrittenCell& cell : files.written[row]) values.push_back(cell.value);
        return values;
    };
    using V = std::vector<std::variant<QString, double>>;
    EXPECT_EQ(cells(1), (V{q("007"), 1.5, 2.0, 7.0, 400.0,
                           q("Total 1,5 BW unter dem Minimum 2; Werte rechts der letzten Überschrift (ab Spalte 6) nicht übernommen")}));
    const V accepted = cells(2);
    ASSERT_EQ(accepted.size(), 8u);
    EXPECT_EQ(V(accepted.begin(), accepted.begin() + 6), (V{q("12"), 400.0, 7.0, q("2 a"), 1.0, q("ab 300 BW")}));
    EXPECT_NEAR(std::get<double>(accepted[6]), 2.001376120543443, 1e-12);  // l/s, python3's decimal module
}

TEST(SectionList, WritesNothingWhenTheListCannotBeRead)
{
    QTemporaryDir dir;
    const QString result = dir.filePath(q("ergebnis.csv"));
    QFile earlier(result);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("von gestern");
    earlier.close();

    ListFiles damaged({{q("BW"), q("Einzel BW")}, {300.0, 2.0}});
    damaged.failure = q("Die Datei ist beschädigt.");
    EXPECT_THROW(writeSectionResults(damaged, dir.filePath(q("liste.csv")), result, NumberText(QLocale::c())), ListError);
    // The list itself is never the result.
    const ListFiles fine({{q("BW"), q("Einzel BW")}, {300.0, 2.0}});
    EXPECT_THROW(writeSectionResults(fine, result, result, NumberText(QLocale::c())), RuntimeError);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("von gestern"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({q("ergebnis.csv")}));
}

// The same two texts typed into the window and written into a list give the
// same flow texts, or a refusal in both.
TEST(SectionList, AgreesWithTheWindowForTheSameTexts)
{
    const char* totals[] = {"0", "1", "1,5", "2", "2,5", "7,9", "8", "10", "12,5", "299", "299,5", "300", "1000", "2500", "-4"};
    const char* largest[] = {"0", "1", "2", "2,0", "3", "4", "5", "6", "7", "8", "8,5", "9", "10", "-1", "0,5"};
    std::vector<Row> rows{{q("BW"), q("Einzel BW")}};
    for (const char* t : totals)
        for (const char* l : largest) rows.push_back({q(t), q(l)});
    const QStringList lines = printed(ListFiles(rows), "de_DE");

    RecordingView view;
    Form1 form(view, QLocale(q("de_DE")));
    form.Form_Load();
    qsizetype line = 1;
    for (const char* t : totals)
        for (const char* l : largest) {
            form.Command2_Click();
            view.messages.clear();
            view.type(View::TextBox::Text1, q(t));
            view.type(View::TextBox::Text2, q(l));
            form.Command1_Click();
            const QStringList fields = lines[line++].split(QLatin1Char('\t'));
            const bool refused = !view.messages.empty();
            EXPECT_EQ(refused, !fields[6].isEmpty()) << t << " " << l;
            if (!refused) {
                EXPECT_EQ(fields[4], view.text(View::TextBox::Text3)) << t << " " << l;
                EXPECT_EQ(fields[5], view.text(View::TextBox::Text4)) << t << " " << l;
            }
        }
}

TEST(SectionList, MenuCommandLeavesTheWindowAsItWas)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(q("Haus 2.v3.csv"));
    ListFiles files({{q("BW"), q("Einzel BW")}, {300.0, 2.0}, {50.0, 7.0}});
    RecordingView view;
    Form1 form(view, QLocale::c(), WorkbookModule(files));
    form.Form_Load();
    view.type(View::TextBox::Text1, q("250"));
    view.type(View::TextBox::Text2, q("5"));
    form.Command1_Click();
    const auto boxes = view.boxes;
    const std::size_t lines = view.canvas.lines.size();
    const QStringList row = {view.grid.cell(1, 1), view.grid.cell(2, 1)};

    // The proposed name comes from the list's; typed without suffix it gets one.
    view.dialogAnswers = {list, dir.filePath(q("Ergebnis"))};
    form.mnuteilstrecken_Click();
    ASSERT_EQ(view.dialogs.size(), 2u);
    EXPECT_EQ(view.dialogs[1].fileName, dir.filePath(q("Haus 2.v3-Gipfelfluss.xlsx")));
    EXPECT_EQ(view.shownDocuments, QStringList({dir.filePath(q("Ergebnis.xlsx"))}));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].caption, q("Teilstrecken berechnet"));
    EXPECT_TRUE(view.messages[0].prompt.startsWith(q("Teilstrecken berechnet: 1\r\nAbgewiesen (Grund in der Spalte „Hinweis“): 1")));
    EXPECT_TRUE(QFile::exists(dir.filePath(q("Ergebnis.xlsx"))));

    EXPECT_EQ(view.boxes, boxes);
    EXPECT_EQ(view.canvas.lines.size(), lines);
    EXPECT_EQ(QStringList({view.grid.cell(1, 1), view.grid.cell(2, 1)}), row);
    EXPECT_EQ(form.Berechnet(), Form1::True);

    // A list that cannot be read: a "Fehler" box naming it, nothing written.
    files.failure = q("Die Datei ist beschädigt.");
    view.dialogAnswers = {list, dir.filePath(q("Zweites.xlsx"))};
    form.mnuteilstrecken_Click();
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[1].caption, q("Fehler"));
    EXPECT_TRUE(view.messages[1].prompt.contains(QDir::toNativeSeparators(list))) << view.messages[1].prompt.toStdString();
    EXPECT_TRUE(view.messages[1].prompt.endsWith(q("Die Datei ist beschädigt.")));
    EXPECT_FALSE(QFile::exists(dir.filePath(q("Zweites.xlsx"))));
}

}  // namespace

namespace {

// A network whose supply pressure reaches the shower only with a larger
// riser: "Rohrweite nach Druck" switched on enlarges it, and the closing
// message turns from a warning into a report. Losses and pressures are the
// product's, checked on the command line against python3-fluids.
TEST(SectionList, NetworkMessageFollowsTheSwitchRohrweiteNachDruck)
{
    QTemporaryDir dir;
    ListFiles files({{q("Teilstrecke"), q("Zuleitung"), q("Dusche"), q("Rohrserie"), q("Länge"), q("Zeta"), q("Höhe"),
                      q("Versorgungsdruck")},
                     {q("Verteilung"), CellValue(), CellValue(), q("Kupfer"), 10.0, 5.0, 1.0, 2500.0},
                     {q("Strang"), q("Verteilung"), CellValue(), q("Kupfer"), 20.0, 4.0, 6.0, CellValue()},
                     {q("Dusche OG"), q("Strang"), 1.0, q("Kupfer"), 5.0, 8.0, 1.0, CellValue()}});
    RecordingView view;
    Form1 form(view, QLocale::c(), WorkbookModule(files));
    form.Form_Load();
    struct Case {
        bool byPressure;
        View::Icon icon;
        const char* line;
    };
    for (const Case& c : {Case{false, View::Icon::Exclamation, "Der Versorgungsdruck reicht nicht: Reserve −"},
                          Case{true, View::Icon::Information, "\r\nVergrössert: 1 Teilstrecke\r\n"}}) {
        if (form.byPressure() != c.byPressure) form.mnunachdruck_Click();
        EXPECT_EQ(view.settings.value(q("Teilstrecken/RohrweiteNachDruck")) == q("1"), c.byPressure);
        view.dialogAnswers = {dir.filePath(q("Netz.xlsx")), dir.filePath(q("Ergebnis.xlsx"))};
        form.mnuteilstrecken_Click();
        ASSERT_FALSE(view.messages.empty());
        const RecordingView::Message& m = view.messages.back();
        EXPECT_EQ(m.icon, c.icon) << m.prompt.toStdString();
        EXPECT_TRUE(m.prompt.contains(q("\r\nUngünstigster Fliessweg: Verteilung → Strang → Dusche OG\r\n")))
            << m.prompt.toStdString();
        EXPECT_TRUE(m.prompt.contains(q(c.line))) << m.prompt.toStdString();
    }
}

}  // namespace
