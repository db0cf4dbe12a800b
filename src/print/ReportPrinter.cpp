#include "print/ReportPrinting.h"

#include "base/RuntimeError.h"
#include "report/Report.h"
#include "report/ReportContent.h"

#include <QPrintDialog>
#include <QPrinter>

#include <exception>

namespace {

class ReportPrinter : public ReportPrinting {
public:
    QString print(QWidget& parent, const std::function<int(QDialog&)>& present, const ReportContent& content,
                  const report::Chart& chart) const override
    {
        try {
            QPrinter printer(QPrinter::HighResolution);
            printer.setPageLayout(report::pageLayout(content.locale));
            printer.setDocName(report::title());
            printer.setCreator(report::programLine());
            QPrintDialog dialog(&printer, &parent);
            dialog.setWindowModality(Qt::ApplicationModal);
            if (present(dialog) != QDialog::Accepted) return {};
            report::paint(printer, content, chart);
            return {};
        } catch (const RuntimeError& error) {
            return QString::fromUtf8(error.what());
        } catch (const std::exception& error) {
            // Nothing else is expected; whatever it is, it must not cross into the program.
            return QString::fromUtf8(error.what());
        }
    }
};

}  // namespace

// The module's one exported function.
extern "C" Q_DECL_EXPORT const ReportPrinting* gipfelflussReportPrinting(int version)
{
    static const ReportPrinter printing;
    return version == ReportPrinting::version ? &printing : nullptr;
}
