#include "base/NumberText.h"

#include "base/RuntimeError.h"

#include <cmath>

NumberText::NumberText(const QLocale& locale) : m_locale(locale)
{
    // Formatting never groups digits (1234.5 is "1234.50"); parsing still
    // accepts the locale's group separator.
    m_locale.setNumberOptions(QLocale::OmitGroupSeparator);
}

double NumberText::toDouble(const QString& text) const
{
    const std::optional<double> value = read(text);
    if (!value) throw RuntimeError("Typen unverträglich");
    return *value;
}

bool NumberText::isNumber(const QString& text) const
{
    return read(text).has_value();
}

std::optional<double> NumberText::read(const QString& text) const
{
    QString typed = text.trimmed();
    // Swiss grouping is a typographic apostrophe in the locale data, but
    // keyboards type the plain one: 1'234.5 means 1234.5.
    const QString group = m_locale.groupSeparator();
    if (group == QStringLiteral("\u2019"))
        typed.replace(QLatin1Char('\''), group);
    bool ok = false;
    const double value = m_locale.toDouble(typed, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<double> NumberText::fileNumber(const QString& text) const
{
    const QString written = text.trimmed();
    for (QLocale locale : {m_locale, QLocale::c()}) {
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const double value = locale.toDouble(written, &ok);
        if (ok && std::isfinite(value)) return value;
    }
    return std::nullopt;
}

QString NumberText::format(double value, Pattern pattern) const
{
    const int decimals = pattern == Pattern::Whole ? 0 : pattern == Pattern::OneDecimal ? 1 : 2;
    QString text = m_locale.toString(value, 'f', decimals);
    // -0.4 rounds to "-0"; a zero is shown without a sign.
    if (text.startsWith(m_locale.negativeSign())) {
        bool allZero = true;
        for (const QChar c : text.mid(m_locale.negativeSign().size()))
            if (c.isDigit() && c != m_locale.zeroDigit().front()) allZero = false;
        if (allZero) text.remove(0, m_locale.negativeSign().size());
    }
    return text;
}

QString NumberText::plain(double value) const
{
    return m_locale.toString(value, 'g', QLocale::FloatingPointShortest);
}

QString NumberText::exact(double value) const
{
    return m_locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

QString NumberText::general(double value) const
{
    // Fifteen significant digits are what a double always carries through,
    // so 0.1 + 0.2 shows as 0.3; %G's rule gives the exponent form below
    // 1E-04 and from 1E+15 on.
    return m_locale.toString(value, 'G', 15);
}
