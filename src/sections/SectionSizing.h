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
// "Länge" (m), "Zeta" or "Σζ", "v max" (m/s) and "Temperatur" (°C) go with it.

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
};

// The sizing of one section, also when it is refused for its velocity.
struct SectionSized {
    const pipes::PipeSeries* series = nullptr;  // in the options' catalogue
    pipes::SizeFlow flow;
    double temperature = 10.0;  // °C, of the section's water

    QString pipe() const { return series->sizeName(flow.size); }                   // "Kupfer 42×1,5"
    double diameter() const { return series->sizes.at(flow.size).innerDiameter; }  // mm
};

class SectionSizing {
public:
    // The result's columns after "l/min".
    static const QStringList resultHeadings;  // "Rohr", "di mm", "v m/s", "R hPa/m", "R·l hPa", "Z hPa", "Δp hPa"

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
    // that size's sizing and the reason.
    std::optional<SectionSized> size(const std::vector<CellValue>& cells, double flow, QString& problem) const;

private:
    struct Columns {
        int series = -1, length = -1, lossCoefficients = -1, maximumVelocity = -1, temperature = -1;
    };
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
