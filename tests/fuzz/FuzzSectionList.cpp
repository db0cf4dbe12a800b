// A section list from any bytes, read as a CSV file and calculated: every
// input is either calculated into lines, one for each section, or refused
// with a RuntimeError. Anything else (a crash, a hang, a leak) is a finding.
#include "base/NumberText.h"
#include "base/RuntimeError.h"
#include "sections/SectionRun.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path = QDir::tempPath() + QStringLiteral("/gipfelfluss-fuzz-%1-liste.csv").arg(getpid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();

    // A comma locale, so that both decimal separators are tried.
    static const NumberText numbers(QLocale(QStringLiteral("de_DE")));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    try {
        const SectionCount count = printSectionResults(linkedWorkbookFiles(), path, numbers, out);
        // One line for the headings and one for each section.
        if (out.data().count('\n') < count.calculated + count.refused + 1) std::abort();
    } catch (const RuntimeError&) {
    }
    return 0;
}
