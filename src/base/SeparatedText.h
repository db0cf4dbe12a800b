#pragma once

#include <QString>

#include <algorithm>

// A field of separated text (tab- or semicolon-separated lines) as
// spreadsheet programs write it: in double quotes, with doubled quotes
// inside, when it holds the separator, a quote or a line break; otherwise
// as it is.
inline QString separatedField(const QString& text, QChar separator)
{
    // One look at each character: most fields are numbers and names that need no quotes.
    const bool plain = std::none_of(text.cbegin(), text.cend(), [separator](QChar c) {
        return c == separator || c == QLatin1Char('"') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
    });
    if (plain) return text;
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
