#pragma once

#include <QString>

// Large workbooks for the import benchmark, made the way other programs
// write them: the first worksheet holds rows x columns cells, every one a text
// of its own ("Messpunkt 123-4 9f3a07c2"), except A2 to A26, which hold the
// numbers 1.5 * row. Texts are shared strings in .xlsx and .xls.
namespace largeWorkbooks {

inline constexpr int columns = 10;

// The number in A(row), 2 <= row <= 26.
inline double number(int row)
{
    return 1.5 * row;
}

void writeXlsx(const QString& path, int rows);
void writeOds(const QString& path, int rows);
// An Excel 97 workbook; at most 65536 rows, the format's limit.
void writeXls(const QString& path, int rows);

// Section lists for the row benchmarks: the headings "Teilstrecke", "BW",
// "Einzel BW", "Bemerkung", then `rows` sections, each a name and a remark of
// its own, a total of loading units and a largest single unit. In .xlsx the
// texts are shared strings and the units numbers; the CSV is UTF-8 with
// semicolons and decimal commas, as a German spreadsheet program writes it.
void writeSectionsXlsx(const QString& path, int rows);
void writeSectionsCsv(const QString& path, int rows);
// The same sections with pipe sizing's columns: a series (the five built-in
// ones in turn), a length and Σζ for every section.
void writeSizedSectionsCsv(const QString& path, int rows);
// The same sections counting draw-off points instead of stating "BW" and
// "Einzel BW": ten columns headed by names of the built-in catalogue.
void writeCountedSectionsCsv(const QString& path, int rows);
// A sized network of `rows` sections with a "Zuleitung" column, "Höhe" and
// "Mindestfliessdruck": a chain (each section feeds the next, one point at
// the end) or 100 risers from the supply, each section of a riser feeding the
// next one and an apartment. Every "BW" and "Einzel BW" is stated as the sums
// give it, so that `withFeeder` false writes the same rows as a plain list.
enum class Network { Chain, Risers };
void writeNetworkCsv(const QString& path, int rows, Network shape, bool withFeeder);

}  // namespace largeWorkbooks
