#include "report/Report.h"

#include "base/ProgramInfo.h"
#include "base/RuntimeError.h"
#include "report/ReportContent.h"

#include <QIODevice>
#include <QLocale>
#include <QPdfWriter>

namespace report {

QString title()
{
    return QStringLiteral("Berechnung Gipfelfluss");
}

QString programLine()
{
    return QStringLiteral("Gipfelfluss ") + QString::fromLatin1(programInfo::version);
}

QPageLayout pageLayout(const QLocale& locale)
{
    const QPageSize paper(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
    return QPageLayout(paper, QPageLayout::Portrait, QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
}

void writePdf(QIODevice& device, const ReportContent& content, const Chart& chart)
{
    QPdfWriter writer(&device);
    // Lines and text positions in 1/1200 inch; the file holds vectors either way.
    writer.setResolution(1200);
    writer.setPageLayout(pageLayout(content.locale));
    writer.setTitle(title());
    writer.setCreator(programLine());
    paint(writer, content, chart);
}

}  // namespace report
