#include "workbook/Workbook.h"

#include "base/RuntimeError.h"
#include "workbook/OdsReader.h"
#include "workbook/XlsReader.h"
#include "workbook/XlsxReader.h"
#include "workbook/ZipPackage.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QByteArray oleMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
const QByteArray odsMimeType("application/vnd.oasis.opendocument.spreadsheet");

FirstWorksheet read(Workbook::Format format, const QString& path, int rowLimit)
{
    switch (format) {
    case Workbook::Format::Xls: return readXls(path, rowLimit);
    case Workbook::Format::Xlsx: return readXlsx(path, rowLimit);
    case Workbook::Format::Ods: return readOds(path, rowLimit);
    }
    throw RuntimeError(QStringLiteral("Unbekanntes Dateiformat."));
}

}  // namespace

Cell Worksheet::Cells(int row, int column) const
{
    if (row < 1 || column < 1 || row > SheetCells::maxRows || column > SheetCells::maxCols)
        throw RuntimeError(QStringLiteral("Die Zelle (Zeile %1, Spalte %2) liegt außerhalb des Tabellenblatts.").arg(row).arg(column));
    return Cell(m_cells.value(row, column));
}

Workbook::Workbook(const QString& path, int rowLimit)
    : m_format(detectFormat(path)),
      m_sheet([&] {
          FirstWorksheet first = read(m_format, path, rowLimit);
          return Worksheet(std::move(first.name), std::move(first.cells));
      }())
{
}

const Worksheet& Workbook::Worksheets(int index) const
{
    if (index != 1) throw RuntimeError(QStringLiteral("Von der Arbeitsmappe wird nur das erste Tabellenblatt gelesen."));
    return m_sheet;
}

Workbook::Format Workbook::detectFormat(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) throw RuntimeError(QStringLiteral("Die Datei ist nicht vorhanden."));
    if (info.isDir()) throw RuntimeError(QStringLiteral("Das ist ein Ordner, keine Datei."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw RuntimeError(QStringLiteral("Die Datei kann nicht gelesen werden (keine Berechtigung?)."));
    const QByteArray head = file.read(8);
    if (head.isEmpty()) throw RuntimeError(QStringLiteral("Die Datei ist leer."));
    file.close();

    const QString noWorkbook = QStringLiteral("Die Datei ist keine Arbeitsmappe (erwartet wird eine Excel-Arbeitsmappe "
                                              ".xls oder .xlsx oder eine OpenDocument-Tabelle .ods).");
    if (head == oleMagic) return Format::Xls;
    if (!head.startsWith("PK")) throw RuntimeError(noWorkbook);
    const ZipPackage zip(path);
    if (zip.contains(QStringLiteral("mimetype"))) {
        if (zip.read(QStringLiteral("mimetype")).trimmed().startsWith(odsMimeType)) return Format::Ods;
        throw RuntimeError(QStringLiteral("Die Datei ist ein OpenDocument-Dokument, aber keine Tabelle."));
    }
    if (zip.contains(QStringLiteral("[Content_Types].xml"))) return Format::Xlsx;
    throw RuntimeError(noWorkbook);
}
