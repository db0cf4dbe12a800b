#include "base/NumberText.h"

#include "base/RuntimeError.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// All that Qt's conversions of numbers take from a locale (qlocale.cpp,
// doubleToString and numberToCLocale): its symbols and its digit grouping,
// which grouped whole numbers show (the sizes of the groups, and how many
// digits a number needs before it is grouped at all).
struct NumberRules {
    QString decimal, group, zero, minus, plus, exponent;
    QStringList grouped;
    bool operator==(const NumberRules&) const = default;
};

NumberRules numberRules(QLocale locale)
{
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    QStringList grouped;
    for (const qlonglong n : {1234LL, 12345LL, 123456LL, 1234567LL, 1234567890123LL}) grouped << locale.toString(n);
    return {locale.decimalPoint(), locale.groupSeparator(), locale.zeroDigit(), locale.negativeSign(),
            locale.positiveSign(), locale.exponential(), grouped};
}

// A locale of Qt's own data with the number rules of `locale`. The system
// locale answers every question about a symbol anew through the operating
// system (most of the time of reading a list of numbers went there); one of
// Qt's locales with the same rules gives the same texts without asking. Its
// own language's locale usually has them; regional settings of the user's
// own (a decimal point chosen in Windows' settings, LC_NUMERIC of another
// language than LANG) may match another one; when none matches, the system
// locale itself serves.
QLocale numberLocale(const QLocale& locale)
{
    if (locale != QLocale::system()) return locale;
    const NumberRules wanted = numberRules(locale);
    const QLocale own(locale.language(), locale.script(), locale.territory());
    if (numberRules(own) == wanted) return own;
    for (const QLocale& other : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
        if (other.decimalPoint() == wanted.decimal && other.groupSeparator() == wanted.group && numberRules(other) == wanted)
            return other;
    return locale;
}

}  // namespace

NumberText::NumberText(const QLocale& locale)
    : m_locale(locale), m_numbers(numberLocale(locale)), m_fileNumbers(m_numbers), m_fileFallback(QLocale::c()),
      m_negativeSign(m_numbers.negativeSign()), m_zeroDigit(m_numbers.zeroDigit().front()),
      m_typographicApostrophe(m_numbers.groupSeparator() == QStringLiteral("\u2019"))
{
    // Formatting never groups digits (1234.5 is "1234.50"); toDouble() still
    // accepts the locale's group separator, fileNumber() does not.
    m_locale.setNumberOptions(QLocale::OmitGroupSeparator);
    m_numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    m_fileNumbers.setNumberOptions(QLocale::RejectGroupSeparator);
    m_fileFallback.setNumberOptions(QLocale::RejectGroupSeparator);
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
    if (m_typographicApostrophe) typed.replace(QLatin1Char('\''), QChar(0x2019));
    bool ok = false;
    const double value = m_numbers.toDouble(typed, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<double> NumberText::fileNumber(const QString& text) const
{
    const QString written = text.trimmed();
    for (const QLocale* locale : {&m_fileNumbers, &m_fileFallback}) {
        bool ok = false;
        const double value = locale->toDouble(written, &ok);
        if (ok && std::isfinite(value)) return value;
    }
    return std::nullopt;
}

QString NumberText::format(double value, Pattern pattern) const
{
    const int decimals = pattern == Pattern::Whole ? 0 : pattern == Pattern::OneDecimal ? 1 : 2;
    QString text = m_numbers.toString(value, 'f', decimals);
    // -0.4 rounds to "-0"; a zero is shown without a sign.
    if (text.startsWith(m_negativeSign)) {
        const QStringView digits = QStringView(text).mid(m_negativeSign.size());
        if (std::none_of(digits.begin(), digits.end(), [&](QChar c) { return c.isDigit() && c != m_zeroDigit; }))
            text.remove(0, m_negativeSign.size());
    }
    return text;
}

QString NumberText::plain(double value) const
{
    return m_numbers.toString(value, 'g', QLocale::FloatingPointShortest);
}

QString NumberText::exact(double value) const
{
    return m_numbers.toString(value, 'f', QLocale::FloatingPointShortest);
}

QString NumberText::general(double value) const
{
    // Fifteen significant digits are what a double always carries through,
    // so 0.1 + 0.2 shows as 0.3; %G's rule gives the exponent form below
    // 1E-04 and from 1E+15 on.
    return m_numbers.toString(value, 'G', 15);
}
