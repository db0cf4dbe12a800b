// A section list from any bytes, read as a CSV file, calculated and sized
// with copper where it names no series (a network also with a supply
// pressure and its sizes chosen by pressure): every input is either
// calculated into lines, one for each section, or refused with a
// RuntimeError, and no sized section has a value that is not finite, nor a
// pressure or water content. Anything else (a crash, a
// hang, a leak) is a finding.
#include "base/NumberText.h"
#include "base/RuntimeError.h"
#include "sections/SectionRun.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

class FiniteSizing : public SectionSink {
public:
    void headings(const QStringList&) override {}
    void section(const SectionList&, const SectionResult& r) override
    {
        if (!r.sizing) return;
        const pipes::SizeFlow& f = r.sizing->flow;
        const SectionPressureValues& p = r.pressure;
        for (const double v : {f.velocity, f.gradient, f.frictionLoss.value_or(0), f.fittingsLoss.value_or(0), f.pressureLoss.value_or(0),
                               p.staticLoss.value_or(0), p.required.value_or(0), p.start.value_or(0), p.reserve.value_or(0),
                               r.sizing->content().value_or(0)})
            if (!std::isfinite(v)) std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path = QDir::tempPath() + QStringLiteral("/gipfelfluss-fuzz-%1-liste.csv").arg(getpid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    // A comma locale, so that both decimal separators are tried.
    static const NumberText numbers(QLocale(QStringLiteral("de_DE")));
    static const SizingOptions copper = [] {
        SizingOptions options{pipes::PipeCatalogue::builtIn(), QStringLiteral("Kupfer"), {}};
        options.supplyPressure = 4000;
        options.byPressure = true;
        return options;
    }();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    try {
        const SectionCount count = printSectionResults(linkedWorkbookFiles(), path, numbers, out);
        // One line for the headings and one for each section.
        if (out.data().count('\n') < count.calculated + count.refused + 1) std::abort();
    } catch (const RuntimeError&) {
    }
    try {
        FiniteSizing finite;
        calculateSections(linkedWorkbookFiles(), path, numbers, finite, copper);
    } catch (const RuntimeError&) {
    }
    return 0;
}
