#include "app/window/TallyTableView.h"

#include "app/window/TallyModel.h"

#include <QCompleter>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// The text a cell had when its editor opened, kept on the editor.
constexpr char originalText[] = "gipfelflussOriginalText";

}  // namespace

TallyTableView::TallyTableView(QWidget* parent) : QTableView(parent)
{
    setEditTriggers(AnyKeyPressed | DoubleClicked | EditKeyPressed | SelectedClicked);
    setSelectionBehavior(SelectItems);
    setSelectionMode(ExtendedSelection);
    setTabKeyNavigation(true);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

QModelIndex TallyTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    auto* tally = qobject_cast<TallyModel*>(model());
    const QModelIndex current = currentIndex();
    if (!tally || !current.isValid() || (action != MoveNext && action != MovePrevious))
        return QTableView::moveCursor(action, modifiers);
    const int row = current.row();
    const int column = current.column();
    if (action == MoveNext) {
        if (column < TallyModel::Count) return tally->index(row, column + 1);
        if (row + 1 == tally->rowCount()) tally->appendRow();
        return tally->index(row + 1, TallyModel::Name);
    }
    if (column > TallyModel::Name) return tally->index(row, std::min<int>(column - 1, TallyModel::Count));
    return row > 0 ? tally->index(row - 1, TallyModel::Count) : current;
}

void TallyTableView::keyPressEvent(QKeyEvent* event)
{
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (event->modifiers() & Qt::ControlModifier)) {
        const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        QWidget::focusNextPrevChild(!back);
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && state() != EditingState) {
        emit deleteRequested();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TallyTableView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (hint != QAbstractItemDelegate::EditNextItem && hint != QAbstractItemDelegate::EditPreviousItem)
        return QTableView::closeEditor(editor, hint);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    const QModelIndex next = moveCursor(hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious, Qt::NoModifier);
    if (next.isValid()) selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
}

TallyCellDelegate::TallyCellDelegate(std::function<QStringList()> names, QObject* parent)
    : QStyledItemDelegate(parent), m_names(std::move(names))
{
}

QWidget* TallyCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) return editor;
    line->setProperty(originalText, index.data(Qt::EditRole));
    auto* self = const_cast<TallyCellDelegate*>(this);
    connect(line, &QLineEdit::textEdited, self, [self, line] { emit self->commitData(line); });
    if (index.column() == TallyModel::Name && m_names) {
        // Completed in the box itself, the rest selected, as spreadsheets do:
        // no list window comes between the typing and Tab.
        auto* completer = new QCompleter(m_names(), line);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setCompletionMode(QCompleter::InlineCompletion);
        line->setCompleter(completer);
    }
    return editor;
}

// The model tells the view of every keystroke it takes, and the view then
// sets each open editor of the row anew; one that already shows its cell's
// text is left alone.
void TallyCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (const auto* line = qobject_cast<QLineEdit*>(editor); line && line->text() == index.data(Qt::EditRole).toString())
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}

bool TallyCellDelegate::eventFilter(QObject* editor, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setText(line->property(originalText).toString());
            emit commitData(line);
        }
    return QStyledItemDelegate::eventFilter(editor, event);
}
