#pragma once

#include <QLocale>
#include <QStringView>

#include <cmath>
#include <optional>

// A number as the workbook formats store it in XML: C locale, blanks around
// it allowed; none for any other text and for numbers that are not finite.
inline std::optional<double> xmlNumber(QStringView text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}
