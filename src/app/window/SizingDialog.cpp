#include "app/window/SizingDialog.h"

#include "base/NumberText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QColor overLimit(160, 0, 0);

// The boxes below the series, in the order of SizingSheet's boxes after it.
struct ValueBox {
    const char* label;  // with its access key
    const char* name;   // for screen readers
    const char* description;
};
constexpr ValueBox valueBoxes[] = {
    {"v &max (m/s):", "v max", "Grösste Fliessgeschwindigkeit in m/s"},
    {"&Länge (m):", "Länge", "Länge der Teilstrecke in m, leer: ohne Reibungsverlust"},
    {"&Σζ:", "Σζ", "Summe der Verlustbeiwerte der Einzelwiderstände, leer: ohne"},
    {"&Temperatur (°C):", "Temperatur", "Wassertemperatur in °C, 5 bis 90"},
};

}  // namespace

SizingDialog::SizingDialog(QWidget* parent, const NumberText& numbers, const View::SizingRequest& request)
    : QDialog(parent), m_numbers(numbers), m_request(request)
{
    setObjectName(QStringLiteral("SizingDialog"));
    setWindowTitle(QStringLiteral("Rohrweite bemessen"));

    auto* form = new QFormLayout;
    auto* flow = new QLineEdit(QStringLiteral("%1 l/s").arg(numbers.format(request.flow, NumberText::Pattern::TwoDecimals)));
    flow->setObjectName(QStringLiteral("sizingFlow"));
    flow->setReadOnly(true);
    flow->setFrame(false);
    flow->setAccessibleName(QStringLiteral("Gipfelfluss"));
    form->addRow(QStringLiteral("Gipfelfluss:"), flow);

    m_series = new QComboBox;
    m_series->setObjectName(QStringLiteral("sizingSeries"));
    m_series->setAccessibleName(QStringLiteral("Rohrserie"));
    auto* readFile = new QPushButton(QStringLiteral("Rohrserien &einlesen…"));
    readFile->setObjectName(QStringLiteral("sizingReadSeries"));
    readFile->setAutoDefault(false);
    auto* seriesRow = new QHBoxLayout;
    seriesRow->addWidget(m_series, 1);
    seriesRow->addWidget(readFile);
    auto* seriesLabel = new QLabel(QStringLiteral("&Rohrserie:"));
    seriesLabel->setBuddy(m_series);
    form->addRow(seriesLabel, seriesRow);

    const QString typed[] = {request.texts.maximumVelocity, request.texts.length, request.texts.lossCoefficients,
                             request.texts.temperature};
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        auto* box = new QLineEdit(typed[i]);
        box->setObjectName(QStringLiteral("sizingValue%1").arg(i));
        box->setAccessibleName(QString::fromUtf8(valueBoxes[i].name));
        box->setAccessibleDescription(QString::fromUtf8(valueBoxes[i].description));
        auto* label = new QLabel(QString::fromUtf8(valueBoxes[i].label));
        label->setBuddy(box);
        form->addRow(label, box);
        m_values[i] = box;
        connect(box, &QLineEdit::textEdited, this, [this, i] { update(i == 0 ? Keep::Recommended : Keep::Size); });
    }

    m_table = new QTableWidget(0, 5);
    m_table->setObjectName(QStringLiteral("sizingTable"));
    m_table->setAccessibleName(QStringLiteral("Rohrweiten"));
    m_table->setAccessibleDescription(QStringLiteral("Je Zeile ein Rohr der Serie; rot: v über v max"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Rohr"), QStringLiteral("di mm"), QStringLiteral("v m/s"),
                                        QStringLiteral("R hPa/m"), QStringLiteral("Δp hPa")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 5; ++c) m_table->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    m_table->setTabKeyNavigation(false);

    m_choice = new QLabel;
    m_choice->setObjectName(QStringLiteral("sizingChoice"));
    m_choice->setAccessibleName(QStringLiteral("Gewählt"));
    m_choice->setWordWrap(true);

    auto* buttons = new QDialogButtonBox;
    m_accept = buttons->addButton(QStringLiteral("Übernehmen"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setAutoDefault(false);
    m_accept->setAutoDefault(false);
    m_accept->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &SizingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SizingDialog::reject);
    connect(readFile, &QPushButton::clicked, this, &SizingDialog::readSeriesFile);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_choice);
    layout->addWidget(buttons);
    resize(520, 480);

    fillSeries();
    connect(m_series, &QComboBox::currentTextChanged, this, [this] { update(Keep::Recommended); });
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &SizingDialog::showChoice);
    update(m_request.size ? Keep::Size : Keep::Recommended);
    if (m_request.size && int(*m_request.size) < m_table->rowCount()) m_table->selectRow(int(*m_request.size));
    m_series->setFocus();
}

void SizingDialog::fillSeries()
{
    const QSignalBlocker quiet(m_series);
    const QString wanted = m_series->count() > 0 ? m_series->currentText() : m_request.texts.series;
    m_series->clear();
    for (const pipes::PipeSeries& series : m_request.catalogue->series()) m_series->addItem(series.name);
    const pipes::PipeSeries* found = m_request.catalogue->find(wanted);
    m_series->setCurrentIndex(found ? m_series->findText(found->name) : 0);
}

pipes::SizingTexts SizingDialog::texts() const
{
    return {m_series->currentText(), m_values[0]->text(), m_values[1]->text(), m_values[2]->text(), m_values[3]->text()};
}

void SizingDialog::update(Keep keep)
{
    const int chosen = m_table->currentRow();
    m_sheet = pipes::sizingSheet(m_request.flow, *m_request.catalogue, texts(), m_numbers);
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        const QString& problem = m_sheet.problems[i + 1];
        m_values[i]->setStyleSheet(problem.isEmpty() ? QString() : QStringLiteral("background: #ffd8d8"));
        m_values[i]->setToolTip(problem);
    }
    const QSignalBlocker quiet(m_table);
    m_table->setRowCount(int(m_sheet.rows.size()));
    for (int r = 0; r < int(m_sheet.rows.size()); ++r) {
        const pipes::SizingSheet::Row& row = m_sheet.rows[std::size_t(r)];
        const QString cells[] = {row.pipe, row.diameter, row.velocity, row.gradient, row.pressureLoss};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(int(c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            if (!row.withinLimit) {
                item->setForeground(overLimit);
                item->setToolTip(QStringLiteral("v über v max"));
            }
            m_table->setItem(r, c, item);
        }
    }
    if (m_sheet.valid()) {
        const int select = keep == Keep::Size && chosen >= 0 && chosen < m_table->rowCount() ? chosen : int(m_sheet.recommended);
        m_table->selectRow(select);
    }
    showChoice();
}

void SizingDialog::showChoice()
{
    const bool fine = m_sheet.valid() && m_table->currentRow() >= 0;
    m_choice->setText(fine ? pipes::chosenLine(m_sheet, std::size_t(m_table->currentRow()), m_request.flow, m_numbers)
                           : m_sheet.problemText());
    m_choice->setAccessibleDescription(m_choice->text());
    const bool within = fine && m_sheet.rows[std::size_t(m_table->currentRow())].withinLimit;
    m_choice->setStyleSheet(within ? QString() : QStringLiteral("color: #a00000"));
    m_accept->setEnabled(fine);
}

void SizingDialog::readSeriesFile()
{
    if (!m_request.readSeriesFile || !m_request.readSeriesFile()) return;
    fillSeries();
    update(Keep::Recommended);
}

View::SizingAnswer SizingDialog::answer() const
{
    return {texts(), std::size_t(std::max(0, m_table->currentRow()))};
}

void SizingDialog::accept()
{
    if (m_accept->isEnabled()) QDialog::accept();
}
