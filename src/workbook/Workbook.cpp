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

QString readRowsOf(Workbook::Format format, const QString& path, int lastRow, const SheetRowHandler& handler)
{
    switch (format) {
    case Workbook::Format::Xls: return readXls(path, lastRow, handler);
    case Workbook::Format::Xlsx: return readXlsx(path, lastRow, handler);
    case Workbook::Format::Ods: return readOds(path, lastRow, handler);
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
          SheetCells cells;
          QString name = readRowsOf(m_format, path, rowLimit, [&cells](const SheetRow& row) {
              for (std::size_t c = 0; c < row.cells.size(); ++c)
                  if (!std::holds_alternative<std::monostate>(row.cells[c])) cells.set(row.number, int(c) + 1, row.cells[c]);
              for (const auto& [col, reason] : row.unreadable) cells.setUnreadable(row.number, col, reason);
              return true;
          });
          return Worksheet(std::move(name), std::move(cells));
      }())
{
}

QString Workbook::readRows(Format format, const QString& path, int lastRow, const SheetRowHandler& handler)
{
    return readRowsOf(format, path, lastRow, handler);
}

const Worksheet& Workbook::Worksheets(int index) const
{
    if (index != 1) throw RuntimeError(QStringLiteral("Von der Arbeitsmappe wird nur das erste Tabellenblatt gelesen."));
    return m_sheet;
}

void Workbook::checkReadable(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) throw RuntimeError(QStringLiteral("Die Datei ist nicht vorhanden."));
    if (info.isDir()) throw RuntimeError(QStringLiteral("Das ist ein Ordner, keine Datei."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw RuntimeError(QStringLiteral("Die Datei kann nicht gelesen werden (keine Berechtigung?)."));
    char first = 0;
    if (!file.getChar(&first)) throw RuntimeError(QStringLiteral("Die Datei ist leer."));
}

Workbook::Format Workbook::detectFormat(const QString& path)
{
    checkReadable(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw RuntimeError(QStringLiteral("Die Datei kann nicht gelesen werden (keine Berechtigung?)."));
    const QByteArray head = file.read(8);
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
