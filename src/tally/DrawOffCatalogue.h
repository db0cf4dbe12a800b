#pragma once

#include <QString>

#include <optional>
#include <vector>

// The draw-off points the program knows by name, each with the loading units
// (BW) of one such point and the minimum flow pressure it needs: the built-in
// ones, and those of a user's file, which replace built-in ones of the same name.
namespace tally {

struct DrawOffPoint {
    QString name;      // "Dusche"
    double unitsEach;  // BW je Stück, greater than 0
    std::optional<double> minimumFlowPressure = {};  // hPa; none where the catalogue gives none
};

class DrawOffCatalogue {
public:
    // The draw-off points of EN 806-3, table 2, under their German names,
    // with DIN 1988-300's minimum flow pressures.
    static DrawOffCatalogue builtIn();

    // The point named so, letter case and blanks around it aside; null when none is.
    const DrawOffPoint* find(const QString& name) const;

    // Adds a point, in place of one of the same name.
    void put(DrawOffPoint point);

    const std::vector<DrawOffPoint>& points() const { return m_points; }

private:
    std::vector<DrawOffPoint> m_points;
};

}  // namespace tally
