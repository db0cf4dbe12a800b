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


// The texts that `numbers` reads as `locale` itself reads them: toDouble()
// and isNumber() as QLocale::toDouble(), fileNumber() as the locale refusing
// digit grouping and then the C locale (numbers that are not finite refused).
void expectReadsAsQtReads(const NumberText& numbers, const QLocale& locale, const QStringList& texts)
{
    const auto qtRead = [](QLocale by, QLocale::NumberOptions options, const QString& text) -> std::optional<double> {
        by.setNumberOptions(options);
        bool ok = false;
        const double value = by.toDouble(text.trimmed(), &ok);
        return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
    };
    for (const QString& text : texts) {
        const std::optional<double> typed = qtRead(locale, QLocale::DefaultNumberOptions, text);
        EXPECT_EQ(numbers.isNumber(text), typed.has_value()) << locale.name().toStdString() << " '" << text.toStdString() << "'";
        if (typed) {
            EXPECT_EQ(numbers.toDouble(text), *typed) << locale.name().toStdString() << " '" << text.toStdString() << "'";
        }
        std::optional<double> file = qtRead(locale, QLocale::RejectGroupSeparator, text);
        if (!file) file = qtRead(QLocale::c(), QLocale::RejectGroupSeparator, text);
        EXPECT_EQ(numbers.fileNumber(text), file) << locale.name().toStdString() << " '" << text.toStdString() << "'";
    }
}

// Texts of every convention, well and badly formed, for the locales of each
// kind of symbols: point and comma, apostrophe, no-break space and Indian
// grouping, Arabic-Indic digits.
TEST(NumberText, ReadsEveryTextAsTheLocaleItselfReadsIt)
{
    const QStringList texts = {"302", "-303,5", "303.5", "+7", "0", "-0", "+0", "007", "0,5", "0.5", ",5", ".5", "5,",
                               "5.", "1.234", "1,234", "1.234,5", "1,234.5", "12 345", "12\u00a0345",
                               "1e3", "1E-2", "2,5e1", "--5", "5-", "1-2", "\u22125", "inf", "-inf", "nan", "1e400",
                               "12345678901234567890123456789012345678901", "0,30000000000000004",
                               "9007199254740993", "Teilstrecke 12", "Grüße, Messpunkt 2-4 82d3099f", "12;5", "5%",
                               "\u0663\u066b\u0665", "", " 42 ", "4\t2"};
    for (const char* name : {"C", "de_DE", "de_CH", "fr_FR", "en_IN", "ar_EG"}) {
        const QLocale locale(QString::fromLatin1(name));
        expectReadsAsQtReads(NumberText(locale), locale, texts);
    }
}

// A NumberText of the system locale gives the texts and numbers that the
// system locale's own conversions give. ctest runs this again under an
// English LANG with LC_NUMERIC=de_DE (the decimal comma is not the
// language's) and in ar_EG (Arabic-Indic digits, a sign of two characters),
// with GIPFELFLUSS_DECIMAL_POINT telling the decimal separator expected there.
TEST(NumberText, SystemLocaleGivesTheSystemsOwnTextsAndNumbers)
{
    if (qEnvironmentVariableIsSet("GIPFELFLUSS_DECIMAL_POINT")) {
        ASSERT_EQ(QLocale::system().decimalPoint(), qEnvironmentVariable("GIPFELFLUSS_DECIMAL_POINT"));
    }
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
    // of other conventions.
    const QLocale grouping = QLocale::system();
    QStringList texts = {"12.5", "12,5", "1,234.5", "1.234,5", "1e3", " 7 ", "-0,5", "abc", "", "12.5.3"};
    for (const double v : {1234.5, -1234567.25, 0.5, 1.5e-7})
        texts << grouping.toString(v, 'f', 2) << grouping.toString(v, 'e', 3) << own.toString(v, 'g', 6);
    expectReadsAsQtReads(numbers, QLocale::system(), texts);
}

}  // namespace
