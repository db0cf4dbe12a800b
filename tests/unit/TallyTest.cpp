#include "base/NumberText.h"
#include "tally/Tally.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

using tally::Row;

// One tally and what it must come to. Totals by hand and with python3's
// decimal module; the formulas by the rule: 300 and more, or the largest
// single unit 2, 3, 4, 5 or 8 below.
struct Case {
    const char* what;
    const char* locale;
    std::vector<Row> rows;
    QStringList units;  // column "BW" of each row
    QString total;
    QString largest;
    bool transferable;
    QString verdict;
};

TEST(Tally, AddsUpExactlyAndSaysWhichFormulaServes)
{
    const Case cases[] = {
        {"a bathroom section", "C",
         {{"Waschtisch", "1", "6"}, {"Dusche", "2", "4"}, {"Badewanne", "4", "2"}, {"Spültisch", "2", "1"}},
         {"6", "8", "8", "2"}, "24", "4", true, "Formel: Einzel BW 4"},
        {"fractions with the decimal comma", "de_DE", {{"", "0,5", "3"}}, {"1,5"}, "1,5", "0,5", true,
         "Keine Berechnung – grösster Einzel BW 0,5: nur 2, 3, 4, 5 oder 8 unter 300 BW"},
        {"decimal, not binary, arithmetic", "de_DE", {{"a", "0,1", "3"}, {"b", "1000000", "1"}, {"c", "0,000001", "1"}},
         {"0,3", "1000000", "0,000001"}, "1000000,300001", "1000000", true, "Formel: ab 300 BW"},
        {"300 take the large formula", "C", {{"", "150", "2"}}, {"300"}, "300", "150", true, "Formel: ab 300 BW"},
        {"count 0 keeps the row but not its largest unit", "C", {{"WC", "8", "0"}, {"", "", ""}, {"Dusche", "2", "3"}},
         {"0", "", "6"}, "6", "2", true, "Formel: Einzel BW 2"},
        {"largest single unit without a formula", "C", {{"", "7", "2"}}, {"14"}, "14", "7", true,
         "Keine Berechnung – grösster Einzel BW 7: nur 2, 3, 4, 5 oder 8 unter 300 BW"},
        {"nothing counted", "C", {{"WC", "8", "0"}, {" ", "", ""}}, {"0", ""}, "0", "", false,
         "Noch keine Entnahmestelle mit Anzahl ab 1"},
        {"letters", "C", {{"WC", "2", "1"}, {"Dusche", "zwei", "1"}}, {"2", ""}, "2", "2", false,
         "Zeile 2: BW je Stück ist keine Zahl: »zwei«"},
        {"no loading units", "C", {{"WC", "0", "1"}}, {""}, "0", "", false, "Zeile 1: BW je Stück muss grösser als 0 sein: »0«"},
        {"negative loading units", "C", {{"", "-1", "1"}}, {""}, "0", "", false,
         "Zeile 1: BW je Stück muss grösser als 0 sein: »-1«"},
        {"a name alone", "C", {{"Waschtisch", "", ""}}, {""}, "0", "", false, "Zeile 1: BW je Stück fehlt"},
        {"a fraction of a draw-off point", "de_DE", {{"", "2", "1,5"}}, {""}, "0", "", false,
         "Zeile 1: Anzahl muss eine ganze Zahl ab 0 sein: »1,5«"},
        {"a negative count", "C", {{"", "2", "-2"}}, {""}, "0", "", false, "Zeile 1: Anzahl muss eine ganze Zahl ab 0 sein: »-2«"},
        {"no count", "C", {{"", "2", ""}}, {""}, "0", "", false, "Zeile 1: Anzahl fehlt"},
        {"beyond the largest double", "C", {{"", "1e308", "10"}}, {""}, "0", "", false,
         "Zeile 1: BW je Stück × Anzahl zu gross"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const NumberText numbers{QLocale(QString::fromLatin1(c.locale))};
        const tally::Summary s = tally::summarize(c.rows, numbers);
        QStringList units;
        for (const tally::RowCheck& row : s.rows) units << row.unitsText;
        EXPECT_EQ(units, c.units);
        EXPECT_EQ(s.totalText, c.total);
        EXPECT_EQ(s.largestText, c.largest);
        EXPECT_EQ(s.transferable(), c.transferable);
        EXPECT_EQ(s.verdict, c.verdict);
        // The texts for the boxes read back as exactly the numbers summed up.
        EXPECT_EQ(numbers.toDouble(s.totalText), s.total);
        if (s.largest) {
            EXPECT_EQ(numbers.toDouble(s.largestText), *s.largest);
        }
    }
}

// The marks: every cell that breaks its rule says why, the others nothing.
TEST(Tally, EachInvalidCellHasItsOwnReason)
{
    const NumberText numbers{QLocale::c()};
    const tally::Summary s = tally::summarize({{"", "x", "1.5"}, {"", "2", "3"}}, numbers);
    ASSERT_EQ(s.rows.size(), 2u);
    EXPECT_EQ(s.rows[0].unitsEachFault, "BW je Stück ist keine Zahl: »x«");
    EXPECT_EQ(s.rows[0].countFault, "Anzahl muss eine ganze Zahl ab 0 sein: »1.5«");
    EXPECT_TRUE(s.rows[1].valid());
    EXPECT_EQ(s.totalText, "6");  // the valid row still counts
    EXPECT_FALSE(s.transferable());
}

}  // namespace
