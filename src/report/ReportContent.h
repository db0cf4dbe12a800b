#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <vector>

// What the calculation report says besides the chart, put together by the
// window's controller from its state, the program's formula constants and the
// results table. All numbers are already texts in the user's locale.
struct ReportContent {
    struct Formula {
        QString name;          // e.g. "Grösster Einzel BW 5"
        QString a;             // multiplier of log10 BW
        QString b;             // addend
        QString minimumTotal;  // loading units from which the formula applies
    };
    struct Cell {
        QString text;
        bool number = false;  // set in the report right-aligned
    };

    QLocale locale;              // paper size and the texts below
    QString created;             // date and time the report was made
    QStringList operatingPoint;  // lines about the result marked in the chart; empty when none is marked
    // "Ermittlung der Belastungswerte": the header row, the tally's rows
    // (Entnahmestelle, BW je Stück, Anzahl, BW) and their total; empty unless
    // the marked result was calculated from the two texts the tally put into
    // the boxes, and they are still there.
    std::vector<std::vector<Cell>> tally;
    // "Rohrweite": lines about the size chosen for the marked result (series,
    // size and di, v, R, length and R·l, Σζ and Z, Δp, the water's
    // temperature); empty when none was chosen.
    QStringList pipeSizing;
    std::vector<Formula> formulas;
    std::vector<std::vector<Cell>> table;  // the header row, then every row that holds any text
};
