// "Belastungswerte zusammenzählen…" in the real window, driven by keyboard
// as a person types: the dialog's table, its summary, its buttons, and what
// "Übernehmen" and "Abbrechen" leave in the window.
#include "WindowFixture.h"

#include "app/window/PictureCanvas.h"
#include "table/Grid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The dialog being typed into (showForKeys).
QPointer<QWidget> typedDialog;

// The widget that has the keyboard: an open list of names (a popup takes
// the keyboard as long as it is shown), otherwise the focus widget. The
// offscreen platform activates a popup as a window of its own and, once it
// is hidden, no window: the dialog is activated again, as a window system does.
QWidget* keyboard()
{
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (!QApplication::focusWidget() && typedDialog) {
        typedDialog->activateWindow();
        QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 2000);
    }
    return QApplication::focusWidget();
}

// Each key to whichever widget has the keyboard at that moment, as an editor
// opens and closes between them; an editor closes after Return only once
// the events queued by it are handled.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(keyboard(), key, modifiers);
    QCoreApplication::processEvents();
}

void typeKeys(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(keyboard(), c.toLatin1());
        else  // "ü": no key of its own in QTest, its text is what counts
            QTest::sendKeyEvent(QTest::Click, keyboard(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Typed cell by cell with Tab after each, as in a spreadsheet.
void typeRow(const QString& name, const QString& each, const QString& count)
{
    for (const QString& cell : {name, each, count}) {
        typeKeys(cell);
        press(Qt::Key_Tab);
    }
}

// Shows the dialog the window would run, for the keyboard. Not modal while
// the test drives it, so that the watchdog leaves it alone.
bool showForKeys(QDialog& dialog)
{
    EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
    dialog.setWindowModality(Qt::NonModal);
    typedDialog = &dialog;
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitFor([&dialog] { return QApplication::activeWindow() == &dialog; }, 2000);
}

QTableView& tableOf(QDialog& dialog)
{
    auto* table = dialog.findChild<QTableView*>(QStringLiteral("tallyTable"));
    if (!table) throw std::runtime_error("no tally table");
    return *table;
}

QString verdictOf(QDialog& dialog)
{
    auto* verdict = dialog.findChild<QLabel*>(QStringLiteral("tallyVerdict"));
    return verdict ? verdict->text() : QStringLiteral("(none)");
}

QPushButton* buttonOf(QDialog& dialog, const QString& text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text().remove(QLatin1Char('&')) == text) return button;
    return nullptr;
}

QString local(QString number)
{
    return number.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

}  // namespace

TEST_F(WindowTest, TallyTypedByKeyboardGoesIntoTheBoxesAndBerechnenCalculatesIt)
{
    QString total, largest;
    dialogs.expect([&](QDialog& d) {
        if (!showForKeys(d)) return int(QDialog::Rejected);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Belastungswerte zusammenzählen"));
        QTableView& table = tableOf(d);
        EXPECT_EQ(QApplication::focusWidget(), &table);
        EXPECT_EQ(table.currentIndex(), table.model()->index(0, 0));
        typeRow(QStringLiteral("Waschtisch"), QStringLiteral("1"), QStringLiteral("6"));
        typeRow(QStringLiteral("Dusche"), QStringLiteral("2"), QStringLiteral("4"));
        typeRow(QStringLiteral("Badewanne"), QStringLiteral("4"), QStringLiteral("2"));
        typeRow(QStringLiteral("Spültisch"), QStringLiteral("2"), QStringLiteral("1"));
        EXPECT_EQ(table.model()->rowCount(), 5);  // the last Tab began a row
        EXPECT_EQ(table.model()->index(1, 3).data().toString(), QStringLiteral("8"));
        // Tab goes on with the name as typed, not with the list's "Spültisch gewerblich DN 20".
        EXPECT_EQ(table.model()->index(3, 0).data().toString(), QStringLiteral("Spültisch"));
        for (QLineEdit* value : d.findChildren<QLineEdit*>()) {
            if (value->accessibleName() == QStringLiteral("Total Belastungswerte")) total = value->text();
            if (value->accessibleName() == QStringLiteral("Grösster Einzel BW")) largest = value->text();
        }
        EXPECT_EQ(verdictOf(d), QStringLiteral("Formel: Einzel BW 4"));
        EXPECT_EQ(QApplication::focusWidget(), &table) << "the last Tab opened an editor in the new row";
        press(Qt::Key_Return);  // "Übernehmen", as in a spreadsheet right after Tab
        return d.result();
    });
    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    auto* menu = window->findChild<QMenu*>(QStringLiteral("mnuextras"));
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_EQ(total, QStringLiteral("24"));
    EXPECT_EQ(largest, QStringLiteral("4"));
    EXPECT_EQ(box(1).text(), QStringLiteral("24"));
    EXPECT_EQ(box(2).text(), QStringLiteral("4"));
    click(1);
    // The formula for a largest single unit of 4 at 24 loading units: 0.73144 l/s (python3, decimal module).
    EXPECT_EQ(box(3).text(), local(QStringLiteral("0.73")));
    EXPECT_EQ(box(4).text(), local(QStringLiteral("43.9")));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowTest, EveryInvalidCellKeepsUebernehmenDisabledAndAbbrechenChangesNothing)
{
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    const QStringList boxes{box(1).text(), box(2).text(), box(3).text(), box(4).text()};
    const QImage chart = canvas().image().copy();
    const int rows = grid().rows();
    const QString fraction = QStringLiteral("1") + QLocale::system().decimalPoint() + QStringLiteral("5");
    struct Case {
        QString each, count;
        int column;  // of the invalid cell
        QString reason;
    } cases[] = {
        {"zwei", "1", 1, "BW je Stück ist keine Zahl: »zwei«"},
        {"-2", "1", 1, "BW je Stück muss grösser als 0 sein: »-2«"},
        {"0", "1", 1, "BW je Stück muss grösser als 0 sein: »0«"},
        {"2", fraction, 2, "Anzahl muss eine ganze Zahl ab 0 sein: »" + fraction + "«"},
        {"2", "drei", 2, "Anzahl ist keine Zahl: »drei«"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason.toStdString());
        dialogs.expect([&](QDialog& d) {
            if (!showForKeys(d)) return int(QDialog::Rejected);
            typeKeys(QStringLiteral("WC"));
            press(Qt::Key_Tab);
            typeKeys(c.each);
            press(Qt::Key_Tab);
            typeKeys(c.count);
            press(Qt::Key_Return);
            EXPECT_EQ(verdictOf(d), QStringLiteral("Zeile 1: ") + c.reason);
            const QModelIndex cell = tableOf(d).model()->index(0, c.column);
            EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), c.reason);
            EXPECT_TRUE(cell.data(Qt::BackgroundRole).isValid());
            EXPECT_EQ(tableOf(d).model()->index(0, 3).data().toString(), QString());
            QPushButton* accept = buttonOf(d, QStringLiteral("Übernehmen"));
            EXPECT_TRUE(accept && !accept->isEnabled());
            press(Qt::Key_Return);
            EXPECT_TRUE(d.isVisible());
            press(Qt::Key_Escape);
            return d.result();
        });
        window->form().mnubelastung_Click();
    }
    EXPECT_EQ((QStringList{box(1).text(), box(2).text(), box(3).text(), box(4).text()}), boxes);
    EXPECT_EQ(canvas().image(), chart);
    EXPECT_EQ(grid().rows(), rows);
    EXPECT_EQ(window->form().Berechnet(), Form1::True);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowTest, TallyTableMovesLikeASpreadsheetCompletesNamesAndRemovesRows)
{
    const std::vector<tally::Row> earlier{{"Waschtisch", "1", "6"}, {"Dusche", "2", "4"}};
    dialogs.expect([&](QDialog& d) {
        if (!showForKeys(d)) return int(QDialog::Rejected);
        QTableView& table = tableOf(d);
        const auto at = [&table] { return std::pair(table.currentIndex().row(), table.currentIndex().column()); };
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        EXPECT_EQ(at(), std::pair(1, 0));  // past the computed "BW"
        press(Qt::Key_Backtab);
        EXPECT_EQ(at(), std::pair(0, 2));
        for (int i = 0; i < 4; ++i) press(Qt::Key_Tab);
        EXPECT_EQ(at(), std::pair(2, 0));
        EXPECT_EQ(table.model()->rowCount(), 3);
        typeKeys(QStringLiteral("Ba"));  // "Badewanne" was typed in an earlier tally
        typeRow(QString(), QStringLiteral("4"), QStringLiteral("2"));
        EXPECT_EQ(table.model()->index(2, 0).data().toString(), QStringLiteral("Badewanne"));
        table.setCurrentIndex(table.model()->index(0, 1));
        press(Qt::Key_Delete);
        EXPECT_EQ(table.model()->rowCount(), 3);
        press(Qt::Key_Return);
        return d.result();
    });
    const auto rows = window->showTallyDialog({earlier, {QStringLiteral("Badewanne")}});
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(*rows, (std::vector<tally::Row>{{"Dusche", "2", "4"}, {"Badewanne", "4", "2"}}));

    dialogs.expect([&](QDialog& d) {
        if (!showForKeys(d)) return int(QDialog::Rejected);
        press(Qt::Key_A, Qt::AltModifier);  // "Alle löschen", clicked as a button shows it pressed
        EXPECT_TRUE(QTest::qWaitFor([&d] { return tableOf(d).model()->rowCount() == 1; }, 2000));
        EXPECT_EQ(tableOf(d).model()->index(0, 0).data().toString(), QString());
        EXPECT_FALSE(buttonOf(d, QStringLiteral("Übernehmen"))->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), &tableOf(d));
        press(Qt::Key_Escape);
        return d.result();
    });
    EXPECT_FALSE(window->showTallyDialog({*rows, {}}).has_value());
}

// Typing into the middle of a cell: the editor keeps its cursor while every
// keystroke reaches the summary, and Ctrl+Z takes the typing back.
TEST_F(WindowTest, TypingInTheMiddleOfACellKeepsItsCursorAndUndoes)
{
    dialogs.expect([&](QDialog& d) {
        if (!showForKeys(d)) return int(QDialog::Rejected);
        QTableView& table = tableOf(d);
        typeRow(QStringLiteral("Dusche"), local(QStringLiteral("1.5")), QStringLiteral("2"));
        press(Qt::Key_Backtab);
        press(Qt::Key_Backtab);
        EXPECT_EQ(table.currentIndex(), table.model()->index(0, 1));
        press(Qt::Key_F2);
        press(Qt::Key_Home);
        press(Qt::Key_Right);
        typeKeys(QStringLiteral("00"));
        const QModelIndex each = table.model()->index(0, 1), units = table.model()->index(0, 3);
        EXPECT_EQ(each.data().toString(), local(QStringLiteral("100.5")));
        EXPECT_EQ(units.data().toString(), QStringLiteral("201"));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_TRUE(editor && editor->cursorPosition() == 3);
        press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(each.data().toString(), local(QStringLiteral("1.5")));
        EXPECT_EQ(units.data().toString(), QStringLiteral("3"));
        press(Qt::Key_Escape);
        press(Qt::Key_Escape);
        return d.result();
    });
    EXPECT_FALSE(window->showTallyDialog({}).has_value());
}

// The catalogue of draw-off points in the column "Entnahmestelle": the list
// shows each name with its loading units, a chosen or typed name fills in an
// empty "BW je Stück", a typed value stays, and a bad file leaves the catalogue.
TEST_F(WindowTest, CatalogueNamesFillInTheirUnitsAndABadFileLeavesTheCatalogue)
{
    QSettings(QStringLiteral("Gipfelfluss"), QStringLiteral("Gipfelfluss")).remove(QStringLiteral("Belastung/Katalogdatei"));
    QTemporaryDir folder;
    const QString bad = folder.filePath(QStringLiteral("Katalog.csv"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("Entnahmestelle;BW je Stück\nDusche;5\nBidet;viel\n").toUtf8());
    file.close();
    dialogs.expect([&](QDialog& d) {
        if (!showForKeys(d)) return int(QDialog::Rejected);
        QAbstractItemModel& rows = *tableOf(d).model();
        typeKeys(QStringLiteral("Dus"));
        QWidget* list = nullptr;
        EXPECT_TRUE(QTest::qWaitFor([&list] { return (list = QApplication::activePopupWidget()) != nullptr; }, 2000));
        auto* names = qobject_cast<QAbstractItemView*>(list);
        if (!names) return int(QDialog::Rejected);
        EXPECT_EQ(names->model()->index(0, 0).data().toString(), QStringLiteral("Dusche – 2 BW"));
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        EXPECT_EQ(rows.index(0, 0).data().toString(), QStringLiteral("Dusche"));
        EXPECT_EQ(rows.index(0, 1).data().toString(), QStringLiteral("2"));
        press(Qt::Key_Tab);
        typeKeys(QStringLiteral("3"));  // typed over the filled-in value: the user's
        press(Qt::Key_Tab);
        typeKeys(QStringLiteral("1"));
        press(Qt::Key_Backtab);
        press(Qt::Key_Backtab);
        typeRow(QStringLiteral("Badewanne"), QString(), QString());
        EXPECT_EQ(rows.index(0, 1).data().toString(), QStringLiteral("3")) << "a typed value is never replaced";
        // Typed letter by letter, "Badewanne gewerblich" passes "Badewanne" (4) on its way to 8.
        typeRow(QStringLiteral("Badewanne gewerblich"), QString(), QStringLiteral("2"));
        EXPECT_EQ(rows.index(1, 1).data().toString(), QStringLiteral("8"));
        EXPECT_EQ(rows.index(1, 3).data().toString(), QStringLiteral("16"));

        dialogs.expect([bad](QDialog& chooser) {
            auto* dialog = qobject_cast<QFileDialog*>(&chooser);
            if (!dialog) return int(QDialog::Rejected);
            dialog->selectFile(bad);
            static_cast<QDialog*>(dialog)->accept();
            return dialog->result();
        });
        dialogs.expectMessage();
        buttonOf(d, QStringLiteral("Katalog einlesen…"))->click();
        typeRow(QStringLiteral("Dusche"), QString(), QStringLiteral("1"));
        EXPECT_EQ(rows.index(2, 1).data().toString(), QStringLiteral("2")) << "the built-in catalogue stays";
        press(Qt::Key_Escape);
        return d.result();
    });
    window->form().mnubelastung_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Fehler"));
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("Zeile 3: BW je Stück ist keine Zahl: »viel«")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(dialogs.pending(), 0u);
}
