#pragma once

#include <QString>

// The largest sheet any workbook format has, and so the most rows and
// columns a list is read with.
inline constexpr int maxSheetRows = 1048576;
inline constexpr int maxSheetColumns = 16384;

// The longest row of a file of separated values that is read: its fields'
// bytes together.
inline constexpr qsizetype maxSeparatedRowBytes = 8 * 1024 * 1024;

// Why a file of separated values is refused at these limits.
inline QString tooManyRowsReason()
{
    return QStringLiteral("Die Datei hat mehr als %1 Zeilen (so viele hat eine Tabelle höchstens).").arg(maxSheetRows);
}
inline QString rowTooLongReason(qint64 row)
{
    return QStringLiteral("Zeile %1 ist länger als %2 MiB.").arg(row).arg(maxSeparatedRowBytes / (1024 * 1024));
}
