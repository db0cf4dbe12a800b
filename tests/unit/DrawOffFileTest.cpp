// The user's catalogue of draw-off points: a file is taken whole or not at
// all, and every bad row is named.
#include "fakes/ListFiles.h"
#include "tally/DrawOffFile.h"

#include <gtest/gtest.h>

namespace {

using Row = std::vector<CellValue>;

QString q(const char* text) { return QString::fromUtf8(text); }

const Row headings{q("Bemerkung"), q("BW je Stück"), q("entnahmestelle")};

TEST(DrawOffFile, TakesTheFilesPointsInPlaceOfBuiltInOnes)
{
    ListFiles files({{},  // rows that hold nothing are passed over, before the headings too
                     headings,
                     {q("Büro"), q("0,5"), q(" DUSCHE ")},
                     {},
                     {CellValue(), 0.1, q("Wandbrunnen")}});
    tally::DrawOffCatalogue catalogue = tally::DrawOffCatalogue::builtIn();
    const std::size_t builtIn = catalogue.points().size();
    EXPECT_EQ(tally::readDrawOffFile(files, q("Katalog.csv"), NumberText(QLocale(q("de_DE"))), catalogue), QString());
    ASSERT_NE(catalogue.find(q("dusche")), nullptr);
    EXPECT_EQ(catalogue.find(q("dusche"))->unitsEach, 0.5);
    EXPECT_EQ(catalogue.find(q("Wandbrunnen"))->unitsEach, 0.1);
    EXPECT_EQ(catalogue.find(q("Badewanne"))->unitsEach, 4.0);
    EXPECT_EQ(catalogue.points().size(), builtIn + 1);
}

struct BadFile {
    const char* what;
    std::vector<Row> rows;             // after the headings
    std::vector<const char*> reasons;  // each a line of the message
};

TEST(DrawOffFile, RefusesAFileWithAnyBadRowAndNamesEachOne)
{
    const BadFile cases[] = {
        {"not a number, zero, negative, missing",
         {{q(""), q("viel"), q("A")}, {q(""), 0.0, q("B")}, {q(""), -2.0, q("C")}, {q("x"), CellValue(), q("D")}},
         {"Zeile 2: BW je Stück ist keine Zahl: »viel«", "Zeile 3: BW je Stück 0: nur grösser als 0",
          "Zeile 4: BW je Stück -2: nur grösser als 0", "Zeile 5: BW je Stück fehlt"}},
        {"no name", {{q(""), 1.0, q("  ")}}, {"Zeile 2: Entnahmestelle fehlt"}},
        {"a name twice", {{q(""), 1.0, q("Spüle")}, {q(""), 2.0, q(" spüle")}},
         {"Zeile 3: Entnahmestelle »spüle« schon in Zeile 2"}},
    };
    const NumberText numbers(QLocale(q("de_DE")));
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Row> rows{headings};
        rows.insert(rows.end(), c.rows.begin(), c.rows.end());
        rows.push_back({q(""), 3.0, q("Gut")});
        tally::DrawOffCatalogue catalogue = tally::DrawOffCatalogue::builtIn();
        const QString reason = tally::readDrawOffFile(ListFiles(rows), q("/daten/Katalog.xlsx"), numbers, catalogue);
        const QStringList lines = reason.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), qsizetype(c.reasons.size() + 1)) << reason.toStdString();
        EXPECT_EQ(lines[0], q("Die Entnahmestellen in „Katalog.xlsx“ werden nicht übernommen:"));
        for (std::size_t i = 0; i < c.reasons.size(); ++i) EXPECT_EQ(lines[qsizetype(i + 1)], q(c.reasons[i]));
        EXPECT_EQ(catalogue.find(q("Gut")), nullptr);
        EXPECT_EQ(catalogue.points().size(), tally::DrawOffCatalogue::builtIn().points().size());
    }
}

}  // namespace
