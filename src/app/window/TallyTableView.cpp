#include "app/window/TallyTableView.h"

#include "app/window/TallyModel.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>

namespace {

// The text a cell had when its editor opened, kept on the editor.
constexpr char originalText[] = "gipfelflussOriginalText";

// How much of an editor's text was typed rather than completed, kept on the editor.
constexpr char typedLength[] = "gipfelflussTypedLength";

// The role of an offered name in the completer's model; the list shows the display role.
constexpr int nameRole = Qt::UserRole + 1;

// Tab and Shift+Tab while the list of names is open: the list closes and the
// key goes on to the cell's editor, which moves on with its text as it
// stands, as without the list (the completer itself would only close it).
class TabThroughList : public QObject {
public:
    TabThroughList(QWidget* list, QLineEdit* editor) : QObject(list), m_list(list), m_editor(editor) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_list || event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) || (key->modifiers() & Qt::ControlModifier))
            return false;
        m_list->hide();
        QKeyEvent forwarded(key->type(), key->key(), key->modifiers(), key->text());
        QCoreApplication::sendEvent(m_editor, &forwarded);
        return true;
    }

private:
    QWidget* m_list;
    QLineEdit* m_editor;
};

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

TallyCellDelegate::TallyCellDelegate(std::function<std::vector<Offer>()> names, QObject* parent)
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
        auto* offers = new QStandardItemModel(line);
        QStringList typedBefore;
        for (const Offer& offer : m_names()) {
            auto* item = new QStandardItem(offer.shown);
            item->setData(offer.name, nameRole);
            offers->appendRow(item);
            if (offer.typedBefore) typedBefore << offer.name;
        }
        // Completed only while the typing adds to the end, so that Backspace
        // takes the completed rest away.
        connect(line, &QLineEdit::textEdited, self, [self, line, typedBefore](const QString& text) {
            const int before = line->property(typedLength).toInt();
            line->setProperty(typedLength, int(text.size()));
            if (text.size() <= before || line->cursorPosition() != text.size()) return;
            for (const QString& name : typedBefore)
                if (name.size() > text.size() && name.startsWith(text, Qt::CaseInsensitive)) {
                    line->setText(text + name.mid(text.size()));
                    line->cursorBackward(true, int(name.size() - text.size()));
                    emit self->commitData(line);
                    return;
                }
        });
        auto* completer = new QCompleter(offers, line);
        completer->setCompletionRole(nameRole);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setCompletionMode(QCompleter::PopupCompletion);
        line->setCompleter(completer);
        completer->popup()->installEventFilter(new TabThroughList(completer->popup(), line));
        // A name chosen from the list reaches the model at once, as typing does.
        const auto chosen = [self, line] { emit self->commitData(line); };
        connect(completer, qOverload<const QString&>(&QCompleter::activated), self, chosen);
        connect(completer, qOverload<const QString&>(&QCompleter::highlighted), self, chosen);
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
