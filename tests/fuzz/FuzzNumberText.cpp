// Any text typed into a box either becomes a finite number or is refused, in
// every locale, and a number the program shows reads back as one.
#include "base/NumberText.h"
#include "base/RuntimeError.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const NumberText locales[] = {NumberText(QLocale::c()), NumberText(QLocale(QStringLiteral("de_DE"))),
                                         NumberText(QLocale(QStringLiteral("de_CH")))};
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const NumberText& numbers : locales) {
        double value = 0;
        try {
            value = numbers.toDouble(text);
        } catch (const RuntimeError&) {
            continue;
        }
        if (!std::isfinite(value)) std::abort();
        for (const auto pattern :
             {NumberText::Pattern::Whole, NumberText::Pattern::OneDecimal, NumberText::Pattern::TwoDecimals}) {
            const double shown = numbers.toDouble(numbers.format(value, pattern));  // throws, and so fails, if unreadable
            if (std::fabs(shown - value) > 0.5 + std::fabs(value) * 1e-15) std::abort();
        }
        if (numbers.toDouble(numbers.plain(value)) != value) std::abort();
    }
    return 0;
}
