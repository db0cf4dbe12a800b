#pragma once

#include <QString>

// A field of separated text (tab- or semicolon-separated lines) as
// spreadsheet programs write it: in double quotes, with doubled quotes
// inside, when it holds the separator, a quote or a line break; otherwise
// as it is.
inline QString separatedField(const QString& text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Whether a file holds separated text, told by its name as the program reads
// it: .csv, .tsv or .txt, in any letter case. Its fields are texts, numbers
// among them.
inline bool isSeparatedTextName(const QString& path)
{
    for (const char* suffix : {".csv", ".tsv", ".txt"})
        if (path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) return true;
    return false;
}
