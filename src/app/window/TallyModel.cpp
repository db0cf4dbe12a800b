#include "app/window/TallyModel.h"

#include "base/CellValue.h"
#include "base/NumberText.h"

#include <QColor>

namespace {

// A cell that breaks its rule: pale red under dark text.
const QColor faultBackground(255, 205, 205);

// The text of one typed column; Row is tally::Row or const tally::Row.
template <typename Row>
auto& cellText(Row& row, int column)
{
    return column == TallyModel::Name ? row.name : column == TallyModel::UnitsEach ? row.unitsEach : row.count;
}

}  // namespace

TallyModel::TallyModel(const NumberText& numbers, std::vector<tally::Row> rows,
                       const tally::DrawOffCatalogue* catalogue, QObject* parent)
    : QAbstractTableModel(parent), m_numbers(numbers), m_catalogue(catalogue), m_rows(std::move(rows))
{
    if (m_rows.empty()) m_rows.emplace_back();
    m_filled.assign(m_rows.size(), false);
    for (std::size_t r = 0; r < m_rows.size(); ++r) fillIn(r);
    update();
}

bool TallyModel::fillIn(std::size_t r)
{
    tally::Row& row = m_rows[r];
    const tally::DrawOffPoint* point = m_catalogue ? m_catalogue->find(row.name) : nullptr;
    if (!m_filled[r] && (!point || !holdsNothing(row.unitsEach))) return false;
    const QString units = point ? m_numbers.exact(point->unitsEach) : QString();
    m_filled[r] = point != nullptr;
    if (row.unitsEach == units) return false;
    row.unitsEach = units;
    return true;
}

void TallyModel::catalogueChanged()
{
    for (std::size_t r = 0; r < m_rows.size(); ++r)
        if (fillIn(r)) emit dataChanged(index(int(r), UnitsEach), index(int(r), Units));
    update();
}

int TallyModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TallyModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString TallyModel::fault(const QModelIndex& index) const
{
    const tally::RowCheck& check = m_summary.rows[std::size_t(index.row())];
    return index.column() == UnitsEach ? check.unitsEachFault : index.column() == Count ? check.countFault : QString();
}

QVariant TallyModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const std::size_t r = std::size_t(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (index.column() == Units) return m_summary.rows[r].unitsText;
        return cellText(m_rows[r], index.column());
    case Qt::TextAlignmentRole:
        return index.column() == Name ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return fault(index).isEmpty() ? QVariant() : QVariant(faultBackground);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (index.column() == Units) return QStringLiteral("BW je Stück × Anzahl");
        return fault(index).isEmpty() ? QVariant() : QVariant(fault(index));
    default:
        return {};
    }
}

QVariant TallyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    switch (section) {
    case Name: return QStringLiteral("Entnahmestelle");
    case UnitsEach: return QStringLiteral("BW je Stück");
    case Count: return QStringLiteral("Anzahl");
    case Units: return QStringLiteral("BW");
    default: return {};
    }
}

Qt::ItemFlags TallyModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == Units ? flags : flags | Qt::ItemIsEditable;
}

bool TallyModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const std::size_t r = std::size_t(index.row());
    QString& text = cellText(m_rows[r], index.column());
    if (text == value.toString()) return true;
    text = value.toString();
    if (index.column() == UnitsEach) m_filled[r] = false;  // typed: the user's from now on
    if (index.column() == Name) fillIn(r);
    update();
    // The whole row: its "BW" follows the typed cells (the delegate leaves an
    // open editor that already shows its text alone).
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), Units));
    return true;
}

bool TallyModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount()) return false;
    beginRemoveRows(parent, row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    m_filled.erase(m_filled.begin() + row, m_filled.begin() + row + count);
    endRemoveRows();
    if (m_rows.empty()) appendRow();
    update();
    return true;
}

void TallyModel::appendRow()
{
    beginInsertRows({}, rowCount(), rowCount());
    m_rows.emplace_back();
    m_filled.push_back(false);
    endInsertRows();
    update();
}

void TallyModel::clear()
{
    beginResetModel();
    m_rows.assign(1, tally::Row{});
    m_filled.assign(1, false);
    endResetModel();
    update();
}

QStringList TallyModel::names() const
{
    QStringList names;
    for (const tally::Row& row : m_rows)
        if (!row.name.trimmed().isEmpty()) names << row.name.trimmed();
    names.removeDuplicates();
    return names;
}

void TallyModel::update()
{
    m_summary = tally::summarize(m_rows, m_numbers);
    emit summaryChanged();
}
