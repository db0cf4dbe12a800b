#pragma once

#include "base/CellValue.h"
#include "base/NumberText.h"
#include "calc/PeakFlow.h"
#include "sections/SectionCounts.h"
#include "sections/SectionNetwork.h"
#include "sections/SectionSizing.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A list of pipe sections (Teilstrecken): a heading row, then one row a
// section with its total of loading units ("BW") and its largest single
// loading unit ("Einzel BW"), optionally its name ("Teilstrecke"), in
// columns found by their headings in any order. A list may count its
// sections' draw-off points instead (SectionCounts.h): a column missing of
// the two is then given by the counts, and one that is there must agree with
// them. Each section is calculated by the rule of a "Berechnen" press
// (calc::evaluate), and sized when the list asks for it (SectionSizing.h); a
// refused one keeps its row and says why.

// One calculated section: the input's cells as read, then what the
// calculation gives.
struct SectionResult {
    int number = 0;                // of the section, from 1, in the list's order
    std::vector<CellValue> cells;  // the input's columns, one for each heading
    std::optional<SectionCounted> counted;  // of a counting list's section whose counts keep their rule
    std::optional<calc::Case> formula;  // the case that served; none when refused
    bool singlePoint = false;      // a network's section carrying one draw-off point's own flow
    double flow = 0.0;             // l/s, unrounded; 0 when refused
    std::optional<SectionSized> sizing;  // of a sized list's section with a flow
    bool sizingRefused = false;    // a sized list's section that could not be sized within its limits
    std::optional<double> total, largest;  // a network's BW and Einzel BW through the section
    SectionPressureValues pressure;  // of a network whose sections lose a pressure
    bool unknown = false;          // a network's section with a value that cannot be computed
    QString hint;                  // why the section was refused, or a note

    bool hasFlow() const { return formula || singlePoint; }
    bool accepted() const { return hasFlow() && !sizingRefused && !unknown; }
};

class SectionList {
public:
    // The result's columns after the input's (and after "BW" and "Einzel BW"
    // when the counts give them): "Formel", "l/sec", "l/min", for a sized
    // list SectionSizing::resultHeadings, then "Hinweis".
    static const QStringList resultHeadings;  // "Formel", "l/sec", "l/min"
    static const QString hintHeading;         // "Hinweis"

    // Where the list's cells come from: a workbook's cells have their types
    // (a number, a text, ...); every field of separated text is a text.
    enum class Source { Workbook, SeparatedText };

    explicit SectionList(const NumberText& numbers, const SizingOptions& sizing = noSizing())
        : m_numbers(numbers), m_options(sizing), m_sizing(sizing, numbers),
          m_counts(sizing.drawOffPoints, numbers)
    {
    }

    // Options that size nothing unless the list has a column "Rohrserie".
    static const SizingOptions& noSizing();

    // The heading row, of a file that holds `source`. Throws RuntimeError
    // naming the heading that is missing: "BW" or "Einzel BW" in a list
    // without counting columns.
    void setHeadings(const std::vector<CellValue>& cells, Source source);
    // The headings of the result: "Teilstrecke" first when the list has
    // none (its sections are then numbered), the input's, "BW" and "Einzel
    // BW" where the counts give them, then resultHeadings.
    QStringList headings() const;
    bool numbered() const { return m_name < 0; }
    bool sized() const { return m_sizing.active(); }
    bool network() const { return m_network.active(); }
    // A network whose sized sections lose a pressure (a column "Länge" or "Zeta").
    bool pressure() const { return network() && sized() && m_sizing.losesPressure(); }
    // A network whose sizes are chosen by pressure: with a supply pressure, when asked for.
    bool byPressure() const { return m_options.byPressure && withSupply(); }
    const SectionNetwork& networkColumns() const { return m_network; }
    const SectionSizing& sizing() const { return m_sizing; }
    const SizingOptions& options() const { return m_options; }

    // One row after the headings that holds anything.
    SectionResult calculate(const std::vector<CellValue>& cells);

    // For a network (SectionNetwork.cpp), the steps of calculate():
    // a result holding the row's cells (those right of the last heading
    // left out), numbered `number`;
    SectionResult startResult(std::vector<CellValue> cells, int number) const;
    // what the row gives of its own loading units ("BW" and "Einzel BW"
    // where their cells hold numbers; the counted points);
    network::OwnUnits ownUnits(const std::vector<CellValue>& cells, std::optional<SectionCounted>& counted) const;
    // the flow of the section's units by the rule (or of its one draw-off
    // point), and its sizing (in the size `chosen` where given);
    void settle(SectionResult& result, const std::vector<CellValue>& cells, double total, double largest,
                std::optional<std::size_t> chosen = std::nullopt) const;
    // the note on cells right of the last heading, of a row of `given` cells.
    void noteDropped(SectionResult& result, std::size_t given) const;
    bool counting() const { return m_counts.active(); }
    int inputColumns() const { return int(m_headings.size()); }
    // A network with pressures after the water meter: in its column "Versorgungsdruck" or one for all.
    bool withSupply() const { return pressure() && (m_network.supplyGiven() || m_options.supplyPressure); }
    // A network's rows, all read, before its headings are asked for.
    void takeNetwork(const std::vector<NetworkRow>& rows) { m_network.noteSupply(rows); }
    int nameColumn() const { return m_name; }
    int totalColumn() const { return m_total; }
    int largestColumn() const { return m_largest; }

    // An input cell of a result as a result workbook holds it: a text of
    // separated text that the list's number reading reads (fileNumber) is
    // that number, outside the name column, which stays as written like
    // every other text, and the series column; a workbook's cells stay as they are.
    CellValue workbookCell(const SectionResult& result, std::size_t column) const;

    // The values of the columns the counts or a network's sums give, after
    // the input's: its total where the list has no "BW", its largest unit
    // where it has no "Einzel BW"; none for a section whose units are unknown.
    std::vector<std::optional<double>> countedCells(const SectionResult& result) const;

    // The words of a result's formula column: "ab 300 BW", "Einzel BW 5" or empty.
    QString formulaText(const SectionResult& result) const;

    const NumberText& numbers() const { return m_numbers; }

private:
    // The number in a cell: a number cell as it is, a text by
    // NumberText::fileNumber; otherwise the reason, naming the column.
    std::optional<double> numberIn(const std::vector<CellValue>& cells, int column, const QString& heading,
                                   QString& reason) const;

    // Whether the result adds "BW" and "Einzel BW" that the input lacks.
    bool addsUnits() const { return m_counts.active() || m_network.active(); }

    const NumberText& m_numbers;
    Source m_source = Source::Workbook;
    const SizingOptions& m_options;
    SectionSizing m_sizing;
    SectionCounts m_counts;
    SectionNetwork m_network;
    QStringList m_headings;  // the input's, as written
    int m_name = -1, m_total = -1, m_largest = -1;  // columns from 0
    int m_count = 0;
};
