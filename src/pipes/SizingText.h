#pragma once

#include "base/NumberText.h"
#include "pipes/PipeSizing.h"

#include <QString>
#include <QStringList>

#include <optional>

// The words and number texts of pipe sizing, the same in the sizing dialog,
// in section lists and on the command line, and the one rule for which
// values a sizing takes.
namespace pipes {

// The values a sizing goes by besides the flow, and those of the pressure
// along a network's sections.
enum class Value {
    Length,
    LossCoefficients,
    MaximumVelocity,
    Temperature,
    Height,               // the rise from a section's start to its end, m
    Apparatus,            // pressure loss of apparatus at peak flow, hPa
    MinimumFlowPressure,  // needed at a section's end, hPa
    SupplyPressure,       // after the water meter at peak flow, hPa
};

// "Länge", "Σζ", "v max", "Temperatur", "Höhe", "Apparate",
// "Mindestfliessdruck", "Versorgungsdruck".
QString valueName(Value value);

// Why `number` cannot serve as the value, e.g. "Temperatur 95 °C: nur 5 bis
// 90 °C"; empty when it can. A length is 0 to 100,000 m and Σζ 0 to 10,000,
// bounds far beyond any building that keep every loss finite; v max is above 0.
// A height is -1000 to 1000 m, the pressures 0 to 100,000 hPa (100 bar).
QString valueProblem(Value value, double number, const NumberText& numbers);

// A value as the user typed it, read by the locale's rules: none for an
// empty text (the value is not given), otherwise the number, or none with
// `problem` set when it is no number or valueProblem refuses it.
std::optional<double> readValue(Value value, const QString& text, const NumberText& numbers, QString& problem);

// v max as the user thinks of it: "2,0", but "1,75" where one decimal would
// round it, and "1e-300" for what no decimals would show.
QString limitText(double limit, const NumberText& numbers);

// "Rohrserie »Blei« unbekannt".
QString unknownSeries(const QString& name);

// The size's velocity beyond v max even in the series' largest size:
// "v 3,69 m/s über v max 2,0 m/s auch in 108×2".
QString beyondLimit(const PipeSeries& series, const SizeFlow& flow, const Conditions& conditions,
                    const NumberText& numbers);

// Why the values of a sizing are not to be shown: any of them not finite
// (a flow too large for numbers); empty otherwise.
QString unrepresentable(const SizeFlow& flow);

// The number patterns of the values: di and the losses "0.0", v "0.00".
inline constexpr NumberText::Pattern diameterPattern = NumberText::Pattern::OneDecimal;
inline constexpr NumberText::Pattern velocityPattern = NumberText::Pattern::TwoDecimals;
inline constexpr NumberText::Pattern lossPattern = NumberText::Pattern::OneDecimal;

// The chosen size in words: "Kupfer 42×1,5", "di 39,0 mm", "v 1,36 m/s",
// "R 5,2 hPa/m", and "Δp 104,8 hPa" with a length or Σζ.
QStringList sizingWords(const PipeSeries& series, const SizeFlow& flow, const NumberText& numbers);

}  // namespace pipes
