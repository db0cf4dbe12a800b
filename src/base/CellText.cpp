#include "base/CellText.h"

#include "base/NumberText.h"

namespace {

const QDate dayZero(1899, 12, 30);

QString dateText(const QDate& date, const QLocale& locale)
{
    // Short formats of many locales have two-digit years ("dd.MM.yy"); a year
    // in a table of results should not be ambiguous.
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

QString pointInTimeText(const QDateTime& when, const QLocale& locale)
{
    const QString time = locale.toString(when.time(), QLocale::ShortFormat);
    if (when.date() == dayZero) return time;
    const QString date = dateText(when.date(), locale);
    if (when.time() == QTime(0, 0)) return date;
    return date + QLatin1Char(' ') + time;
}

}  // namespace

QString cellText(const CellValue& value, const NumberText& numbers)
{
    struct Visitor {
        const NumberText& numbers;
        QString operator()(std::monostate) const { return {}; }
        QString operator()(double number) const { return numbers.general(number); }
        QString operator()(const QString& text) const { return text; }
        QString operator()(bool truth) const { return truth ? QStringLiteral("WAHR") : QStringLiteral("FALSCH"); }
        QString operator()(const QDateTime& when) const { return pointInTimeText(when, numbers.locale()); }
        QString operator()(const CellError& error) const { return error.code; }
    };
    return std::visit(Visitor{numbers}, value);
}

std::optional<double> cellNumber(const CellValue& value, const NumberText& numbers)
{
    if (const double* number = std::get_if<double>(&value)) return *number;
    if (const QString* text = std::get_if<QString>(&value)) return numbers.fileNumber(*text);
    return std::nullopt;
}
