// Section lists that count draw-off points: totals and largest units worked
// out by hand, flows by python3's decimal module from the formulas
// (fixtures/make_sections.py), every reason a section's counts refuse it.
#include "fakes/ListFiles.h"
#include "sections/SectionRun.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

using Row = std::vector<CellValue>;

QString q(const char* text) { return QString::fromUtf8(text); }

struct Counted {
    Row cells;
    const char* tail;  // printed after the input's columns, in de_DE
};

struct CountingList {
    const char* what;
    Row headings;
    const char* heading;  // the result's heading line
    std::vector<Counted> sections;
};

TEST(SectionCounts, TotalsAndLargestUnitsFromCountsOrWhyNot)
{
    const CellValue none;
    // A user's catalogue: a washbasin of 0,5 in place of the built-in 1, a wall fountain of 0,1.
    SizingOptions options;
    options.drawOffPoints.put({q("waschtisch "), 0.5});
    options.drawOffPoints.put({q("Wandbrunnen"), 0.1});
    const CountingList lists[] = {
        {"counts alone",
         {q("Teilstrecke"), q("WASCHTISCH"), q("Dusche"), q(" Badewanne"), q("Wandbrunnen"), q("Bemerkung")},
         "Teilstrecke\tWASCHTISCH\tDusche\t Badewanne\tWandbrunnen\tBemerkung\tBW\tEinzel BW\tFormel\tl/sec\tl/min\tHinweis",
         {
             // 6 × 0,5 + 4 × 2 + 2 × 4 = 19
             {{q("A"), 6.0, 4.0, 2.0, none, none}, "19\t4\tEinzel BW 4\t0,68\t40,6\t"},
             // 3 × 0,1 is 0,3, not 0,30000000000000004
             {{q("B"), 0.0, 0.0, 0.0, 3.0, none},
              "0,3\t0,1\t\t\t\tgrösster Einzel BW 0,1: nur 2, 3, 4, 5 oder 8 unter 300 BW"},
             // one bathtub beside counts of 0: its 4 is the largest
             {{q("C"), q("0"), q("3"), q("1"), q(""), none}, "10\t4\tEinzel BW 4\t0,55\t32,8\t"},
             // 2 × 0,5 + 3 × 2 + 1 × 4 + 3 × 0,1 = 11,3
             {{q("D"), 2.0, 3.0, 1.0, 3.0, q("Bad")}, "11,3\t4\tEinzel BW 4\t0,57\t34,2\t"},
             // 150 × 2 + 25 × 0,1 = 302,5: ab 300
             {{q("E"), none, 150.0, none, q("25"), none}, "302,5\t2\tab 300 BW\t1,70\t102,0\t"},
             {{q("F"), q("1,5"), -1.0, q("zwei"), none, none},
              "\t\t\t\t\tWASCHTISCH muss eine ganze Zahl ab 0 sein: »1,5«; Dusche muss eine ganze Zahl ab 0 sein: »-1«; "
              "Badewanne ist keine Zahl: »zwei«"},
             {{q("G"), 0.0, none, q("0"), none, q("nur Leitung")}, "\t\t\t\t\tkeine Entnahmestellen"},
         }},
        {"counts beside stated units",
         {q("Teilstrecke"), q("BW"), q("Einzel BW"), q("Dusche"), q("Badewanne")},
         "Teilstrecke\tBW\tEinzel BW\tDusche\tBadewanne\tFormel\tl/sec\tl/min\tHinweis",
         {
             // 1 × 2 + 2 × 4 = 10 with 4 as the largest
             {{q("H"), 10.0, 4.0, 1.0, 2.0}, "Einzel BW 4\t0,55\t32,8\t"},
             {{q("I"), 12.0, 4.0, 1.0, 2.0}, "\t\t\tBW 12 laut Spalte, 10 aus den Entnahmestellen"},
             {{q("J"), q("10"), 2.0, 1.0, 2.0}, "\t\t\tEinzel BW 2 laut Spalte, 4 aus den Entnahmestellen"},
             {{q("K"), 12.5, 8.0, 1.0, 2.0},
              "\t\t\tBW 12,5 laut Spalte, 10 aus den Entnahmestellen; Einzel BW 8 laut Spalte, 4 aus den Entnahmestellen"},
             {{q("L"), 10.0, 4.0, 0.0, none}, "\t\t\tkeine Entnahmestellen"},
         }},
    };
    for (const CountingList& list : lists) {
        SCOPED_TRACE(list.what);
        std::vector<Row> rows{list.headings};
        for (const Counted& c : list.sections) rows.push_back(c.cells);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const SectionCount count =
            printSectionResults(ListFiles(rows), q("liste.csv"), NumberText(QLocale(q("de_DE"))), out, options);
        const QStringList lines = QString::fromUtf8(out.data()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), qsizetype(list.sections.size() + 1));
        EXPECT_EQ(lines[0], q(list.heading));
        int calculated = 0;
        for (std::size_t i = 0; i < list.sections.size(); ++i) {
            const QString tail = q(list.sections[i].tail);
            EXPECT_EQ(lines[qsizetype(i) + 1].section(QLatin1Char('\t'), int(list.headings.size())), tail) << "section " << i + 1;
            calculated += tail.endsWith(QLatin1Char('\t')) ? 1 : 0;
        }
        EXPECT_EQ(count.calculated, calculated);
    }
}

TEST(SectionCounts, AListWithoutUnitsOrCountsStillNamesTheMissingColumns)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    // "Urinal" is no name of the catalogue ("Urinal-Druckspüler" is).
    ListFiles files({{q("Teilstrecke"), q("Urinal"), q("Einzel BW")}, {q("A"), 2.0, 2.0}});
    try {
        printSectionResults(files, q("liste.csv"), NumberText(QLocale(q("de_DE"))), out);
        FAIL() << "the list was taken";
    } catch (const ListError& error) {
        EXPECT_EQ(q(error.what()), q("Der Liste der Teilstrecken fehlt die Spalte „BW“ (gesucht in der ersten Zeile)."));
    }
}

}  // namespace
