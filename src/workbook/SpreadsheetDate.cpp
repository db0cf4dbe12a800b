#include "workbook/SpreadsheetDate.h"

#include <cmath>

namespace spreadsheetDate {

std::optional<QDateTime> fromSerial(double serial, System system)
{
    constexpr double lastSerial = 2958466.0;  // 10000-01-01 in the 1900 count
    if (!std::isfinite(serial) || serial < 0 || serial >= lastSerial) return std::nullopt;
    // Whole seconds: a stored 12:00 is often 0.49999999999 of a day.
    const qint64 seconds = std::llround(serial * 86400.0);
    const qint64 days = seconds / 86400;
    const int secondOfDay = int(seconds % 86400);
    QDate date;
    if (system == System::From1904)
        date = QDate(1904, 1, 1).addDays(days);
    else if (days == 0)
        date = QDate(1899, 12, 30);  // a time of day without a date
    else if (days < 61)
        date = QDate(1899, 12, 31).addDays(days);  // before the 29th of February 1900 that never was
    else
        date = QDate(1899, 12, 30).addDays(days);
    return QDateTime(date, QTime(0, 0).addSecs(secondOfDay));
}

bool isDateFormat(int builtInId, const QString& formatCode)
{
    if ((builtInId >= 14 && builtInId <= 22) || (builtInId >= 27 && builtInId <= 36) ||
        (builtInId >= 45 && builtInId <= 47) || (builtInId >= 50 && builtInId <= 58))
        return true;
    for (qsizetype i = 0; i < formatCode.size(); ++i) {
        const QChar c = formatCode[i];
        if (c == QLatin1Char('"')) {
            const qsizetype end = formatCode.indexOf(QLatin1Char('"'), i + 1);
            if (end < 0) return false;
            i = end;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;  // the next character is shown or used as padding as it is
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = formatCode.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0) return false;
            // [h], [mm], [ss]: elapsed time; [Red], [$€-407], [>100]: no date field
            const QString inside = formatCode.mid(i + 1, end - i - 1).toLower();
            if (!inside.isEmpty() && (inside[0] == QLatin1Char('h') || inside[0] == QLatin1Char('m') ||
                                      inside[0] == QLatin1Char('s')) &&
                inside.count(inside[0]) == inside.size())
                return true;
            i = end;
        } else if (c == QLatin1Char(';')) {
            return false;  // only the first section decides
        } else {
            switch (c.toLower().unicode()) {
            case 'd': case 'm': case 'y': case 'h': case 's': case 'e': case 'g': case 'b':
                // 'e' (era year), 'g' (era), 'b' (Buddhist year) only occur in dates;
                // "General" alone is no date.
                if (formatCode.mid(i, 7).compare(QStringLiteral("General"), Qt::CaseInsensitive) == 0) {
                    i += 6;
                    break;
                }
                if (c.toLower() == QLatin1Char('e') && i > 0 &&
                    (formatCode[i - 1].isDigit() || formatCode[i - 1] == QLatin1Char('0') ||
                     formatCode[i - 1] == QLatin1Char('#') || formatCode[i - 1] == QLatin1Char('?')))
                    break;  // 0.00E+00: an exponent
                return true;
            default:
                break;
            }
        }
    }
    return false;
}

}  // namespace spreadsheetDate
