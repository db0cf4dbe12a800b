#include "report/Report.h"

#include "base/RuntimeError.h"
#include "report/ChartReplay.h"
#include "report/ReportContent.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <vector>

// The pages of the report, laid out twice: once to count the pages (for
// "Seite N von M"), once to paint them. Lengths are in device pixels unless a
// name says millimetres.

namespace {

const QString fontFamily = QStringLiteral("Liberation Sans");
const QColor ruleColour(150, 150, 150);
const QColor headerFill(230, 230, 230);
const QColor quiet(90, 90, 90);

QFont reportFont(double points, bool bold = false)
{
    QFont font(fontFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

using Row = std::vector<ReportContent::Cell>;

// One page after the other, from the top of the printable area down to the
// footer. Without a painter it only measures.
class Pages {
public:
    Pages(QPagedPaintDevice& device, QPainter* painter, int pageCount)
        : m_device(device), m_painter(painter), m_pageCount(pageCount)
    {
        m_footerFont = reportFont(8);
        m_bottom = m_device.height() - QFontMetricsF(m_footerFont, &m_device).height() - mm(4);
    }

    double mm(double millimetres) const { return millimetres * m_device.logicalDpiY() / 25.4; }
    double width() const { return m_device.width(); }
    double y() const { return m_y; }
    int number() const { return m_number; }
    QPainter* painter() const { return m_painter; }
    QPaintDevice& device() const { return m_device; }

    bool fits(double height) const { return m_y + height <= m_bottom || m_y == 0; }
    void need(double height)
    {
        if (!fits(height)) newPage();
    }
    void advance(double height) { m_y += height; }

    void newPage()
    {
        paintFooter();
        if (m_painter) m_device.newPage();
        ++m_number;
        m_y = 0;
    }
    void finish() { paintFooter(); }

    // One line of text at the left edge.
    void line(const QFont& font, const QString& text, const QColor& colour = Qt::black)
    {
        const QFontMetricsF metrics(font, &m_device);
        need(metrics.height());
        if (m_painter) {
            m_painter->setFont(font);
            m_painter->setPen(colour);
            m_painter->drawText(QPointF(0, m_y + metrics.ascent()), text);
        }
        advance(metrics.height());
    }

private:
    void paintFooter()
    {
        if (!m_painter) return;
        const QFontMetricsF metrics(m_footerFont, &m_device);
        const double top = m_device.height() - metrics.height();
        m_painter->setPen(QPen(ruleColour, mm(0.2)));
        m_painter->drawLine(QPointF(0, top - mm(1.5)), QPointF(width(), top - mm(1.5)));
        m_painter->setFont(m_footerFont);
        m_painter->setPen(quiet);
        const QRectF area(0, top, width(), metrics.height());
        m_painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, report::programLine());
        m_painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter,
                            QStringLiteral("Seite %1 von %2").arg(m_number).arg(m_pageCount));
    }

    QPagedPaintDevice& m_device;
    QPainter* m_painter;
    int m_pageCount;
    int m_number = 1;
    double m_y = 0;
    double m_bottom = 0;
    QFont m_footerFont;
};

// A table whose rows are never split; a row that does not fit on the page
// starts the next one, below the header row repeated.
class Table {
public:
    Table(Pages& pages, std::vector<double> widths) : m_pages(pages), m_widths(std::move(widths))
    {
        m_font = reportFont(9);
        m_headerFont = reportFont(9, true);
        m_padX = pages.mm(1.5);
        m_padY = pages.mm(0.9);
    }

    void paint(const std::vector<Row>& rows)
    {
        if (rows.empty()) return;
        const Row& header = rows.front();
        // A heading stands over its column's numbers as they stand.
        Row alignedHeader = header;
        if (rows.size() > 1)
            for (std::size_t c = 0; c < alignedHeader.size() && c < rows[1].size(); ++c)
                alignedHeader[c].number = rows[1][c].number;
        const double headerHeight = height(header, m_headerFont);
        const double first = rows.size() > 1 ? height(rows[1], m_font) : 0;
        m_pages.need(headerHeight + first);
        paintRow(alignedHeader, m_headerFont, headerHeight, true);
        for (std::size_t r = 1; r < rows.size(); ++r) {
            const double h = height(rows[r], m_font);
            if (!m_pages.fits(h)) {
                m_pages.newPage();
                paintRow(alignedHeader, m_headerFont, headerHeight, true);
            }
            paintRow(rows[r], m_font, h, false);
        }
    }

    // Height of the table's header and first row, to keep a heading with them.
    double start(const std::vector<Row>& rows) const
    {
        double h = rows.empty() ? 0 : height(rows.front(), m_headerFont);
        if (rows.size() > 1) h += height(rows[1], m_font);
        return h;
    }

private:
    static constexpr int wrapping = Qt::TextWordWrap | Qt::TextWrapAnywhere;

    double textWidth(std::size_t col) const
    {
        return std::max(1.0, (col < m_widths.size() ? m_widths[col] : 0) - 2 * m_padX);
    }

    double height(const Row& row, const QFont& font) const
    {
        const QFontMetricsF metrics(font, &m_pages.device());
        double h = metrics.height();
        for (std::size_t c = 0; c < row.size() && c < m_widths.size(); ++c)
            h = std::max(h, metrics.boundingRect(QRectF(0, 0, textWidth(c), 1e9), wrapping, row[c].text).height());
        return h + 2 * m_padY;
    }

    void paintRow(const Row& row, const QFont& font, double h, bool header)
    {
        if (QPainter* p = m_pages.painter()) {
            double x = 0;
            const double y = m_pages.y();
            if (header) p->fillRect(QRectF(0, y, total(), h), headerFill);
            p->setFont(font);
            p->setPen(Qt::black);
            for (std::size_t c = 0; c < row.size() && c < m_widths.size(); ++c) {
                const Qt::Alignment align = (row[c].number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
                p->drawText(QRectF(x + m_padX, y + m_padY, textWidth(c), h - 2 * m_padY), int(align) | wrapping,
                            row[c].text);
                x += m_widths[c];
            }
            p->setPen(QPen(ruleColour, m_pages.mm(0.15)));
            x = 0;
            for (std::size_t c = 0; c <= m_widths.size(); ++c) {
                p->drawLine(QPointF(x, y), QPointF(x, y + h));
                if (c < m_widths.size()) x += m_widths[c];
            }
            p->drawLine(QPointF(0, y), QPointF(total(), y));
            p->drawLine(QPointF(0, y + h), QPointF(total(), y + h));
        }
        m_pages.advance(h);
    }

    double total() const
    {
        double sum = 0;
        for (const double w : m_widths) sum += w;
        return sum;
    }

    Pages& m_pages;
    std::vector<double> m_widths;
    QFont m_font;
    QFont m_headerFont;
    double m_padX;
    double m_padY;
};

std::vector<Row> formulaRows(const ReportContent& content)
{
    std::vector<Row> rows{{{QStringLiteral("Formel")}, {QStringLiteral("a")}, {QStringLiteral("b")},
                           {QStringLiteral("Mindest-Total BW")}}};
    for (const ReportContent::Formula& f : content.formulas)
        rows.push_back({{f.name}, {f.a, true}, {f.b, true}, {f.minimumTotal, true}});
    return rows;
}

// Lays out (and with a painter paints) every page; returns the page count.
int layOut(QPagedPaintDevice& device, QPainter* painter, const ReportContent& content, const report::Chart& chart,
           int pageCount)
{
    Pages pages(device, painter, pageCount);
    const QFont heading = reportFont(11, true);
    const QFont body = reportFont(10);

    pages.line(reportFont(16, true), report::title() + QStringLiteral(" – Protokoll"));
    pages.advance(pages.mm(1));
    pages.line(reportFont(9), QStringLiteral("Erstellt am ") + content.created, quiet);
    pages.advance(pages.mm(5));

    const ChartDrawing& drawing = chart.drawing;
    if (drawing.width > 0 && drawing.height > 0) {
        const double h = pages.width() * drawing.height / drawing.width;
        pages.need(h);
        if (painter) replayChart(*painter, QRectF(0, pages.y(), pages.width(), h), chart);
        pages.advance(h + pages.mm(6));
    }

    if (!content.operatingPoint.isEmpty()) {
        pages.line(heading, QStringLiteral("Betriebspunkt"));
        pages.advance(pages.mm(1));
        for (const QString& text : content.operatingPoint) pages.line(body, text);
        pages.advance(pages.mm(5));
    }

    if (!content.pipeSizing.isEmpty()) {
        pages.need(pages.mm(8) + pages.mm(5) * 3);
        pages.line(heading, QStringLiteral("Rohrweite"));
        pages.advance(pages.mm(1));
        for (const QString& text : content.pipeSizing) pages.line(body, text);
        pages.advance(pages.mm(5));
    }

    const double w = pages.width();
    if (!content.tally.empty()) {
        Table tally(pages, {w * 0.46, w * 0.18, w * 0.18, w * 0.18});
        pages.need(pages.mm(8) + tally.start(content.tally));
        pages.line(heading, QStringLiteral("Ermittlung der Belastungswerte"));
        pages.advance(pages.mm(1));
        tally.paint(content.tally);
        pages.advance(pages.mm(6));
    }

    Table formulas(pages, {w * 0.46, w * 0.18, w * 0.18, w * 0.18});
    const std::vector<Row> formulaTable = formulaRows(content);
    pages.need(pages.mm(20) + formulas.start(formulaTable));
    pages.line(heading, QStringLiteral("Berechnungsgrundlage"));
    pages.advance(pages.mm(1));
    pages.line(body, QStringLiteral("Q = 10^(a · log10 BW + b) / 10 l/s"));
    pages.line(reportFont(9), QStringLiteral("BW: Total Belastungswerte; Q in l/min = 60 · Q in l/s"), quiet);
    pages.advance(pages.mm(2));
    formulas.paint(formulaTable);
    pages.advance(pages.mm(6));

    if (!content.table.empty()) {
        const std::size_t cols = content.table.front().size();
        Table results(pages, std::vector<double>(cols, w / double(std::max<std::size_t>(cols, 1))));
        pages.need(pages.mm(8) + results.start(content.table));
        pages.line(heading, QStringLiteral("Resultate"));
        pages.advance(pages.mm(1));
        results.paint(content.table);
    }

    pages.finish();
    return pages.number();
}

}  // namespace

namespace report {

void paint(QPagedPaintDevice& device, const ReportContent& content, const Chart& chart)
{
    const int pageCount = layOut(device, nullptr, content, chart, 0);
    QPainter painter;
    if (!painter.begin(&device)) throw RuntimeError(QStringLiteral("Das Ausgabegerät nimmt keine Seiten an."));
    layOut(device, &painter, content, chart, pageCount);
    if (!painter.end()) throw RuntimeError(QStringLiteral("Die Seiten können nicht ausgegeben werden."));
}

}  // namespace report
