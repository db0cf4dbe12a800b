#pragma once

#include "base/CellValue.h"
#include "base/NumberText.h"
#include "pipes/PipeSizing.h"
#include "pipes/SizingText.h"
#include "tally/DrawOffCatalogue.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Pipe sizing of a section list: which pipe of its series each section
// needs for its peak flow, and the pressure it loses. It comes with a column
// "Rohrserie" or with a series given for the whole list; the optional columns
// "Länge" (m), "Zeta" or "Σζ", "v max" (m/s), "Temperatur" (°C) and "Rohr
// vorgegeben" (a size the section must keep: "28×1,5" or "Kupfer 28×1,5") go with it.

// What a list is calculated and sized by besides its own columns.
struct SizingOptions {
    pipes::PipeCatalogue catalogue = pipes::PipeCatalogue::builtIn();
    QString series;              // for sections without their own; empty for none
    pipes::Conditions defaults;  // v max and temperature of sections without their own
    // The draw-off points whose names head counting columns (SectionCounts.h).
    tally::DrawOffCatalogue drawOffPoints = tally::DrawOffCatalogue::builtIn();
    // The pressure after the water meter (hPa) of a network's sections fed
    // by the supply without their own "Versorgungsdruck".
    std::optional<double> supplyPressure = {};
    // A network's sizes chosen by pressure: the least water in the pipes that
    // gives every draw-off point its minimum flow pressure.
    bool byPressure = false;
};

// The sizing of one section, also when it is refused for its velocity.
struct SectionSized {
    const pipes::PipeSeries* series = nullptr;  // in the options' catalogue
    pipes::SizeFlow flow;
    double temperature = 10.0;  // °C, of the section's water
    std::optional<double> length;  // m
    bool fixed = false;             // the size the list gives in "Rohr vorgegeben"
    std::size_t byVelocity = 0;     // the size v max alone gives

    // Water in the pipe, l: π/4·di²·l; none without a length.
    std::optional<double> content() const;

    QString pipe() const { return series->sizeName(flow.size); }                   // "Kupfer 42×1,5"
    double diameter() const { return series->sizes.at(flow.size).innerDiameter; }  // mm
};

class SectionSizing {
public:
    // The result's columns after "l/min".
    static const QStringList resultHeadings;  // "Rohr", "di mm", "v m/s", "R hPa/m", "R·l hPa", "Z hPa", "Δp hPa"
    static const QString contentHeading;      // "Inhalt l", of a network
    static const QString byVelocityHeading;   // "Rohr nach v max", of a network sized by pressure

    SectionSizing(const SizingOptions& options, const NumberText& numbers) : m_options(options), m_numbers(numbers) {}

    // Forgets the columns of an earlier heading row.
    void clear() { m_columns = {}; }
    // Takes the heading of column `column` (trimmed) when it is one of
    // sizing's and not taken yet; true when it took it.
    bool takeHeading(const QString& heading, int column);
    // Whether the list is sized: it has a column "Rohrserie" or a series for all.
    bool active() const { return m_columns.series >= 0 || !m_options.series.trimmed().isEmpty(); }
    int seriesColumn() const { return m_columns.series; }
    // Whether the list gives lengths or Σζ, so that its sections lose a pressure.
    bool losesPressure() const { return m_columns.length >= 0 || m_columns.lossCoefficients >= 0; }

    // The sizing of a section with the peak flow `flow` (l/s) and these
    // cells; none with the reason in `problem` when it cannot be sized. A
    // section whose velocity stays above v max even in the largest size has
    // that size's sizing and the reason. `chosen`: the size to take in place
    // of v max's (chosen by pressure). A size the list fixes is kept, its
    // velocity above v max named in `note`.
    std::optional<SectionSized> size(const std::vector<CellValue>& cells, double flow, QString& problem, QString& note,
                                     std::optional<std::size_t> chosen = std::nullopt) const;
    // The sizes a section may take: from the smallest within v max up, or
    // the one it fixes; empty when it cannot be sized.
    std::vector<pipes::SizeFlow> sizesAllowed(const std::vector<CellValue>& cells, double flow) const;

private:
    struct Columns {
        int series = -1, length = -1, lossCoefficients = -1, maximumVelocity = -1, temperature = -1, fixed = -1;
    };
    // The series, the conditions and the fixed size of a row; none with the problems.
    struct Row {
        const pipes::PipeSeries* series = nullptr;
        pipes::Conditions conditions;
        std::optional<std::size_t> fixed;
    };
    std::optional<Row> readRow(const std::vector<CellValue>& cells, QString& problem) const;
    // The value of a column: none when the column is missing or its cell
    // holds nothing, otherwise the number, or none with a problem added.
    std::optional<double> value(const std::vector<CellValue>& cells, int column, pipes::Value which,
                                QStringList& problems) const;

    // The series of a name as written; the last one is kept, since a list's
    // sections mostly repeat the series of the one before.
    const pipes::PipeSeries* seriesNamed(const QString& name) const;

    const SizingOptions& m_options;
    const NumberText& m_numbers;
    Columns m_columns;
    mutable QString m_lastName;
    mutable const pipes::PipeSeries* m_lastSeries = nullptr;
};
