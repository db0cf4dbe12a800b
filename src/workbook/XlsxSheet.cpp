#include "workbook/XlsxSheet.h"

#include "base/RuntimeError.h"
#include "workbook/SaxPart.h"
#include "workbook/SheetCells.h"
#include "workbook/XlsxSharedStrings.h"
#include "workbook/XmlNumber.h"

#include <string>

namespace {

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// "B12" -> row 12, column 2; false for anything else. Beyond the largest
// sheet reads as one past it.
bool parseReference(std::string_view ref, int& row, int& col)
{
    std::size_t i = 0;
    qint64 c = 0, r = 0;
    for (; i < ref.size() && ((ref[i] >= 'A' && ref[i] <= 'Z') || (ref[i] >= 'a' && ref[i] <= 'z')); ++i)
        c = std::min<qint64>(c * 26 + ((ref[i] & ~0x20) - 'A' + 1), SheetCells::maxCols + 1);
    const std::size_t digits = i;
    for (; i < ref.size() && ref[i] >= '0' && ref[i] <= '9'; ++i) r = std::min<qint64>(r * 10 + (ref[i] - '0'), SheetCells::maxRows + 1);
    if (c == 0 || i == digits || i != ref.size()) return false;
    row = int(r);
    col = int(c);
    return true;
}

class SheetHandler : public SaxHandler {
public:
    SheetHandler(const QString& part, const XlsxSheetContext& context, RowAssembler& rows)
        : m_part(part), m_context(context), m_rows(rows)
    {
    }

    void start(std::string_view name, std::string_view, const SaxAttributes& a) override
    {
        if (m_inCell) {
            if (m_inInline) m_inline.start(name);
            else if (name == "v") m_inValue = m_hasValue = true;
            else if (name == "f") m_hasFormula = true;
            else if (name == "is") m_inInline = m_hasInline = true;
        } else if (name == "row") {
            const std::optional<int> r = xmlInteger<int>(a.value("r"));
            m_row = r ? *r : m_row + 1;
            m_col = 0;
        } else if (name == "c") {
            int r = m_row, c = m_col + 1;
            const std::string_view ref = a.value("r");
            if (!ref.empty() && !parseReference(ref, r, c))
                throw RuntimeError(QStringLiteral("Der Teil „%1“ der Arbeitsmappe ist kein gültiges XML: die Datei ist "
                                                  "beschädigt.").arg(m_part));
            m_col = c;
            m_cellRow = std::max(r, 1);
            m_type = a.value("t");
            m_style = xmlInteger<int>(a.value("s")).value_or(0);
            m_value.clear();
            m_inline.text.clear();
            m_inline.phonetic = 0;
            m_inInline = m_inValue = m_hasValue = m_hasFormula = m_hasInline = false;
            m_inCell = true;
        }
    }

    void end(std::string_view name, std::string_view) override
    {
        if (!m_inCell) return;
        if (name == "c") {
            m_inCell = false;
            finishCell();
        } else if (m_inInline) {
            if (name == "is") m_inInline = false;
            else m_inline.end(name);
        } else if (name == "v") {
            m_inValue = false;
        }
    }

    void characters(std::string_view piece) override
    {
        if (m_inInline) m_inline.characters(piece);
        else if (m_inValue) m_value += piece;
    }

    bool active() const { return m_rows.active(); }

private:
    void unreadable()
    {
        m_rows.setUnreadable(m_cellRow, m_col, QStringLiteral("Der Wert der Zelle %1 ist unlesbar: die Datei ist beschädigt.")
                                                   .arg(SheetCells::reference(m_cellRow, m_col)));
    }

    void finishCell()
    {
        const int row = m_cellRow, col = m_col;
        const std::string_view type = m_type;
        if (type == "inlineStr") return m_rows.set(row, col, m_hasInline ? m_inline.value() : utf8(m_value));
        // An empty <v> of a formula is a result not saved, as much as a missing one.
        if (!m_hasValue || (type != "str" && xmlTrimmed(m_value).empty())) {
            if (m_hasFormula)
                m_rows.setUnreadable(row, col, QStringLiteral("Die Zelle %1 enthält eine Formel ohne gespeichertes Ergebnis. "
                                                              "Bitte die Arbeitsmappe in einem Tabellenprogramm öffnen, "
                                                              "berechnen lassen und speichern.")
                                                   .arg(SheetCells::reference(row, col)));
            return;  // a cell with a format only
        }
        if (type == "s") {
            const std::optional<qulonglong> index = xmlInteger<qulonglong>(m_value);
            std::optional<QString> text = index ? m_context.sharedStrings.at(*index) : std::nullopt;
            if (!text) return unreadable();
            m_rows.set(row, col, std::move(*text));
        } else if (type == "str") {
            m_rows.set(row, col, utf8(m_value));
        } else if (type == "b") {
            const std::string_view v = xmlTrimmed(m_value);
            m_rows.set(row, col, v == "1" || v == "true");
        } else if (type == "e") {
            m_rows.set(row, col, CellError{utf8(xmlTrimmed(m_value))});
        } else if (type == "d") {
            const QDateTime when = QDateTime::fromString(utf8(xmlTrimmed(m_value)), Qt::ISODate);
            if (!when.isValid()) return unreadable();
            m_rows.set(row, col, when);
        } else {
            const std::optional<double> number = xmlNumber(m_value);
            if (!number) return unreadable();
            const auto& dates = m_context.dateStyles;
            if (m_style >= 0 && std::size_t(m_style) < dates.size() && dates[std::size_t(m_style)])
                if (const auto when = spreadsheetDate::fromSerial(*number, m_context.system)) return m_rows.set(row, col, *when);
            m_rows.set(row, col, *number);
        }
    }

    const QString& m_part;
    const XlsxSheetContext& m_context;
    RowAssembler& m_rows;
    int m_row = 0, m_col = 0;  // of the last row and cell begun
    // The cell being read.
    bool m_inCell = false, m_inValue = false, m_inInline = false;
    bool m_hasValue = false, m_hasFormula = false, m_hasInline = false;
    int m_cellRow = 0;
    int m_style = 0;
    std::string m_type, m_value;
    XlsxStringItem m_inline;
};

}  // namespace

void readXlsxSheet(const ZipPackage& zip, const QString& part, const XlsxSheetContext& context, RowAssembler& rows)
{
    SheetHandler handler(part, context, rows);
    SaxPart xml(zip, part, handler);
    // Rows come in ascending order: reading stops at the first row below the last one asked for.
    while (handler.active() && xml.step()) {
    }
    rows.endRow();
}
