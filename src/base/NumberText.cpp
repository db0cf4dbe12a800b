#include "base/NumberText.h"

#include "base/RuntimeError.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
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

// The one UTF-16 unit of a symbol, or 0 for a symbol of none or of more
// (such a symbol is never one unit of a text, which Qt reads unit by unit).
char16_t unitOf(const QString& symbol)
{
    return symbol.size() == 1 ? symbol.front().unicode() : char16_t(0);
}

// `locale` with the given options, which it then keeps.
QLocale& optionsSet(QLocale& locale, QLocale::NumberOptions options)
{
    locale.setNumberOptions(options);
    return locale;
}

enum class Quick { Number, NoNumber, Ask };

// Most texts of a list are plain numbers ("302", "-303,5") or plainly none
// ("Teilstrecke 12"): told here with the same answer as Qt's reading
// (QLocaleData::numberToCLocale, then double-conversion, which rounds
// correctly as std::from_chars does), everything else is left to Qt (Ask).
// Qt reads a text unit by unit: a unit that is none of the locale's digits,
// signs, separators or exponent, nor an ASCII letter, ends its reading and
// makes the text no number wherever it stands; so do, later, a list
// separator and a percent sign, and a group separator where groups are refused.
Quick quickRead(const NumberReading& r, QStringView text, double& value)
{
    constexpr qsizetype longest = 40;  // far from an underflow below 1e-308
    if (!r.plainDigits || text.size() > longest) return Quick::Ask;
    char ascii[longest];
    int n = 0;
    bool ask = false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c >= u'0' && c <= u'9') ascii[n++] = char(c);
        else if ((r.plus && c == r.plus) || c == u'+') ascii[n++] = '+';
        else if ((r.minus && c == r.minus) || c == u'-' || c == u'\u2212') ascii[n++] = '-';
        else if (r.decimal && c == r.decimal) ascii[n++] = '.';
        else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || QChar::isSurrogate(c))
            ask = true;
        else if (r.exponent && (c < 0x80 ? c == r.foldedExponent : QChar::toCaseFolded(c) == r.foldedExponent))
            ask = true;  // compared as Qt compares it, regardless of case
        else if ((r.group && c == r.group) || (r.blankGroups && c == u' ')) {
            if (r.rejectsGroups) return Quick::NoNumber;
            ask = true;
        } else {
            return Quick::NoNumber;
        }
    }
    if (ask || n == 0) return Quick::Ask;
    // [sign] ("0" | 1-9 digits) ["." digits]; anything else Qt decides.
    const int begin = ascii[0] == '+' || ascii[0] == '-' ? 1 : 0;
    int i = begin;
    if (i == n || ascii[i] < '0' || ascii[i] > '9') return Quick::Ask;
    if (ascii[i] == '0') ++i;
    else
        while (i < n && ascii[i] >= '0' && ascii[i] <= '9') ++i;
    bool zero = ascii[begin] == '0';
    if (i < n && ascii[i] == '.') {
        const int fraction = ++i;
        for (; i < n && ascii[i] >= '0' && ascii[i] <= '9'; ++i) zero = zero && ascii[i] == '0';
        if (i == fraction) return Quick::Ask;
    }
    if (i != n || (zero && begin == 1)) return Quick::Ask;  // a signed zero too
    const char* from = ascii[0] == '+' ? ascii + 1 : ascii;
    return std::from_chars(from, ascii + n, value).ec == std::errc() ? Quick::Number : Quick::Ask;
}

}  // namespace

NumberReading::NumberReading(const QLocale& l)
    : plainDigits(l.zeroDigit() == QLatin1String("0")),
      rejectsGroups(l.numberOptions() & QLocale::RejectGroupSeparator), decimal(unitOf(l.decimalPoint())),
      group(unitOf(l.groupSeparator())), plus(unitOf(l.positiveSign())), minus(unitOf(l.negativeSign())),
      exponent(unitOf(l.exponential())), foldedExponent(QChar::toCaseFolded(exponent)),
      blankGroups(l.groupSeparator() == QStringLiteral("\u00a0") || l.groupSeparator() == QStringLiteral("\u202f"))
{
}

std::optional<double> NumberReading::read(const QLocale& locale, const QString& trimmed) const
{
    double value = 0;
    switch (quickRead(*this, trimmed, value)) {
    case Quick::Number: return value;
    case Quick::NoNumber: return std::nullopt;
    case Quick::Ask: break;
    }
    bool ok = false;
    value = locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

NumberText::NumberText(const QLocale& locale)
    : m_locale(locale), m_numbers(numberLocale(locale)), m_fileNumbers(m_numbers), m_fileFallback(QLocale::c()),
      m_negativeSign(m_numbers.negativeSign()), m_zeroDigit(m_numbers.zeroDigit().front()),
      m_typographicApostrophe(m_numbers.groupSeparator() == QStringLiteral("\u2019")),
      m_typed(optionsSet(m_numbers, QLocale::OmitGroupSeparator)),
      m_file(optionsSet(m_fileNumbers, QLocale::RejectGroupSeparator)),
      m_fileC(optionsSet(m_fileFallback, QLocale::RejectGroupSeparator))
{
    // Formatting never groups digits (1234.5 is "1234.50"); toDouble() still
    // accepts the locale's group separator, fileNumber() does not.
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
    if (m_typographicApostrophe) typed.replace(QLatin1Char('\''), QChar(0x2019));
    return m_typed.read(m_numbers, typed);
}

std::optional<double> NumberText::fileNumber(const QString& text) const
{
    const QString written = text.trimmed();
    if (const std::optional<double> value = m_file.read(m_fileNumbers, written)) return value;
    return m_fileC.read(m_fileFallback, written);
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
