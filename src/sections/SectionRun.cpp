#include "sections/SectionRun.h"

#include "base/CellText.h"
#include "base/RuntimeError.h"
#include "base/SaveFile.h"
#include "base/SeparatedText.h"
#include "base/SheetLimits.h"
#include "sections/SectionList.h"
#include "workbook/WorkbookFiles.h"

#include <QFileInfo>
#include <QIODevice>

#include <memory>

namespace {

// Results as lines of text: every cell as the window or a spreadsheet shows it.
class TextSink : public SectionSink {
public:
    TextSink(QIODevice& out, QChar separator, bool byteOrderMark) : m_out(out), m_separator(separator)
    {
        if (byteOrderMark) write(QByteArray("\xEF\xBB\xBF"));
    }

    void headings(const QStringList& headings) override { line(headings); }

    void section(const SectionList& list, const SectionResult& r) override
    {
        const NumberText& numbers = list.numbers();
        QStringList fields;
        if (list.numbered()) fields << QString::number(r.number);
        for (const CellValue& cell : r.cells) fields << cellText(cell, numbers);
        fields << list.formulaText(r);
        if (r.formula)
            fields << numbers.format(r.flow, NumberText::Pattern::TwoDecimals)
                   << numbers.format(r.flow * 60, NumberText::Pattern::OneDecimal);
        else
            fields << QString() << QString();
        fields << r.hint;
        line(fields);
    }

private:
    void line(const QStringList& fields)
    {
        QStringList written;
        for (const QString& field : fields) written << separatedField(field, m_separator);
        write((written.join(m_separator) + QLatin1Char('\n')).toUtf8());
    }

    void write(const QByteArray& bytes)
    {
        if (m_out.write(bytes) != bytes.size())
            throw RuntimeError(QStringLiteral("Das Schreiben ist fehlgeschlagen (%1).").arg(m_out.errorString()));
    }

    QIODevice& m_out;
    QChar m_separator;
};

// Results as a worksheet: the input's numbers stay numbers, the flows are
// number cells holding the unrounded values, shown as the window shows them.
class WorkbookSink : public SectionSink {
public:
    explicit WorkbookSink(RowWriter& writer) : m_writer(writer) {}

    void headings(const QStringList& headings) override
    {
        std::vector<WrittenCell>& cells = m_cells;
        for (const QString& heading : headings) add(cells, heading);
        write(cells);
    }

    void section(const SectionList& list, const SectionResult& r) override
    {
        std::vector<WrittenCell>& cells = m_cells;
        if (list.numbered()) add(cells, double(r.number));
        for (std::size_t c = 0; c < r.cells.size(); ++c) {
            const CellValue cell = list.workbookCell(r, c);
            if (std::holds_alternative<std::monostate>(cell)) {
                ++m_col;
            } else if (const double* number = std::get_if<double>(&cell)) {
                add(cells, *number);
            } else if (const QString* text = std::get_if<QString>(&cell)) {
                add(cells, *text);
            } else {
                add(cells, cellText(cell, list.numbers()));
            }
        }
        add(cells, list.formulaText(r));
        if (r.formula) {
            add(cells, r.flow, QStringLiteral("0.00"));
            add(cells, r.flow * 60, QStringLiteral("0.0"));
        } else {
            m_col += 2;
        }
        add(cells, r.hint);
        write(cells);
    }

private:
    void add(std::vector<WrittenCell>& cells, std::variant<QString, double> value, const QString& format = {})
    {
        ++m_col;
        if (const QString* text = std::get_if<QString>(&value); text && text->isEmpty()) return;
        cells.push_back({m_row, m_col, std::move(value), format});
    }

    void write(const std::vector<WrittenCell>& cells)
    {
        const QString reason = m_writer.addRow(cells);
        if (!reason.isEmpty()) throw RuntimeError(reason);
        ++m_row;
        m_col = 0;
        m_cells.clear();
    }

    RowWriter& m_writer;
    std::vector<WrittenCell> m_cells;  // of the row being made, its room kept from row to row
    int m_row = 1, m_col = 0;
};

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo first(a), second(b);
    if (!first.exists() || !second.exists()) return false;
    return first.canonicalFilePath() == second.canonicalFilePath();
}

}  // namespace

SectionCount calculateSections(const WorkbookFiles& files, const QString& listPath, const NumberText& numbers,
                               SectionSink& sink)
{
    SectionList list(numbers, isSeparatedTextName(listPath) ? SectionList::Source::SeparatedText
                                                             : SectionList::Source::Workbook);
    SectionCount count;
    bool headed = false;
    QString failure, listFailure;
    // The first row that holds anything carries the headings.
    const QString reason = files.readRows(listPath, maxSheetRows, [&](int, const std::vector<CellValue>& cells) {
        // Nothing may be thrown through the workbook module: a failure stops
        // the reading and is raised once it has returned.
        try {
            if (holdsNothing(cells)) return true;
            if (!headed) {
                try {
                    list.setHeadings(cells);
                } catch (const RuntimeError& error) {
                    listFailure = QString::fromUtf8(error.what());
                    return false;
                }
                sink.headings(list.headings());
                headed = true;
                return true;
            }
            const SectionResult result = list.calculate(cells);
            ++(result.formula ? count.calculated : count.refused);
            sink.section(list, result);
            return true;
        } catch (const RuntimeError& error) {
            failure = QString::fromUtf8(error.what());
        } catch (const std::bad_alloc&) {
            failure = QStringLiteral("Zu wenig Arbeitsspeicher.");
        }
        return false;
    });
    if (!listFailure.isEmpty()) throw ListError(listFailure);
    if (!failure.isEmpty()) throw RuntimeError(failure);
    if (!reason.isEmpty()) throw ListError(reason);
    if (!headed) throw ListError(QStringLiteral("Die Liste der Teilstrecken ist leer."));
    return count;
}

SectionCount writeSectionResults(const WorkbookFiles& files, const QString& listPath, const QString& resultPath,
                                 const NumberText& numbers)
{
    if (sameFile(listPath, resultPath))
        throw RuntimeError(QStringLiteral("Das Ergebnis kann nicht in die Liste der Teilstrecken selbst geschrieben werden."));
    const QString suffix = QFileInfo(resultPath).suffix().toLower();
    if (!resultSuffixes.contains(suffix))
        throw RuntimeError(QStringLiteral("Das Ergebnis wird nur als .xlsx, .csv oder .tsv gespeichert, nach der Endung seines Namens."));
    SectionCount count;
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("tsv")) {
        // A spreadsheet program reads UTF-8 from a CSV file by its byte-order
        // mark; a comma locale separates its fields with semicolons.
        const bool csv = suffix == QLatin1String("csv");
        const QChar separator = !csv ? QLatin1Char('\t')
                                : numbers.locale().decimalPoint() == QLatin1String(",") ? QLatin1Char(';')
                                                                                         : QLatin1Char(',');
        saveFile(resultPath, [&](QIODevice& out) {
            TextSink sink(out, separator, csv);
            count = calculateSections(files, listPath, numbers, sink);
        });
        return count;
    }
    saveDraftedFile(resultPath, [&](const QString& draft) {
        QString reason;
        const std::unique_ptr<RowWriter> writer = files.newWorkbook(draft, QStringLiteral("Teilstrecken"), reason);
        if (!writer) throw RuntimeError(reason);
        WorkbookSink sink(*writer);
        count = calculateSections(files, listPath, numbers, sink);
        reason = writer->finish();
        if (!reason.isEmpty()) throw RuntimeError(reason);
    });
    return count;
}

SectionCount printSectionResults(const WorkbookFiles& files, const QString& listPath, const NumberText& numbers,
                                 QIODevice& out)
{
    TextSink sink(out, QLatin1Char('\t'), false);
    return calculateSections(files, listPath, numbers, sink);
}
