#pragma once

#include <QString>

#include <functional>

class QIODevice;

// The final name of a file to be saved: `name` when it already ends in
// "." + suffix (in any letter case), otherwise the suffix takes the place of
// a suffix listed in `replaced` ("x.xls" -> "x.xlsx") or is appended
// ("Ergebnis" -> "Ergebnis.xlsx", "Haus 2.v3" -> "Haus 2.v3.xlsx").
// Suffixes are given without the dot.
QString finalFileName(const QString& name, const QString& suffix, const QStringList& replaced);

// Writes `path` through a temporary file in the same folder that replaces the
// target only when `write` has returned and the data is complete on disk. On
// any failure, an exception thrown by `write` included, the file that was
// there stays byte for byte and no temporary file is left behind.
// Throws RuntimeError with the German reason; lets other exceptions of
// `write` pass after cleaning up.
void saveFile(const QString& path, const std::function<void(QIODevice&)>& write);

// The same for a writer that can only write a file of a name it is given
// (the workbook module's): `write` makes the file at a scratch path in a
// temporary folder of its own, which goes away afterwards; only a complete scratch file
// is then saved to `path` as above.
void saveDraftedFile(const QString& path, const std::function<void(const QString& scratchPath)>& write);
