#pragma once

#include "base/NumberText.h"
#include "pipes/PipeSizing.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// What the sizing dialog shows for a peak flow and the texts of its boxes:
// every size of the chosen series with its velocity and losses, the size the
// rule chooses, and what is wrong with a box. The dialog itself only shows it.
namespace pipes {

// The dialog's boxes as the user typed them; an empty value box takes the
// default (v max 2 m/s, 10 °C) or, for the length and Σζ, none.
struct SizingTexts {
    QString series;
    QString maximumVelocity;
    QString length;
    QString lossCoefficients;
    QString temperature;
};

// A size chosen for a result: the series by name, the size in it, and what it was sized by.
struct SizingChoice {
    QString series;
    std::size_t size = 0;
    Conditions conditions;
};

struct SizingSheet {
    enum Box { Series, MaximumVelocity, Length, LossCoefficients, Temperature, BoxCount };
    struct Row {
        QString pipe, diameter, velocity, gradient, pressureLoss;  // as shown; the loss empty without l and Σζ
        bool withinLimit;
    };

    const PipeSeries* series = nullptr;  // none for an unknown name
    Conditions conditions;
    std::array<QString, BoxCount> problems;  // why each box cannot serve; empty where it can
    std::vector<Row> rows;                   // empty while a box cannot serve
    std::size_t recommended = 0;             // the rule's size: the smallest within v max, else the largest

    bool valid() const { return !rows.empty(); }
    // Every problem, in the order of the boxes, joined by "; ".
    QString problemText() const;
};

// The conditions the boxes' texts give (defaults for empty ones), by the one
// rule of pipes::readValue; why a box cannot serve in `problems`, by SizingSheet::Box.
Conditions readConditions(const SizingTexts& texts, const NumberText& numbers, std::array<QString, 5>& problems);

SizingSheet sizingSheet(double flow, const PipeCatalogue& catalogue, const SizingTexts& texts, const NumberText& numbers);

// The line below the dialog's table: "Gewählt: Kupfer 42×1,5, di 39,0 mm, v 1,36 m/s, R 5,2 hPa/m",
// with ", Δp 104,8 hPa" with a length or Σζ, and the reason when v stays above v max.
QString chosenLine(const SizingSheet& sheet, std::size_t size, double flow, const NumberText& numbers);

}  // namespace pipes
