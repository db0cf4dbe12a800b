#include "base/NumberText.h"
#include "base/RuntimeError.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>
#include <optional>

namespace {

using P = NumberText::Pattern;

struct Parse {
    const char* locale;
    const char* text;
    std::optional<double> value;  // none: refused as no number
};

TEST(NumberText, ReadsTextByTheLocalesRules)
{
    const Parse table[] = {
        // decimal point locales
        {"C", "12.5", 12.5},
        {"C", " 12.5 ", 12.5},
        {"C", "-3", -3},
        {"C", "+3", 3},
        {"C", "1e3", 1000},
        {"C", "2.5E-1", 0.25},
        {"C", "1,234.5", 1234.5},
        {"C", "12,5", std::nullopt},  // a group separator must stand before three digits
        {"en_US", "1,234", 1234},
        // decimal comma
        {"de_DE", "12,5", 12.5},
        {"de_DE", "1.234,5", 1234.5},
        {"de_DE", "-0,5", -0.5},
        {"de_DE", "2,0", 2},
        {"de_DE", "1,5e2", 150},
        // point and apostrophe grouping, typed with the plain apostrophe or the typographic one
        {"de_CH", "1'234.5", 1234.5},
        {"de_CH", "1\u2019234.5", 1234.5},
        {"de_CH", "299.5", 299.5},
        // refused: empty, blanks, letters, other separators, not finite
        {"C", "", std::nullopt},
        {"C", "   ", std::nullopt},
        {"C", "abc", std::nullopt},
        {"C", "12a", std::nullopt},
        {"C", "0x10", std::nullopt},
        {"C", "1 234", std::nullopt},
        {"de_DE", "12.5.3", std::nullopt},
        {"de_CH", "12,5", std::nullopt},
        {"C", "1e400", std::nullopt},
        {"C", "-1e400", std::nullopt},
        {"C", "inf", std::nullopt},
        {"C", "-inf", std::nullopt},
        {"C", "nan", std::nullopt},
        {"de_DE", "inf", std::nullopt},
        {"de_DE", "NaN", std::nullopt},
    };
    for (const Parse& p : table) {
        const NumberText numbers{QLocale(QString::fromLatin1(p.locale))};
        const QString text = QString::fromUtf8(p.text);
        if (p.value) {
            try {
                EXPECT_DOUBLE_EQ(numbers.toDouble(text), *p.value) << p.locale << " '" << p.text << "'";
            } catch (const RuntimeError&) {
                ADD_FAILURE() << "refused: " << p.locale << " '" << p.text << "'";
            }
        } else {
            EXPECT_THROW(numbers.toDouble(text), RuntimeError) << p.locale << " '" << p.text << "'";
        }
    }
}

struct Format {
    const char* locale;
    double value;
    P pattern;
    const char* text;
};

TEST(NumberText, FormatsWithTheProgramsPatterns)
{
    const Format table[] = {
        {"C", 1.692503, P::TwoDecimals, "1.69"},
        {"C", 101.55018, P::OneDecimal, "101.6"},
        {"C", 0.2, P::TwoDecimals, "0.20"},
        {"C", 0.04, P::TwoDecimals, "0.04"},
        {"C", 1234.5, P::TwoDecimals, "1234.50"},  // no grouping
        {"C", 1e21, P::Whole, "1000000000000000000000"},
        {"C", 12.7, P::Whole, "13"},
        {"C", 0.4, P::Whole, "0"},
        {"C", -3, P::Whole, "-3"},
        {"C", -0.4, P::Whole, "0"},  // no "-0"
        {"C", -0.004, P::TwoDecimals, "0.00"},
        {"C", -2.6, P::Whole, "-3"},
        {"C", 26, P::Whole, "26"},
        // halves of exactly representable values round away from zero
        {"C", 0.125, P::TwoDecimals, "0.13"},
        {"C", 2.5, P::Whole, "3"},
        {"C", -2.5, P::Whole, "-3"},
        {"de_DE", 1.692503, P::TwoDecimals, "1,69"},
        {"de_DE", 1234.5, P::TwoDecimals, "1234,50"},
        {"de_DE", 23.77668, P::OneDecimal, "23,8"},
        {"de_DE", 1234567, P::Whole, "1234567"},
        {"de_CH", 1234.5, P::OneDecimal, "1234.5"},
        {"de_CH", 98765.4321, P::TwoDecimals, "98765.43"},
    };
    for (const Format& f : table) {
        const NumberText numbers{QLocale(QString::fromLatin1(f.locale))};
        EXPECT_EQ(numbers.format(f.value, f.pattern), QString::fromUtf8(f.text)) << f.locale << " " << f.value;
    }
}

TEST(NumberText, PlainTextIsTheShortestFormThatReadsBack)
{
    const NumberText c{QLocale::c()};
    const NumberText de{QLocale(QStringLiteral("de_DE"))};
    for (int i = 3; i <= 8; ++i) {
        const double v = i / 10.0;
        EXPECT_EQ(c.plain(v), QStringLiteral("0.%1").arg(i));
        EXPECT_EQ(de.plain(v), QStringLiteral("0,%1").arg(i));
        EXPECT_EQ(de.toDouble(de.plain(v)), v);
    }
    EXPECT_EQ(c.plain(12345678), QStringLiteral("12345678"));
    EXPECT_EQ(de.plain(-1.5), QStringLiteral("-1,5"));
    EXPECT_EQ(c.plain(0.1 + 0.2), QStringLiteral("0.30000000000000004"));
}

struct General {
    const char* locale;
    double value;
    const char* text;
};

// Expected texts as a spreadsheet's General format shows the values, checked
// against python3's "%.15G"; the German ones with the decimal comma.
TEST(NumberText, GeneralIsWhatASpreadsheetShows)
{
    const General table[] = {
        {"C", 0.1 + 0.2, "0.3"},
        {"C", 1.0 / 3.0, "0.333333333333333"},
        {"C", 2.0 / 3.0, "0.666666666666667"},
        {"C", 1234567.125, "1234567.125"},
        {"C", 100000, "100000"},
        {"C", 3000000, "3000000"},
        {"C", 99999999999999, "99999999999999"},
        {"C", 999999999999999, "999999999999999"},
        {"C", 1e15, "1E+15"},
        {"C", 1e20, "1E+20"},
        {"C", 123456789012345678.0, "1.23456789012346E+17"},
        {"C", 0.0001, "0.0001"},
        {"C", 0.00001, "1E-05"},
        {"C", -2.5, "-2.5"},
        {"C", -0.0, "0"},  // a spreadsheet has no negative zero
        {"de_DE", 0.1 + 0.2, "0,3"},
        {"de_DE", 2.0 / 3.0, "0,666666666666667"},
        {"de_DE", 1234567.125, "1234567,125"},
        {"de_DE", 1.5e20, "1,5E+20"},
        {"de_DE", -0.00015, "-0,00015"},
    };
    for (const General& f : table) {
        const NumberText numbers{QLocale(QString::fromLatin1(f.locale))};
        EXPECT_EQ(numbers.general(f.value), QString::fromUtf8(f.text)) << f.locale << " " << f.value;
    }
}

// Expected texts from python3: format(Decimal(repr(value)), "f"), the
// shortest digits that read back, written without an exponent.
TEST(NumberText, ExactTextHasNoExponentAndReadsBackAsTheSameDouble)
{
    const General table[] = {
        {"de_DE", 12.5, "12,5"},
        {"de_DE", 24, "24"},
        {"de_DE", 0.1 + 0.2, "0,30000000000000004"},
        {"de_DE", 1.0 / 3.0, "0,3333333333333333"},
        {"C", 1e20, "100000000000000000000"},
        {"C", 1.5e-7, "0.00000015"},
        {"C", 9007199254740994.0, "9007199254740994"},
        {"de_CH", 1234567.25, "1234567.25"},  // no grouping apostrophe
    };
    for (const General& f : table) {
        const NumberText numbers{QLocale(QString::fromLatin1(f.locale))};
        EXPECT_EQ(numbers.exact(f.value), QString::fromUtf8(f.text)) << f.locale << " " << f.value;
        EXPECT_EQ(numbers.toDouble(numbers.exact(f.value)), f.value) << f.locale << " " << f.value;
    }
}


// A NumberText of the system locale gives the texts and numbers that the
// system locale's own conversions give. ctest runs this again under an
// English LANG with LC_NUMERIC=de_DE (the decimal comma is not the
// language's) and in ar_EG (Arabic-Indic digits, a sign of two characters),
// with GIPFELFLUSS_DECIMAL_POINT telling the decimal separator expected there.
TEST(NumberText, SystemLocaleGivesTheSystemsOwnTextsAndNumbers)
{
    if (qEnvironmentVariableIsSet("GIPFELFLUSS_DECIMAL_POINT"))
        ASSERT_EQ(QLocale::system().decimalPoint(), qEnvironmentVariable("GIPFELFLUSS_DECIMAL_POINT"));
    const NumberText numbers(QLocale::system());
    QLocale own = QLocale::system();
    own.setNumberOptions(QLocale::OmitGroupSeparator);
    // Values whose rounded texts are no negative zero, which format() drops.
    const double values[] = {1.692503, 1234.5, -2.5, 0.125, -101.55018, 1e20, 1.5e20, 0.00015, -1234.567,
                             2.0 / 3.0, 123456789012345678.0};
    for (const double v : values) {
        EXPECT_EQ(numbers.format(v, P::OneDecimal), own.toString(v, 'f', 1)) << v;
        EXPECT_EQ(numbers.format(v, P::TwoDecimals), own.toString(v, 'f', 2)) << v;
        EXPECT_EQ(numbers.plain(v), own.toString(v, 'g', QLocale::FloatingPointShortest)) << v;
        EXPECT_EQ(numbers.exact(v), own.toString(v, 'f', QLocale::FloatingPointShortest)) << v;
        EXPECT_EQ(numbers.general(v), own.toString(v, 'G', 15)) << v;
    }
    // Texts as the system writes them, grouped and with exponents, and texts
    // of other conventions, read as the system locale reads them.
    const QLocale grouping = QLocale::system();
    QStringList texts = {"12.5", "12,5", "1,234.5", "1.234,5", "1e3", " 7 ", "-0,5", "1'234.5", "abc", "", "12.5.3"};
    for (const double v : {1234.5, -1234567.25, 0.5, 1.5e-7})
        texts << grouping.toString(v, 'f', 2) << grouping.toString(v, 'e', 3) << own.toString(v, 'g', 6);
    QLocale rejecting = QLocale::system();
    rejecting.setNumberOptions(QLocale::RejectGroupSeparator);
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    for (const QString& text : texts) {
        bool ok = false;
        const double value = grouping.toDouble(text.trimmed(), &ok);
        EXPECT_EQ(numbers.isNumber(text), ok) << text.toStdString();
        if (ok) EXPECT_EQ(numbers.toDouble(text), value) << text.toStdString();
        bool fileOk = false, cOk = false;
        const double fileValue = rejecting.toDouble(text.trimmed(), &fileOk);
        const double cValue = c.toDouble(text.trimmed(), &cOk);
        const std::optional<double> expected =
            fileOk ? std::optional(fileValue) : cOk ? std::optional(cValue) : std::nullopt;
        EXPECT_EQ(numbers.fileNumber(text), expected) << text.toStdString();
    }
}

}  // namespace
