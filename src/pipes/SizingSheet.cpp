#include "pipes/SizingSheet.h"

#include "base/CalculationText.h"
#include "base/CellValue.h"
#include "pipes/SizingText.h"

#include <QStringList>

namespace pipes {

QString SizingSheet::problemText() const
{
    QStringList all;
    for (const QString& problem : problems)
        if (!problem.isEmpty()) all << problem;
    return all.join(QStringLiteral("; "));
}

Conditions readConditions(const SizingTexts& texts, const NumberText& numbers, std::array<QString, 5>& problems)
{
    Conditions c;
    if (auto v = readValue(Value::MaximumVelocity, texts.maximumVelocity, numbers, problems[SizingSheet::MaximumVelocity]))
        c.maximumVelocity = *v;
    c.length = readValue(Value::Length, texts.length, numbers, problems[SizingSheet::Length]);
    c.lossCoefficients = readValue(Value::LossCoefficients, texts.lossCoefficients, numbers, problems[SizingSheet::LossCoefficients]);
    if (auto t = readValue(Value::Temperature, texts.temperature, numbers, problems[SizingSheet::Temperature]))
        c.temperature = *t;
    return c;
}

SizingSheet sizingSheet(double flow, const PipeCatalogue& catalogue, const SizingTexts& texts, const NumberText& numbers)
{
    SizingSheet sheet;
    if (holdsNothing(texts.series)) sheet.problems[SizingSheet::Series] = calculationText::missing(QStringLiteral("Rohrserie"));
    else if (!(sheet.series = catalogue.find(texts.series))) sheet.problems[SizingSheet::Series] = unknownSeries(texts.series);
    sheet.conditions = readConditions(texts, numbers, sheet.problems);
    const Conditions& c = sheet.conditions;
    if (!sheet.problemText().isEmpty() || !sheet.series || sheet.series->sizes.empty()) return sheet;

    const SizeFlow chosen = chooseSize(*sheet.series, flow, c);
    if (const QString unfit = unrepresentable(chosen); !unfit.isEmpty()) {
        sheet.problems[SizingSheet::Series] = unfit;
        return sheet;
    }
    sheet.recommended = chosen.size;
    for (std::size_t size = 0; size < sheet.series->sizes.size(); ++size) {
        const SizeFlow f = flowIn(*sheet.series, size, flow, c);
        sheet.rows.push_back({sheet.series->sizes[size].label, numbers.format(sheet.series->sizes[size].innerDiameter, diameterPattern),
                              numbers.format(f.velocity, velocityPattern), numbers.format(f.gradient, lossPattern),
                              f.pressureLoss ? numbers.format(*f.pressureLoss, lossPattern) : QString(), f.withinLimit});
    }
    return sheet;
}

QString chosenLine(const SizingSheet& sheet, std::size_t size, double flow, const NumberText& numbers)
{
    if (!sheet.valid()) return sheet.problemText();
    const SizeFlow f = flowIn(*sheet.series, size, flow, sheet.conditions);
    QString line = QStringLiteral("Gewählt: ") + sizingWords(*sheet.series, f, numbers).join(QStringLiteral(", "));
    if (!f.withinLimit) {
        // The largest size of all still too fast is the rule's own finding; a smaller one is the user's.
        line += size + 1 == sheet.series->sizes.size()
                    ? QStringLiteral(" – ") + beyondLimit(*sheet.series, f, sheet.conditions, numbers)
                    : QStringLiteral(" – über v max");
    }
    return line;
}

}  // namespace pipes
