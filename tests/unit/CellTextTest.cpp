#include "base/CellText.h"
#include "base/NumberText.h"
#include "workbook/SpreadsheetDate.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale american(QLocale::English, QLocale::UnitedStates);

struct TextCase {
    const char* what;
    CellValue value;
    QLocale locale;
    QString text;
};

TEST(CellText, IsWhatASpreadsheetsOwnConversionGives)
{
    const TextCase cases[] = {
        {"empty cell", std::monostate{}, german, QString()},
        {"whole number", 250.0, german, QStringLiteral("250")},
        {"fraction, German separator", 2.5, german, QStringLiteral("2,5")},
        {"fraction, American separator", 2.5, american, QStringLiteral("2.5")},
        {"negative", -3.75, german, QStringLiteral("-3,75")},
        {"no grouping", 1234567.125, american, QStringLiteral("1234567.125")},
        {"fifteen digits", 0.1 + 0.2, german, QStringLiteral("0,3")},
        {"a third as General shows it", 1.0 / 3.0, american, QStringLiteral("0.333333333333333")},
        {"large whole number in digits", 3000000.0, german, QStringLiteral("3000000")},
        {"text as it is", QStringLiteral(" 12 "), german, QStringLiteral(" 12 ")},
        {"true", true, german, QStringLiteral("WAHR")},
        {"false", false, american, QStringLiteral("FALSCH")},
        {"error", CellError{QStringLiteral("#N/A")}, german, QStringLiteral("#N/A")},
        {"date, German", QDateTime(QDate(2024, 3, 15), QTime(0, 0)), german, QStringLiteral("15.03.2024")},
        {"date, American", QDateTime(QDate(2024, 3, 15), QTime(0, 0)), american, QStringLiteral("3/15/2024")},
        {"date and time", QDateTime(QDate(2024, 3, 15), QTime(10, 30)), german, QStringLiteral("15.03.2024 10:30")},
        {"time of day alone", QDateTime(QDate(1899, 12, 30), QTime(18, 5)), german, QStringLiteral("18:05")},
    };
    for (const TextCase& c : cases) EXPECT_EQ(cellText(c.value, NumberText(c.locale)), c.text) << c.what;
}

TEST(SpreadsheetDate, SerialsCountDaysAsSpreadsheetsDo)
{
    using spreadsheetDate::System;
    struct Case {
        double serial;
        System system;
        QDateTime when;
    } cases[] = {
        {1, System::From1900, QDateTime(QDate(1900, 1, 1), QTime(0, 0))},
        {59, System::From1900, QDateTime(QDate(1900, 2, 28), QTime(0, 0))},
        {61, System::From1900, QDateTime(QDate(1900, 3, 1), QTime(0, 0))},
        {45366, System::From1900, QDateTime(QDate(2024, 3, 15), QTime(0, 0))},
        {45366.4375, System::From1900, QDateTime(QDate(2024, 3, 15), QTime(10, 30))},
        {0.49999999999, System::From1900, QDateTime(QDate(1899, 12, 30), QTime(12, 0))},
        {0, System::From1904, QDateTime(QDate(1904, 1, 1), QTime(0, 0))},
        {43904, System::From1904, QDateTime(QDate(2024, 3, 15), QTime(0, 0))},
    };
    for (const Case& c : cases) {
        const auto when = spreadsheetDate::fromSerial(c.serial, c.system);
        ASSERT_TRUE(when.has_value()) << c.serial;
        EXPECT_EQ(*when, c.when) << c.serial;
    }
    EXPECT_FALSE(spreadsheetDate::fromSerial(-1, System::From1900).has_value());
    EXPECT_FALSE(spreadsheetDate::fromSerial(3e6, System::From1900).has_value());
    EXPECT_FALSE(spreadsheetDate::fromSerial(std::nan(""), System::From1900).has_value());
}

TEST(SpreadsheetDate, DateFormatsAreToldFromNumberFormats)
{
    struct Case {
        int id;
        const char* code;
        bool date;
    } cases[] = {
        {14, "", true},
        {22, "", true},
        {0, "", false},
        {2, "", false},
        {-1, "DD.MM.YYYY", true},
        {-1, "dd\\.mm\\.yyyy", true},
        {-1, "yyyy-mm-dd h:mm:ss", true},
        {-1, "[h]:mm", true},
        {-1, "General", false},
        {-1, "0.00", false},
        {-1, "0.00E+00", false},
        {-1, "#,##0 \"Tage\"", false},
        {-1, "[Red]0.0", false},
        {-1, "#,##0.00 [$€-407]", false},
        {-1, "0.0;[Red]-0.0", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(spreadsheetDate::isDateFormat(c.id, QString::fromUtf8(c.code)), c.date) << c.id << " " << c.code;
}

}  // namespace
