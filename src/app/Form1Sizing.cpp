#include "app/Form1.h"

#include "app/MessageText.h"
#include "base/RuntimeError.h"
#include "pipes/PipeSeriesFile.h"
#include "pipes/SizingText.h"
#include "report/ReportContent.h"

#include <QDir>

// "Rohrweite bemessen…": the pipe that the shown result's peak flow needs in
// a series, and the pressure it loses. The choice stays with that result (the
// report shows it) until "Neue Eingabe".

const pipes::PipeCatalogue& Form1::pipeCatalogue()
{
    return m_catalogue.get(m_view, m_workbooks, m_numbers);
}

bool Form1::readPipeSeries()
{
    return m_catalogue.choose(m_view, m_workbooks, m_numbers);
}

void Form1::mnurohrweite_Click()
{
    if (!resultShown()) return;
    MarkedResult& result = *m_marked;
    View::SizingRequest request;
    request.flow = result.Q;
    request.catalogue = &pipeCatalogue();
    if (result.sizing) {
        request.texts = result.sizingTexts;
        request.size = result.sizing->size;
    } else {
        request.texts = m_sizingTexts;
        if (request.texts.series.isEmpty()) request.texts.series = m_catalogue.current().series().front().name;
        if (request.texts.maximumVelocity.isEmpty())
            request.texts.maximumVelocity = m_numbers.format(pipes::Conditions().maximumVelocity, NumberText::Pattern::OneDecimal);
        if (request.texts.temperature.isEmpty()) request.texts.temperature = m_numbers.exact(pipes::Conditions().temperature);
    }
    request.readSeriesFile = [this] { return readPipeSeries(); };

    const std::optional<View::SizingAnswer> answer = m_view.showSizingDialog(request);
    if (!answer) return;  // "Abbrechen": nothing changes
    const pipes::SizingSheet sheet = pipes::sizingSheet(result.Q, m_catalogue.current(), answer->texts, m_numbers);
    // The dialog lets only a sheet whose every box serves through.
    if (!sheet.valid() || answer->size >= sheet.rows.size()) throw RuntimeError(sheet.problemText());
    result.sizing = pipes::SizingChoice{sheet.series->name, answer->size, sheet.conditions};
    result.sizingTexts = answer->texts;
    m_sizingTexts = answer->texts;
}

void Form1::reportSizing(ReportContent& content) const
{
    const pipes::SizingChoice& choice = *m_marked->sizing;
    const pipes::PipeSeries* series = m_catalogue.current().find(choice.series);
    if (!series || choice.size >= series->sizes.size()) return;
    const pipes::SizeFlow f = pipes::flowIn(*series, choice.size, m_marked->Q, choice.conditions);
    const pipes::Conditions& c = choice.conditions;
    const auto loss = [&](double hPa) { return m_numbers.format(hPa, pipes::lossPattern) + QStringLiteral(" hPa"); };
    QStringList& lines = content.pipeSizing;
    lines << QStringLiteral("Rohrserie: %1 (k %2 mm)").arg(series->name, m_numbers.exact(series->roughness))
          << QStringLiteral("Rohr: %1, di %2 mm")
                 .arg(series->sizes[choice.size].label,
                      m_numbers.format(series->sizes[choice.size].innerDiameter, pipes::diameterPattern))
          << QStringLiteral("Fliessgeschwindigkeit v: %1 m/s (v max %2 m/s)")
                 .arg(m_numbers.format(f.velocity, pipes::velocityPattern), m_numbers.exact(c.maximumVelocity))
          << QStringLiteral("Druckgefälle R: %1 hPa/m").arg(m_numbers.format(f.gradient, pipes::lossPattern));
    if (c.length) lines << QStringLiteral("Länge l: %1 m, R·l: %2").arg(m_numbers.exact(*c.length), loss(*f.frictionLoss));
    if (c.lossCoefficients)
        lines << QStringLiteral("Σζ: %1, Z: %2").arg(m_numbers.exact(*c.lossCoefficients), loss(*f.fittingsLoss));
    if (f.pressureLoss) lines << QStringLiteral("Druckverlust Δp: %1").arg(loss(*f.pressureLoss));
    lines << QStringLiteral("Wassertemperatur: %1 °C").arg(m_numbers.exact(c.temperature));
    if (!f.withinLimit) lines << QStringLiteral("Hinweis: v über v max");
}
