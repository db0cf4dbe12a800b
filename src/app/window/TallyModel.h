#pragma once

#include "tally/DrawOffCatalogue.h"
#include "tally/Tally.h"

#include <QAbstractTableModel>

class NumberText;

// The rows of the tally dialog as a table: the three typed columns kept as
// typed, the fourth ("BW") and the marks of cells that break their rule from
// tally::summarize. It always holds at least one row. A row whose name is one
// of the catalogue's and whose "BW je Stück" is empty gets the point's
// loading units; such a filled-in value follows the name while the user has
// not typed one, and a typed value is never replaced.
class TallyModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Name, UnitsEach, Count, Units, ColumnCount };

    // `catalogue` (may be null) outlives the model.
    TallyModel(const NumberText& numbers, std::vector<tally::Row> rows, const tally::DrawOffCatalogue* catalogue,
               QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    void appendRow();
    // Only one empty row remains.
    void clear();

    const std::vector<tally::Row>& rows() const { return m_rows; }
    const tally::Summary& summary() const { return m_summary; }
    // The names in the column "Entnahmestelle", each once.
    QStringList names() const;
    // The catalogue has changed: filled-in values follow it.
    void catalogueChanged();

signals:
    void summaryChanged();

private:
    void update();
    QString fault(const QModelIndex& index) const;
    // Fills in or follows row r's "BW je Stück" by its name; true when it changed.
    bool fillIn(std::size_t r);

    const NumberText& m_numbers;
    const tally::DrawOffCatalogue* m_catalogue;
    std::vector<tally::Row> m_rows;
    std::vector<bool> m_filled;  // for each row: its "BW je Stück" came from the catalogue
    tally::Summary m_summary;
};
