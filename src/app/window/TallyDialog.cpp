#include "app/window/TallyDialog.h"

#include "app/window/TallyModel.h"
#include "app/window/TallyTableView.h"
#include "base/NumberText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <set>

namespace {

// A value of the summary: a read-only box without a frame, which a screen
// reader names after what it holds and reads its text (of a label it reads
// only the name).
QLineEdit* addValue(QFormLayout& form, const QString& name)
{
    auto* value = new QLineEdit;
    value->setReadOnly(true);
    value->setFrame(false);
    value->setAccessibleName(name);
    QPalette colours = value->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    value->setPalette(colours);
    form.addRow(name + QLatin1Char(':'), value);
    return value;
}

}  // namespace

TallyDialog::TallyDialog(QWidget* parent, const NumberText& numbers, const View::TallyRequest& request)
    : QDialog(parent), m_numbers(numbers), m_request(request)
{
    setObjectName(QStringLiteral("TallyDialog"));
    setWindowTitle(QStringLiteral("Belastungswerte zusammenzählen"));

    m_model = new TallyModel(numbers, request.rows, request.catalogue, this);
    m_table = new TallyTableView;
    m_table->setObjectName(QStringLiteral("tallyTable"));
    m_table->setAccessibleName(QStringLiteral("Entnahmestellen"));
    m_table->setAccessibleDescription(QStringLiteral("Je Zeile eine Entnahmestelle: Name, BW je Stück und Anzahl"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(new TallyCellDelegate([this] { return offers(); }, m_table));
    m_table->horizontalHeader()->setSectionResizeMode(TallyModel::Name, QHeaderView::Stretch);
    for (int column : {TallyModel::UnitsEach, TallyModel::Count, TallyModel::Units})
        m_table->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(false);
    // Room for a number of several digits below the shortest heading.
    m_table->horizontalHeader()->setMinimumSectionSize(m_table->fontMetrics().horizontalAdvance(QStringLiteral("0000,00")) + 16);

    auto* summary = new QFormLayout;
    m_total = addValue(*summary, QStringLiteral("Total Belastungswerte"));
    m_largest = addValue(*summary, QStringLiteral("Grösster Einzel BW"));
    m_verdict = new QLabel;
    m_verdict->setObjectName(QStringLiteral("tallyVerdict"));
    m_verdict->setAccessibleName(QStringLiteral("Berechnung"));
    m_verdict->setWordWrap(true);

    // The row commands at the left, "Übernehmen" and "Abbrechen" where the platform puts them.
    auto* removeRow = new QPushButton(QStringLiteral("&Zeile löschen"));
    auto* removeAll = new QPushButton(QStringLiteral("&Alle löschen"));
    auto* readCatalogue = new QPushButton(QStringLiteral("&Katalog einlesen…"));
    readCatalogue->setObjectName(QStringLiteral("tallyReadCatalogue"));
    readCatalogue->setAccessibleDescription(QStringLiteral("Eigene Entnahmestellen mit BW je Stück aus einer Datei"));
    readCatalogue->setEnabled(bool(request.readCatalogueFile));
    auto* buttons = new QDialogButtonBox;
    m_accept = buttons->addButton(QStringLiteral("Übernehmen"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    for (QPushButton* button : {removeRow, removeAll, readCatalogue, m_accept, cancel}) button->setAutoDefault(false);
    m_accept->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &TallyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TallyDialog::reject);
    connect(removeRow, &QPushButton::clicked, this, &TallyDialog::removeSelectedRows);
    connect(removeAll, &QPushButton::clicked, this, &TallyDialog::clearRows);
    connect(readCatalogue, &QPushButton::clicked, this, &TallyDialog::readCatalogueFile);
    connect(m_table, &TallyTableView::deleteRequested, this, &TallyDialog::removeSelectedRows);
    connect(m_model, &TallyModel::summaryChanged, this, &TallyDialog::showSummary);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(summary);
    layout->addWidget(m_verdict);
    auto* commands = new QHBoxLayout;
    commands->addWidget(removeRow);
    commands->addWidget(removeAll);
    commands->addWidget(readCatalogue);
    commands->addStretch(1);
    commands->addWidget(buttons);
    layout->addLayout(commands);
    resize(640, 400);

    showSummary();
    startAt(0);
}

std::vector<tally::Row> TallyDialog::rows() const
{
    std::vector<tally::Row> typed;
    for (const tally::Row& row : m_model->rows())
        if (!tally::isEmpty(row)) typed.push_back(row);
    return typed;
}

void TallyDialog::accept()
{
    if (m_model->summary().transferable()) QDialog::accept();
}

void TallyDialog::showSummary()
{
    const tally::Summary& s = m_model->summary();
    m_total->setText(s.totalText);
    m_largest->setText(s.largest ? s.largestText : QStringLiteral("–"));
    m_verdict->setText(s.verdict);
    m_verdict->setAccessibleDescription(s.verdict);
    // Dark red for a line that names a fault or a refusal.
    const bool fine = s.transferable() && s.outcome.accepted();
    m_verdict->setStyleSheet(fine ? QString() : QStringLiteral("color: #a00000"));
    m_accept->setEnabled(s.transferable());
}

void TallyDialog::removeSelectedRows()
{
    std::set<int> chosen;
    for (const QModelIndex& index : m_table->selectionModel()->selectedIndexes()) chosen.insert(index.row());
    if (chosen.empty() && m_table->currentIndex().isValid()) chosen.insert(m_table->currentIndex().row());
    if (chosen.empty()) return;
    for (auto row = chosen.rbegin(); row != chosen.rend(); ++row) m_model->removeRows(*row, 1);
    startAt(std::min(*chosen.begin(), m_model->rowCount() - 1));
}

void TallyDialog::clearRows()
{
    m_model->clear();
    startAt(0);
}

void TallyDialog::startAt(int row)
{
    m_table->setCurrentIndex(m_model->index(row, TallyModel::Name));
    m_table->setFocus();
}

void TallyDialog::readCatalogueFile()
{
    if (m_request.readCatalogueFile && m_request.readCatalogueFile()) m_model->catalogueChanged();
    m_table->setFocus();
}

std::vector<TallyCellDelegate::Offer> TallyDialog::offers() const
{
    // The names typed before in their order, then the rest of the catalogue;
    // a catalogue's name shown with its loading units.
    const auto offer = [this](const QString& name, bool typedBefore) -> TallyCellDelegate::Offer {
        const tally::DrawOffPoint* point = m_request.catalogue ? m_request.catalogue->find(name) : nullptr;
        if (!point) return {name, name, typedBefore};
        return {point->name, QStringLiteral("%1 – %2 BW").arg(point->name, m_numbers.exact(point->unitsEach)), typedBefore};
    };
    std::vector<TallyCellDelegate::Offer> offered;
    QStringList typed = m_request.names + m_model->names();
    typed.removeDuplicates();
    QStringList taken;
    for (const QString& name : typed) {
        offered.push_back(offer(name, true));
        if (!taken.contains(offered.back().name, Qt::CaseInsensitive)) taken << offered.back().name;
        else offered.pop_back();
    }
    if (m_request.catalogue)
        for (const tally::DrawOffPoint& point : m_request.catalogue->points())
            if (!taken.contains(point.name, Qt::CaseInsensitive)) offered.push_back(offer(point.name, false));
    return offered;
}
