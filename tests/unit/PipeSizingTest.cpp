// Pipe sizing against values computed outside the program: water from
// IAPWS-95, friction from fluids' Colebrook solution (fixtures/make_sizing.py).
#include "pipes/PipeSizing.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Expected {
    QString name;
    double flow;
    QString series;
    pipes::Conditions conditions;
    QString label;
    double diameter, velocity, reynolds, friction, gradient;
    std::optional<double> frictionLoss, fittingsLoss, pressureLoss;
    bool withinLimit;
};

std::optional<double> optional(const QString& field)
{
    return field.isEmpty() ? std::nullopt : std::optional<double>(field.toDouble());
}

std::vector<Expected> expectedCases()
{
    QFile file(QStringLiteral(GIPFELFLUSS_FIXTURES "/sizing-expected.tsv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<Expected> cases;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('#'))) continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        EXPECT_EQ(f.size(), 17) << line.toStdString();
        if (f.size() != 17) continue;
        pipes::Conditions c{f[3].toDouble(), f[4].toDouble(), optional(f[5]), optional(f[6])};
        cases.push_back({f[0], f[1].toDouble(), f[2], c, f[7], f[8].toDouble(), f[9].toDouble(), f[10].toDouble(),
                         f[11].toDouble(), f[12].toDouble(), optional(f[13]), optional(f[14]), optional(f[15]),
                         f[16] == QLatin1String("1")});
    }
    return cases;
}

// Relative: the water table's interpolation is within 2e-4 of IAPWS-95 between
// whole degrees, far less at them; what reaches R is a quarter of that.
void expectNear(std::optional<double> actual, std::optional<double> expected, double tolerance, const char* what)
{
    ASSERT_EQ(actual.has_value(), expected.has_value()) << what;
    if (expected) EXPECT_NEAR(*actual, *expected, tolerance * std::abs(*expected)) << what;
}

TEST(PipeSizing, ChoosesTheSizeAndLossesOfEveryCaseAsOutsideSourcesGiveThem)
{
    const pipes::PipeCatalogue catalogue = pipes::PipeCatalogue::builtIn();
    const std::vector<Expected> cases = expectedCases();
    ASSERT_GE(cases.size(), 35u);
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.name.toStdString());
        const pipes::PipeSeries* series = catalogue.find(e.series);
        ASSERT_NE(series, nullptr);
        const pipes::SizeFlow f = pipes::chooseSize(*series, e.flow, e.conditions);
        EXPECT_EQ(series->sizes[f.size].label, e.label);
        EXPECT_EQ(series->sizes[f.size].innerDiameter, e.diameter);
        EXPECT_EQ(f.withinLimit, e.withinLimit);
        expectNear(f.velocity, e.velocity, 1e-12, "v");
        expectNear(f.reynolds, e.reynolds, 2e-4, "Re");
        expectNear(f.friction, e.friction, 1e-4, "λ");
        expectNear(f.gradient, e.gradient, 1e-4, "R");
        expectNear(f.frictionLoss, e.frictionLoss, 1e-4, "R·l");
        expectNear(f.fittingsLoss, e.fittingsLoss, 1e-5, "Z");
        expectNear(f.pressureLoss, e.pressureLoss, 1e-4, "Δp");
    }
}

TEST(PipeSizing, SeriesAreFoundByNameInAnyLetterCaseAndReplacedByTheUsers)
{
    pipes::PipeCatalogue catalogue = pipes::PipeCatalogue::builtIn();
    ASSERT_NE(catalogue.find(QStringLiteral(" stahl VERZINKT ")), nullptr);
    EXPECT_EQ(catalogue.find(QStringLiteral("Blei")), nullptr);
    // A manufacturer's thinner walls: 15×1 is then 13.6 mm inside, and the
    // sizes come in order of their diameters whatever the file's order.
    catalogue.put({QStringLiteral("kupfer"), 0.001, {{QStringLiteral("18×0,8"), 16.4}, {QStringLiteral("15×0,7"), 13.6}}});
    const pipes::PipeSeries* copper = catalogue.find(QStringLiteral("Kupfer"));
    ASSERT_NE(copper, nullptr);
    ASSERT_EQ(copper->sizes.size(), 2u);
    EXPECT_EQ(copper->sizes[0].label, QStringLiteral("15×0,7"));
    EXPECT_EQ(catalogue.series().size(), 5u);
}

}  // namespace
