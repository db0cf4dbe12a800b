// Sized section lists: the pipe and losses of every section, and every reason
// a section cannot be sized. Expected values from python3-iapws and fluids'
// Colebrook (fixtures/make_sizing.py), rounded as the patterns round.
#include "fakes/ListFiles.h"
#include "base/CellText.h"
#include "pipes/SizingText.h"
#include "sections/SectionRun.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace {

using Row = std::vector<CellValue>;

QString q(const char* text) { return QString::fromUtf8(text); }

QStringList printed(const ListFiles& files, const SizingOptions& sizing, SectionCount& count)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    count = printSectionResults(files, q("liste.xlsx"), NumberText(QLocale(q("de_DE"))), out, sizing);
    return QString::fromUtf8(out.data()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

struct Sized {
    Row cells;          // Teilstrecke, BW, Einzel BW, Rohrserie, Länge, Zeta, v max, Temperatur
    const char* line;   // printed from "Rohr" on, in de_DE
};

const Row headings{q("Teilstrecke"), q("BW"), q("Einzel BW"), q("Rohrserie"), q("Länge"), q("Σζ"), q("V MAX"), q("Temperatur")};

TEST(SectionSizing, SizesEverySectionOrSaysWhyNot)
{
    const CellValue none;
    const Sized sections[] = {
        {{q("A"), 250.0, 5.0, q("Kupfer"), 12.0, q("4,5"), none, none}, "Kupfer 42×1,5\t39,0\t1,36\t5,2\t62,9\t41,8\t104,8\t"},
        {{q("B"), 250.0, 5.0, q("kupfer"), 12.0, 4.5, none, 60.0}, "Kupfer 42×1,5\t39,0\t1,36\t4,2\t50,0\t41,1\t91,2\t"},
        {{q("C"), 12.5, 4.0, q("Mehrschichtverbund"), 6.0, 3.0, none, none}, "Mehrschichtverbund 26×3\t20,0\t1,88\t21,6\t129,9\t52,7\t182,6\t"},
        {{q("D"), 300.0, 7.0, q("Stahl verzinkt"), 20.0, none, none, none}, "Stahl verzinkt DN 32\t36,0\t1,66\t11,9\t237,4\t\t237,4\t"},
        {{q("E"), 2.0, 2.0, q("PE-X"), q("2,5"), 1.5, none, q("60")}, "PE-X 16×2,2\t11,6\t1,89\t35,1\t87,7\t26,3\t114,1\t"},
        {{q("F"), 45000.0, 8.0, q("Edelstahl"), none, none, 2.0, none},
         "Edelstahl 108×2\t104,0\t3,69\t9,6\t\t\t\tv 3,69 m/s über v max 2,0 m/s auch in 108×2"},
        {{q("G"), 250.0, 5.0, q("Kupfer"), none, none, q("1,25"), none}, "Kupfer 54×2\t50,0\t0,83\t1,6\t\t\t\t"},
        {{q("H"), 250.0, 5.0, q("Blei"), none, none, none, none}, "\t\t\t\t\t\t\tRohrserie »Blei« unbekannt"},
        {{q("I"), 250.0, 5.0, none, none, none, none, none}, "\t\t\t\t\t\t\tRohrserie fehlt"},
        {{q("J"), 250.0, 5.0, q("Kupfer"), q("zwölf"), -1.0, 0.0, 95.0},
         "\t\t\t\t\t\t\tLänge ist keine Zahl: »zwölf«; Σζ -1: nur 0 bis 10000; v max 0 m/s: nur grösser als 0; "
         "Temperatur 95 °C: nur 5 bis 90 °C"},
        {{q("K"), 250.0, 5.0, q("Kupfer"), q("nan"), q("inf"), none, 4.5}, 
         "\t\t\t\t\t\t\tLänge ist keine Zahl: »nan«; Σζ ist keine Zahl: »inf«; Temperatur 4,5 °C: nur 5 bis 90 °C"},
        {{q("L"), 250.0, 5.0, q("Kupfer"), 1e308, 1e300, none, none},
         "\t\t\t\t\t\t\tLänge 1E+308 m: nur 0 bis 100000 m; Σζ 1E+300: nur 0 bis 10000"},
        // The flow refused: nothing to size, the calculation's reason alone.
        {{q("M"), 100.0, 7.0, q("Kupfer"), 3.0, none, none, none}, "\t\t\t\t\t\t\tgrösster Einzel BW 7: nur 2, 3, 4, 5 oder 8 unter 300 BW"},
    };
    std::vector<Row> rows{headings};
    for (const Sized& s : sections) rows.push_back(s.cells);
    SectionCount count;
    const QStringList lines = printed(ListFiles(rows), SizingOptions{}, count);
    ASSERT_EQ(lines.size(), qsizetype(std::size(sections) + 1));
    EXPECT_EQ(lines[0], q("Teilstrecke\tBW\tEinzel BW\tRohrserie\tLänge\tΣζ\tV MAX\tTemperatur\tFormel\tl/sec\tl/min\t"
                          "Rohr\tdi mm\tv m/s\tR hPa/m\tR·l hPa\tZ hPa\tΔp hPa\tHinweis"));
    for (std::size_t i = 0; i < std::size(sections); ++i)
        EXPECT_EQ(lines[qsizetype(i) + 1].section(QLatin1Char('\t'), 11), q(sections[i].line)) << "section " << i + 1;
    // Flows stay with a section that cannot be sized.
    EXPECT_EQ(lines[8].section(QLatin1Char('\t'), 8, 10), q("Einzel BW 5\t1,63\t97,7"));
    EXPECT_EQ(count.calculated, 6);
    EXPECT_EQ(count.refused, 7);
}

TEST(SectionSizing, SeriesAndDefaultsForTheWholeListAndNumberCellsInAWorkbook)
{
    ListFiles files({{q("Teilstrecke"), q("BW"), q("Einzel BW"), q("Länge")}, {q("A"), 2.0, 2.0, 2.5}});
    SizingOptions options;
    options.series = q("pe-x");
    options.defaults.temperature = 60;
    QTemporaryDir dir;
    const SectionCount count = writeSectionResults(files, dir.filePath(q("liste.xlsx")), dir.filePath(q("ergebnis.xlsx")),
                                                   NumberText(QLocale::c()), options);
    EXPECT_EQ(count.calculated, 1);
    ASSERT_EQ(files.written.size(), 2u);
    const std::vector<WrittenCell>& cells = files.written[1];
    // Teilstrecke, BW, Einzel BW, Länge, Formel, l/sec, l/min, Rohr, di, v, R, R·l; no Z, no Δp beyond R·l's.
    ASSERT_EQ(cells.size(), 13u);
    EXPECT_EQ(std::get<QString>(cells[7].value), q("PE-X 16×2,2"));
    EXPECT_EQ(std::get<double>(cells[8].value), 11.6);
    EXPECT_EQ(cells[8].numberFormat, q("0.0"));
    // The fixture's "2/2 PE-X warm" with Q rounded to 0.199765 l/s, hence the tolerances.
    EXPECT_NEAR(std::get<double>(cells[9].value), 1.8902251609246419, 1e-5);
    EXPECT_EQ(cells[9].numberFormat, q("0.00"));
    EXPECT_NEAR(std::get<double>(cells[10].value), 35.08472377892342, 35e-4);
    EXPECT_EQ(cells[10].numberFormat, q("0.0"));
    EXPECT_NEAR(std::get<double>(cells[11].value), 87.71180944730855, 87e-4);
    EXPECT_EQ(cells[11].col, 12);
    EXPECT_EQ(cells[12].col, 14);  // Z (13) empty; Δp = R·l
    EXPECT_NEAR(std::get<double>(cells[12].value), 87.71180944730855, 87e-4);
}

}  // namespace

namespace {

// Every bound of the values a sizing and a network's pressure go by, and the
// next double beyond it, as the user types them (the command line and the
// sizing dialog read texts, a list's cells numbers or texts): the bound is
// taken, the next value refused, in both locales.
TEST(SizingValues, BoundsHoldWhereTheyAreTyped)
{
    using pipes::Value;
    struct Bound {
        Value value;
        double at;      // taken
        double toward;  // the direction of the next double, refused
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Bound bounds[] = {
        {Value::Temperature, 5, -inf},     {Value::Temperature, 90, inf},
        {Value::Length, 0, -inf},          {Value::Length, 100000, inf},
        {Value::LossCoefficients, 0, -inf}, {Value::LossCoefficients, 10000, inf},
        {Value::MaximumVelocity, std::numeric_limits<double>::denorm_min(), -inf},
        {Value::Height, -1000, -inf},      {Value::Height, 1000, inf},
        {Value::Apparatus, 0, -inf},       {Value::MinimumFlowPressure, 100000, inf},
        {Value::SupplyPressure, 0, -inf},  {Value::SupplyPressure, 100000, inf},
    };
    for (const char* locale : {"C", "de_DE"}) {
        const NumberText numbers{QLocale(q(locale))};
        for (const Bound& b : bounds) {
            const double beyond = std::nextafter(b.at, b.toward);
            SCOPED_TRACE(pipes::valueName(b.value).toStdString() + " " + numbers.exact(b.at).toStdString() + " " + locale);
            QString problem;
            EXPECT_EQ(pipes::readValue(b.value, numbers.exact(b.at), numbers, problem), b.at);
            EXPECT_EQ(problem, QString());
            EXPECT_FALSE(pipes::readValue(b.value, numbers.plain(beyond), numbers, problem));
            EXPECT_TRUE(problem.startsWith(pipes::valueName(b.value))) << problem.toStdString();
        }
    }
    // A list's cells: the sizing's own values on a sized list, as numbers and as texts.
    const NumberText german{QLocale(q("de_DE"))};
    for (const Bound& b : bounds) {
        const int column = b.value == Value::Temperature ? 7 : b.value == Value::Length ? 4
                           : b.value == Value::LossCoefficients ? 5 : b.value == Value::MaximumVelocity ? 6 : -1;
        if (column < 0) continue;
        for (const CellValue& cell : {CellValue(b.at), CellValue(german.exact(b.at)), CellValue(std::nextafter(b.at, b.toward))}) {
            Row row{q("A"), 250.0, 5.0, q("Kupfer"), 1.0, 1.0, 2.0, 10.0};
            row[std::size_t(column)] = cell;
            SectionCount count;
            const QString hint = printed(ListFiles({headings, row}), SectionList::noSizing(), count).at(1).section(QLatin1Char('\t'), -1);
            const bool beyond = std::holds_alternative<double>(cell) && std::get<double>(cell) != b.at;
            EXPECT_EQ(hint.startsWith(pipes::valueName(b.value) + QLatin1Char(' ')), beyond)
                << cellText(cell, german).toStdString() << ": " << hint.toStdString();
        }
    }
}

}  // namespace
