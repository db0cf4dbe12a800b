// The user's pipe series: a file is taken whole or not at all, and every bad
// row is named.
#include "fakes/ListFiles.h"
#include "pipes/PipeSeriesFile.h"

#include <gtest/gtest.h>

namespace {

using Row = std::vector<CellValue>;

QString q(const char* text) { return QString::fromUtf8(text); }

const Row headings{q("k mm"), q("Rohrserie"), q("di mm"), q("Rohr")};

TEST(PipeSeriesFile, TakesTheFilesSeriesInPlaceOfBuiltInOnes)
{
    ListFiles files({{q("Hinweis")},  // a first row without the headings is no heading row
                     headings,
                     {0.001, q("kupfer"), 13.6, q("15×0,7")},
                     {q("0,001"), q("Kupfer "), q("10,8"), q("12×0,6")},
                     {0.007, q("Press-System"), 16.0, q("20×2")}});
    pipes::PipeCatalogue catalogue = pipes::PipeCatalogue::builtIn();
    // The file's first row has none of the headings.
    EXPECT_FALSE(pipes::readPipeSeriesFile(files, q("Serien.csv"), NumberText(QLocale(q("de_DE"))), catalogue).isEmpty());

    ListFiles good({headings,
                    {0.001, q("kupfer"), 13.6, q("15×0,7")},
                    {q("0,001"), q("Kupfer "), q("10,8"), q("12×0,6")},
                    {0.007, q("Press-System"), 16.0, q("20×2")}});
    EXPECT_EQ(pipes::readPipeSeriesFile(good, q("Serien.csv"), NumberText(QLocale(q("de_DE"))), catalogue), QString());
    const pipes::PipeSeries* copper = catalogue.find(q("KUPFER"));
    ASSERT_NE(copper, nullptr);
    ASSERT_EQ(copper->sizes.size(), 2u);
    EXPECT_EQ(copper->sizes[0].label, q("12×0,6"));
    EXPECT_EQ(copper->sizes[0].innerDiameter, 10.8);
    EXPECT_EQ(copper->roughness, 0.001);
    ASSERT_NE(catalogue.find(q("press-system")), nullptr);
    EXPECT_EQ(catalogue.series().size(), 6u);
}

struct BadFile {
    const char* what;
    std::vector<Row> rows;  // after the headings
    std::vector<const char*> reasons;  // each a line of the message
};

TEST(PipeSeriesFile, RefusesAFileWithAnyBadRowAndNamesEachOne)
{
    const BadFile cases[] = {
        {"di not a number, zero, negative",
         {{0.001, q("A"), q("weit"), q("1")}, {0.001, q("A"), 0.0, q("2")}, {0.001, q("A"), -4.0, q("3")}},
         {"Zeile 2: di mm ist keine Zahl: »weit«", "Zeile 3: di mm 0: nur grösser als 0", "Zeile 4: di mm -4: nur grösser als 0"}},
        {"k not a number or negative", {{q("glatt"), q("A"), 10.0, q("1")}, {-0.1, q("A"), 11.0, q("2")}},
         {"Zeile 2: k mm ist keine Zahl: »glatt«", "Zeile 3: k mm -0,1: nur 0 oder mehr"}},
        {"two k in one series", {{0.001, q("A"), 10.0, q("1")}, {0.002, q("a"), 11.0, q("2")}},
         {"Zeile 3: Rohrserie »a« mit zweierlei k mm: 0,001 in Zeile 2, hier 0,002"}},
        {"a label twice", {{0.001, q("A"), 10.0, q("15×1")}, {0.001, q("A"), 11.0, q(" 15×1")}},
         {"Zeile 3: Rohr »15×1« in »A« schon in Zeile 2"}},
        {"no name, no label", {{0.001, q(" "), 10.0, q("1")}, {0.001, q("A"), 10.0, CellValue()}},
         {"Zeile 2: Rohrserie fehlt", "Zeile 3: Rohr fehlt"}},
    };
    const NumberText numbers(QLocale(q("de_DE")));
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Row> rows{headings};
        rows.insert(rows.end(), c.rows.begin(), c.rows.end());
        rows.push_back({0.007, q("Gut"), 16.0, q("20×2")});
        pipes::PipeCatalogue catalogue = pipes::PipeCatalogue::builtIn();
        const QString reason = pipes::readPipeSeriesFile(ListFiles(rows), q("/daten/Serien.xlsx"), numbers, catalogue);
        const QStringList lines = reason.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), qsizetype(c.reasons.size() + 1)) << reason.toStdString();
        EXPECT_EQ(lines[0], q("Die Rohrserien in „Serien.xlsx“ werden nicht übernommen:"));
        for (std::size_t i = 0; i < c.reasons.size(); ++i) EXPECT_EQ(lines[qsizetype(i + 1)], q(c.reasons[i]));
        EXPECT_EQ(catalogue.find(q("Gut")), nullptr);
        EXPECT_EQ(catalogue.series().size(), 5u);
    }
}

}  // namespace
