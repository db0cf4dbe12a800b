#pragma once

#include "base/CellValue.h"
#include "network/UnitSums.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class NumberText;
class SectionList;
struct SectionResult;

// A section list as an installation's network: it has a column "Zuleitung"
// naming the section that feeds each one (empty: the supply after the water
// meter). Its rows are held until the list is read; loading units are summed
// towards the supply (network/UnitSums.h), and where the sections are sized
// and lose a pressure, the pressure is checked along every flow path
// (network/Pressure.h) with the optional columns "Höhe" (m), "Apparate",
// "Mindestfliessdruck" and "Versorgungsdruck" (hPa).

// A network section's pressures, hPa; none where unknown or not asked for.
struct SectionPressureValues {
    std::optional<double> staticLoss;  // Δp geo = ρ·g·Höhe
    std::optional<double> required;    // p erf.
    std::optional<double> start;       // p Anfang
    std::optional<double> reserve;     // p Anfang − p erf.
    bool onPath = false;               // on the most unfavourable flow path
};

// What a network's calculation says as a whole.
struct NetworkSummary {
    bool pressure = false;    // the sections lose a pressure
    bool withSupply = false;  // and the supply's pressure is given
    QStringList path;         // the most unfavourable flow path's sections, from the supply
    std::optional<double> required;  // the supply pressure it needs, hPa
    std::optional<double> reserve;   // what is left at its end, hPa
    QString unknown;          // why there is no path
    std::optional<double> content;  // l, of the sized sections with a length
    bool byPressure = false;  // the sizes chosen by pressure
    int enlarged = 0;         // sections larger than v max alone would have them
    bool evenLargest = false; // short of pressure even with the largest sizes

    // The lines of the summary: "Ungünstigster Fliessweg: A → B",
    // "Erforderlicher Versorgungsdruck: 2874,0 hPa", and with a supply
    // pressure "Reserve: 126,0 hPa" or "Der Versorgungsdruck reicht nicht: …";
    // "Wasserinhalt: 38,7 l" and, chosen by pressure, "Vergrössert: 4 Teilstrecken".
    QStringList lines(const NumberText& numbers) const;
    bool shortOfPressure() const { return reserve && *reserve < 0; }
};

// A list row held until the network is read.
struct NetworkRow {
    std::vector<CellValue> cells;  // taken by the calculation
    int row = 0;  // the list's row, from 1
};

class SectionNetwork {
public:
    // The result's columns before "Hinweis": "Δp geo hPa" (with "Höhe"),
    // "p erf. hPa", with a supply pressure "p Anfang hPa" and "Reserve hPa",
    // then "Fliessweg".
    QStringList resultHeadings(bool withSupply) const;

    void clear()
    {
        m_columns = {};
        m_supplyGiven = false;
    }
    bool takeHeading(const QString& heading, int column);
    bool active() const { return m_columns.feeder >= 0; }
    bool hasHeight() const { return m_columns.height >= 0; }
    // Whether a section fed by the supply has a "Versorgungsdruck" (holds anything):
    // a column left empty gives no pressure after the water meter.
    void noteSupply(const std::vector<NetworkRow>& rows);
    bool supplyGiven() const { return m_supplyGiven; }

    // Every row of the network calculated, each result handed on in the
    // rows' order; the rows' cells are taken.
    void calculate(const SectionList& list, std::vector<NetworkRow>& rows, NetworkSummary& summary,
                   const std::function<void(const SectionResult&)>& hand) const;

private:
    struct Columns {
        int feeder = -1, height = -1, apparatus = -1, minimum = -1, supply = -1;
    };
    Columns m_columns;
    bool m_supplyGiven = false;
};
