#include "sections/SectionRun.h"

#include "base/CellText.h"
#include "base/RuntimeError.h"
#include "base/SaveFile.h"
#include "base/SeparatedText.h"
#include "base/SheetLimits.h"
#include "pipes/SizingText.h"
#include "sections/SectionList.h"
#include "workbook/WorkbookFiles.h"

#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <array>
#include <memory>

namespace {

// The sizing columns of a sized section after "Rohr" and "di mm": v, R,
// R·l, Z, Δp, each with its pattern (velocity two decimals, losses one) and
// none where the section has no such value.
struct SizingValue {
    std::optional<double> value;
    NumberText::Pattern pattern;
    QString numberFormat;  // the pattern as a workbook's format code
};

std::array<SizingValue, 5> sizingValues(const SectionResult& r)
{
    const auto loss = [](std::optional<double> value) { return SizingValue{value, pipes::lossPattern, QStringLiteral("0.0")}; };
    if (!r.sizing) return {loss({}), loss({}), loss({}), loss({}), loss({})};
    const pipes::SizeFlow& f = r.sizing->flow;
    return {SizingValue{f.velocity, pipes::velocityPattern, QStringLiteral("0.00")}, loss(f.gradient), loss(f.frictionLoss),
            loss(f.fittingsLoss), loss(f.pressureLoss)};
}

// The words of the formula column, made once for each case: every section
// of a list takes one of six.
class FormulaTexts {
public:
    const QString& of(const SectionList& list, const SectionResult& r)
    {
        static const QString none;
        if (!r.hasFlow()) return none;
        QString& text = m_texts[r.singlePoint ? 6 : std::size_t(*r.formula)];
        if (text.isNull()) text = list.formulaText(r);
        return text;
    }

private:
    std::array<QString, 7> m_texts;  // by calc::Case, then a single draw-off point's
};

// A section's water content, l, two decimals: a metre of 16 mm holds 0,2 l.
constexpr NumberText::Pattern contentPattern = NumberText::Pattern::TwoDecimals;

// The pressure columns of a network's section, one decimal each, as the
// list's headings have them; then the word of the "Fliessweg" column.
std::vector<std::optional<double>> pressureValues(const SectionList& list, const SectionResult& r)
{
    std::vector<std::optional<double>> values;
    if (list.networkColumns().hasHeight()) values.push_back(r.pressure.staticLoss);
    values.push_back(r.pressure.required);
    if (list.withSupply()) {
        values.push_back(r.pressure.start);
        values.push_back(r.pressure.reserve);
    }
    return values;
}

const QString& pathWord(const SectionResult& r)
{
    static const QString onPath = QStringLiteral("ungünstigster"), none;
    return r.pressure.onPath ? onPath : none;
}

// Results as lines of text: every cell as the window or a spreadsheet shows
// it. The lines are handed on in pieces of about 64 KiB, and what is left
// when the sink ends (by an error too, so that the rows before it are there).
class TextSink : public SectionSink {
public:
    TextSink(QIODevice& out, QChar separator, bool byteOrderMark) : m_out(out), m_separator(separator)
    {
        if (byteOrderMark) m_bytes = QByteArray("\xEF\xBB\xBF");
    }
    ~TextSink() override
    {
        try {
            flush();
        } catch (const RuntimeError&) {
            // Only after another failure, which is the one reported.
        }
    }

    void headings(const QStringList& headings) override
    {
        for (const QString& heading : headings) field(heading);
        endLine();
    }

    void section(const SectionList& list, const SectionResult& r) override
    {
        const NumberText& numbers = list.numbers();
        if (list.numbered()) field(QString::number(r.number));
        for (const CellValue& cell : r.cells) field(cellText(cell, numbers));
        for (const std::optional<double>& counted : list.countedCells(r)) field(counted ? numbers.exact(*counted) : QString());
        field(m_formulas.of(list, r));
        if (r.hasFlow()) {
            field(numbers.format(r.flow, NumberText::Pattern::TwoDecimals));
            field(numbers.format(r.flow * 60, NumberText::Pattern::OneDecimal));
        } else {
            field(QString());
            field(QString());
        }
        if (list.sized()) {
            if (r.sizing) {
                field(r.sizing->pipe());
                field(numbers.format(r.sizing->diameter(), pipes::diameterPattern));
            } else {
                field(QString());
                field(QString());
            }
            for (const SizingValue& v : sizingValues(r)) field(v.value ? numbers.format(*v.value, v.pattern) : QString());
        }
        if (list.sized() && list.network()) {
            const std::optional<double> content = r.sizing ? r.sizing->content() : std::nullopt;
            field(content ? numbers.format(*content, contentPattern) : QString());
        }
        if (list.byPressure()) field(r.sizing ? r.sizing->series->sizeName(r.sizing->byVelocity) : QString());
        if (list.pressure()) {
            for (const std::optional<double>& v : pressureValues(list, r))
                field(v ? numbers.format(*v, pipes::lossPattern) : QString());
            field(pathWord(r));
        }
        field(r.hint);
        endLine();
    }

    // Hands on what waits; throws RuntimeError when it cannot be written.
    void flush()
    {
        if (m_bytes.isEmpty()) return;
        const qint64 written = m_out.write(m_bytes);
        const qsizetype size = m_bytes.size();
        m_bytes.resize(0);
        if (written != size)
            throw RuntimeError(QStringLiteral("Das Schreiben ist fehlgeschlagen (%1).").arg(m_out.errorString()));
    }

private:
    static constexpr qsizetype pieceSize = 64 * 1024;

    void field(const QString& text)
    {
        if (m_fields > 0) m_line += m_separator;
        m_line += separatedField(text, m_separator);
        ++m_fields;
    }

    void endLine()
    {
        m_line += QLatin1Char('\n');
        m_bytes += m_line.toUtf8();
        m_line.resize(0);
        m_fields = 0;
        if (m_bytes.size() >= pieceSize) flush();
    }

    QIODevice& m_out;
    QChar m_separator;
    QString m_line;    // the line being made, its room kept
    int m_fields = 0;  // in m_line
    QByteArray m_bytes;  // lines not yet handed on, in UTF-8
    FormulaTexts m_formulas;
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
        for (const std::optional<double>& counted : list.countedCells(r)) {
            if (counted) add(cells, *counted);
            else ++m_col;
        }
        add(cells, m_formulas.of(list, r));
        if (r.hasFlow()) {
            add(cells, r.flow, QStringLiteral("0.00"));
            add(cells, r.flow * 60, QStringLiteral("0.0"));
        } else {
            m_col += 2;
        }
        if (list.sized()) {
            if (r.sizing) {
                add(cells, r.sizing->pipe());
                add(cells, r.sizing->diameter(), QStringLiteral("0.0"));
            } else {
                m_col += 2;
            }
            for (const SizingValue& v : sizingValues(r)) {
                if (v.value) add(cells, *v.value, v.numberFormat);
                else ++m_col;
            }
        }
        if (list.sized() && list.network()) {
            const std::optional<double> content = r.sizing ? r.sizing->content() : std::nullopt;
            if (content) add(cells, *content, QStringLiteral("0.00"));
            else ++m_col;
        }
        if (list.byPressure()) add(cells, r.sizing ? r.sizing->series->sizeName(r.sizing->byVelocity) : QString());
        if (list.pressure()) {
            for (const std::optional<double>& v : pressureValues(list, r)) {
                if (v) add(cells, *v, QStringLiteral("0.0"));
                else ++m_col;
            }
            add(cells, pathWord(r));
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
    FormulaTexts m_formulas;
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
                               SectionSink& sink, const SizingOptions& sizing)
{
    SectionList list(numbers, sizing);
    WorkbookFiles::FileKind kind = WorkbookFiles::FileKind::Workbook;
    SectionCount count;
    bool headed = false;
    QString failure, listFailure;
    std::vector<NetworkRow> networkRows;  // a network's rows, until the last is read
    const auto hand = [&](const SectionResult& result) {
        ++(result.accepted() ? count.calculated : count.refused);
        sink.section(list, result);
    };
    // The first row that holds anything carries the headings.
    const QString reason = files.readRows(listPath, maxSheetRows, [&](int row, const std::vector<CellValue>& cells) {
        // Nothing may be thrown through the workbook module: a failure stops
        // the reading and is raised once it has returned.
        try {
            if (holdsNothing(cells)) return true;
            if (!headed) {
                try {
                    list.setHeadings(cells, kind == WorkbookFiles::FileKind::SeparatedText ? SectionList::Source::SeparatedText
                                                                                           : SectionList::Source::Workbook);
                } catch (const RuntimeError& error) {
                    listFailure = QString::fromUtf8(error.what());
                    return false;
                }
                // A network's headings wait for its rows, which tell whether a supply pressure is given.
                if (!list.network()) sink.headings(list.headings());
                headed = true;
                return true;
            }
            if (list.network()) {
                // Kept with room for every heading's cell, so that the result takes them as they are.
                NetworkRow& kept = networkRows.emplace_back();
                kept.cells.reserve(std::max(cells.size(), std::size_t(list.inputColumns())));
                kept.cells.assign(cells.begin(), cells.end());
                kept.row = row;
            } else {
                hand(list.calculate(cells));
            }
            return true;
        } catch (const RuntimeError& error) {
            failure = QString::fromUtf8(error.what());
        } catch (const std::bad_alloc&) {
            failure = QStringLiteral("Zu wenig Arbeitsspeicher.");
        }
        return false;
    }, kind);
    if (!listFailure.isEmpty()) throw ListError(listFailure);
    if (!failure.isEmpty()) throw RuntimeError(failure);
    if (!reason.isEmpty()) throw ListError(reason);
    if (!headed) throw ListError(QStringLiteral("Die Liste der Teilstrecken ist leer."));
    if (list.network()) {
        list.takeNetwork(networkRows);
        sink.headings(list.headings());
        list.networkColumns().calculate(list, networkRows, count.network, hand);
    }
    return count;
}

SectionCount writeSectionResults(const WorkbookFiles& files, const QString& listPath, const QString& resultPath,
                                 const NumberText& numbers, const SizingOptions& sizing)
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
            count = calculateSections(files, listPath, numbers, sink, sizing);
            sink.flush();
        });
        return count;
    }
    saveDraftedFile(resultPath, [&](const QString& draft) {
        QString reason;
        const std::unique_ptr<RowWriter> writer = files.newWorkbook(draft, QStringLiteral("Teilstrecken"), reason);
        if (!writer) throw RuntimeError(reason);
        WorkbookSink sink(*writer);
        count = calculateSections(files, listPath, numbers, sink, sizing);
        reason = writer->finish();
        if (!reason.isEmpty()) throw RuntimeError(reason);
    });
    return count;
}

SectionCount printSectionResults(const WorkbookFiles& files, const QString& listPath, const NumberText& numbers,
                                 QIODevice& out, const SizingOptions& sizing)
{
    TextSink sink(out, QLatin1Char('\t'), false);
    const SectionCount count = calculateSections(files, listPath, numbers, sink, sizing);
    sink.flush();
    return count;
}
