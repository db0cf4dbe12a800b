#pragma once

#include "calc/PeakFlow.h"
#include "tally/TallyRow.h"

#include <QString>

#include <optional>
#include <vector>

class NumberText;

// "Belastungswerte zusammenzählen": the loading units of a pipe section's
// draw-off points, added up exactly, the largest single loading unit, and
// which formula a calculation with the two will take. Numbers are read and
// written by the given NumberText (the user's locale).
namespace tally {

// What one row counts, and why it counts nothing.
struct RowCheck {
    bool blank = true;       // nothing but blanks in all three cells: breaks no rule, counts nothing
    QString unitsEachFault;  // why "BW je Stück" breaks its rule; empty when it keeps it
    QString countFault;      // why "Anzahl" breaks its rule, or their product is too large
    double unitsEach = 0;    // as read, when the row counts
    double count = 0;
    double units = 0;        // unitsEach × count, the double nearest to the exact product
    QString unitsText;       // column "BW"; empty unless the row counts

    bool valid() const { return unitsEachFault.isEmpty() && countFault.isEmpty(); }
    bool counts() const { return !blank && valid(); }
};

struct Summary {
    std::vector<RowCheck> rows;     // one for each row given
    bool valid = true;              // no cell breaks its rule, and the total is a number
    double total = 0;               // loading units of the rows that count, added exactly
    std::optional<double> largest;  // the largest "BW je Stück" of the rows with "Anzahl" at least 1
    QString totalText;              // for "Total Belastungswerte": NumberText::exact
    QString largestText;            // for "Grösster Einzel BW"; empty without a largest unit
    calc::Outcome outcome;          // of total and largest, when both are there
    // The one line below the table: the formula the calculation will take,
    // or why it will refuse the two numbers, or which cell breaks its rule.
    QString verdict;

    // Whether the two numbers can go into the window's input boxes.
    bool transferable() const { return valid && largest.has_value(); }
};

Summary summarize(const std::vector<Row>& rows, const NumberText& numbers);

// A row that holds nothing (holdsNothing of each of its texts): kept by no one, checked against no rule.
bool isEmpty(const Row& row);

}  // namespace tally
