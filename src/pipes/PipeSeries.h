#pragma once

#include <QString>

#include <vector>

// Pipe series: the sizes a pipe system comes in, each with its label and
// inner diameter, and the one wall roughness of the series' material.
namespace pipes {

struct PipeSize {
    QString label;         // as the trade writes it: "42×1,5", "DN 32"
    double innerDiameter;  // di, mm
};

struct PipeSeries {
    QString name;        // "Kupfer"
    double roughness;    // k, mm
    std::vector<PipeSize> sizes;  // by inner diameter, smallest first

    // The series and the size's label: "Kupfer 42×1,5".
    QString sizeName(std::size_t size) const { return name + QLatin1Char(' ') + sizes.at(size).label; }
};

// The series the program knows: the built-in ones, and those of a user's
// file, which replace built-in ones of the same name.
class PipeCatalogue {
public:
    // Copper (EN 1057), stainless steel (EN 10312, series 2), galvanised
    // steel (EN 10255, medium), PE-X (SDR 7,4) and multilayer pipes.
    static PipeCatalogue builtIn();

    // The series named so, letter case and blanks around it aside; null when none is.
    const PipeSeries* find(const QString& name) const;

    // Adds a series, in place of one of the same name; its sizes are put in
    // order of their inner diameters.
    void put(PipeSeries series);

    const std::vector<PipeSeries>& series() const { return m_series; }

private:
    std::vector<PipeSeries> m_series;
};

}  // namespace pipes
