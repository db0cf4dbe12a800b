#pragma once

#include "tally/Tally.h"

#include <QAbstractTableModel>

class NumberText;

// The rows of the tally dialog as a table: the three typed columns kept as
// typed, the fourth ("BW") and the marks of cells that break their rule from
// tally::summarize. It always holds at least one row.
class TallyModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Name, UnitsEach, Count, Units, ColumnCount };

    TallyModel(const NumberText& numbers, std::vector<tally::Row> rows, QObject* parent = nullptr);

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

signals:
    void summaryChanged();

private:
    void update();
    QString fault(const QModelIndex& index) const;

    const NumberText& m_numbers;
    std::vector<tally::Row> m_rows;
    tally::Summary m_summary;
};
