#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>
#include <vector>

// The table of the tally dialog, used as a spreadsheet: typing starts
// editing a cell; Tab and Shift+Tab move through the typed columns (the
// computed "BW" is skipped), also out of an open editor, without opening one
// in the cell they reach, so that Return after them is the dialog's; Tab
// from the last typed cell of the last row adds a row and goes there;
// Ctrl+Tab and Ctrl+Shift+Tab leave the table.
// Delete outside an editor asks for the selected rows to be removed. Its
// model is a TallyModel.
class TallyTableView : public QTableView {
    Q_OBJECT

public:
    explicit TallyTableView(QWidget* parent = nullptr);

signals:
    void deleteRequested();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

// The editors of the tally's cells: each keystroke reaches the model at once,
// so that the summary follows the typing, and an open editor stays the
// user's (its cursor, selection and undo) while the model takes its text;
// Escape gives the cell back the text it had. The column "Entnahmestelle"
// offers the names given by `names` in a list below the cell while the
// typing begins one of them; Down and Return or a click choose one, Tab goes
// on with the text as it stands. A name typed before is also completed in
// the box itself, the rest selected, as spreadsheets do.
class TallyCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // A name offered, and how the list shows it ("Dusche – 2 BW").
    struct Offer {
        QString name;
        QString shown;
        bool typedBefore = false;  // completed in the box
    };

    TallyCellDelegate(std::function<std::vector<Offer>()> names, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    std::function<std::vector<Offer>()> m_names;
};
