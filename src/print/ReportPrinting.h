#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;
struct ReportContent;
namespace report {
struct Chart;
}

// Printing the calculation report: Qt's print dialog and the printer. It
// lives in a module of its own (gipfelfluss-print.so) that the program loads
// on first use, because Qt Print Support costs every start about a
// millisecond. No exception crosses between the module and the program; a
// failure comes back as its German reason.
class ReportPrinting {
public:
    // Raised whenever this interface changes; the program refuses a module of another.
    static constexpr int version = 1;
    // The module's one exported function: `const ReportPrinting* (int version)`,
    // giving its ReportPrinting, or null when the program asks for another version.
    static constexpr char factoryName[] = "gipfelflussReportPrinting";

    virtual ~ReportPrinting() = default;

    // Asks for the printer in Qt's print dialog, a child of `parent` run
    // through `present` (which returns the dialog's result code), set up for
    // the report's paper; prints the report there when the user accepts.
    // Returns the empty text when printed or cancelled, otherwise the reason
    // the report could not be printed.
    virtual QString print(QWidget& parent, const std::function<int(QDialog&)>& present, const ReportContent& content,
                          const report::Chart& chart) const = 0;
};
