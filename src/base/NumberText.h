#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// The symbols by which one locale reads numbers, each a UTF-16 unit or none
// (0: no symbol, or one of more units), so that NumberText tells most texts
// apart without Qt's reading.
struct NumberReading {
    bool plainDigits;    // its zero digit is '0'
    bool rejectsGroups;  // QLocale::RejectGroupSeparator
    char16_t decimal, group, plus, minus, exponent;
    char16_t foldedExponent;  // the exponent's case folding
    bool blankGroups;  // its group separator is a no-break space, for which a blank stands too

    explicit NumberReading(const QLocale& locale);
    // The number in a trimmed text, or null, as locale.toDouble() reads it
    // (`locale` the one this was made of), numbers that are not finite refused.
    std::optional<double> read(const QLocale& locale, const QString& trimmed) const;
};

// The one place where numbers become texts and texts numbers, by the rules of
// one locale (the system locale in the program, any locale in tests).
class NumberText {
public:
    // The program's format patterns: "0", "0.0" and "0.00". They use the
    // locale's decimal separator and never group digits.
    enum class Pattern { Whole, OneDecimal, TwoDecimals };

    explicit NumberText(const QLocale& locale = QLocale::system());

    // Text to number by the locale's rules: sign, digit grouping, decimal
    // separator, exponent, blanks around the number. Empty text, text that is
    // no number and numbers that are not finite (1e400, inf, nan) throw RuntimeError.
    double toDouble(const QString& text) const;
    // Whether toDouble() reads the text as a number.
    bool isNumber(const QString& text) const;

    // A number written in a data file (a cell of a section list): the
    // locale's decimal separator or a point, blanks around it, no digit
    // grouping, since in a file "1.500" may as well mean 1.5 as 1500. Null
    // for anything else, numbers that are not finite included.
    std::optional<double> fileNumber(const QString& text) const;

    // Rounded to the pattern's digits, halves away from zero on the decimal
    // value the double holds; a result that rounds to zero has no minus sign.
    QString format(double value, Pattern pattern) const;

    // The locale's ordinary conversion: shortest form that reads back as the
    // same double, no grouping (the chart's "number text" labels).
    QString plain(double value) const;

    // The shortest text that reads back as the same double, in plain digits
    // with the locale's decimal separator: never an exponent, never rounded
    // (12.5 is "12,5" in de_DE, 1e20 is "100000000000000000000"). The texts
    // the program itself writes into the input boxes.
    QString exact(double value) const;

    // A number as a spreadsheet's General format and the classic
    // number-to-text conversion show it: at most 15 significant digits,
    // trailing zeros dropped; plain digits from 0.0001 up to 10^15 - 1,
    // beyond that an exponent of at least two digits ("1E+20", "1,5E-05").
    QString general(double value) const;

    const QLocale& locale() const { return m_locale; }

private:
    std::optional<double> read(const QString& text) const;

    QLocale m_locale;        // as given: dates and times, and the symbols below
    QLocale m_numbers;       // the same rules for numbers, never grouping digits
    QLocale m_fileNumbers;   // m_numbers refusing digit grouping
    QLocale m_fileFallback;  // the C locale refusing digit grouping
    QString m_negativeSign;
    QChar m_zeroDigit;
    bool m_typographicApostrophe = false;  // the group separator is U+2019
    NumberReading m_typed, m_file, m_fileC;  // of m_numbers, m_fileNumbers, m_fileFallback
};
