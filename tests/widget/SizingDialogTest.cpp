// "Rohrweite bemessen…" in the real window, typed into as a person would:
// the table of sizes, the rule's choice and another one, bad values, the
// user's file of series. Expected values from python3-iapws and fluids'
// Colebrook (tests/fixtures/make_sizing.py).
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString local(QString number)
{
    return number.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

QLineEdit& valueBox(QDialog& d, const char* name)
{
    for (QLineEdit* box : d.findChildren<QLineEdit*>())
        if (box->accessibleName() == QString::fromUtf8(name)) return *box;
    throw std::runtime_error("no such box");
}

// Clears the box and types, as a person would.
void retype(QLineEdit& box, const QString& text)
{
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, text);
}

QString choiceOf(QDialog& d)
{
    return d.findChild<QLabel*>(QStringLiteral("sizingChoice"))->text();
}

QPushButton& acceptButton(QDialog& d)
{
    for (QPushButton* b : d.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Übernehmen")) return *b;
    throw std::runtime_error("no Übernehmen");
}

}  // namespace

class SizingDialogTest : public WindowTest {
protected:
    void SetUp() override
    {
        QSettings(QStringLiteral("Gipfelfluss"), QStringLiteral("Gipfelfluss")).clear();
        WindowTest::SetUp();
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        QSettings(QStringLiteral("Gipfelfluss"), QStringLiteral("Gipfelfluss")).clear();
    }

    QAction& sizingItem() { return *window->findChild<QAction*>(QStringLiteral("mnurohrweite")); }

    // Opens "Rohrweite bemessen…" from the menu with the keyboard.
    void openSizing()
    {
        QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
        auto* menu = window->findChild<QMenu*>(QStringLiteral("mnuextras"));
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    }

    QTemporaryDir folder;
};

TEST_F(SizingDialogTest, ChoosesTheRuleSizeFollowsTheTypingAndKeepsAnotherChoice)
{
    EXPECT_FALSE(sizingItem().isEnabled()) << "no result to size yet";
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return sizingItem().isEnabled(); }, 2000));
    dialogs.expect([](QDialog& d) {
        auto* table = d.findChild<QTableWidget*>(QStringLiteral("sizingTable"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Rohrweite bemessen"));
        EXPECT_EQ(d.findChild<QComboBox*>(QStringLiteral("sizingSeries"))->currentText(), QStringLiteral("Kupfer"));
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("sizingFlow"))->text(), local(QStringLiteral("1.63 l/s")));
        EXPECT_EQ(table->rowCount(), 12);
        EXPECT_EQ(table->item(table->currentRow(), 0)->text(), QStringLiteral("42×1,5"));
        // 35×1,5 is above v max: marked.
        EXPECT_NE(table->item(5, 2)->foreground().color(), table->item(6, 2)->foreground().color());
        EXPECT_EQ(choiceOf(d), local(QStringLiteral("Gewählt: Kupfer 42×1,5, di 39.0 mm, v 1.36 m/s, R 5.2 hPa/m")));

        retype(valueBox(d, "Länge"), QStringLiteral("12"));
        retype(valueBox(d, "Σζ"), local(QStringLiteral("4.5")));
        EXPECT_EQ(choiceOf(d), local(QStringLiteral("Gewählt: Kupfer 42×1,5, di 39.0 mm, v 1.36 m/s, R 5.2 hPa/m, Δp 104.8 hPa")));
        EXPECT_EQ(table->item(6, 4)->text(), local(QStringLiteral("104.8")));

        // A bad value: marked, named, "Übernehmen" disabled until mended.
        retype(valueBox(d, "Temperatur"), QStringLiteral("95"));
        EXPECT_EQ(choiceOf(d), QStringLiteral("Temperatur 95 °C: nur 5 bis 90 °C"));
        EXPECT_FALSE(acceptButton(d).isEnabled());
        EXPECT_FALSE(valueBox(d, "Temperatur").styleSheet().isEmpty());
        retype(valueBox(d, "Temperatur"), QStringLiteral("60"));
        EXPECT_TRUE(acceptButton(d).isEnabled());
        EXPECT_EQ(choiceOf(d), local(QStringLiteral("Gewählt: Kupfer 42×1,5, di 39.0 mm, v 1.36 m/s, R 4.2 hPa/m, Δp 91.2 hPa")));

        // A larger size, chosen with the keyboard, stays while other values change.
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Down);
        EXPECT_TRUE(choiceOf(d).startsWith(QStringLiteral("Gewählt: Kupfer 54×2, di ") + local(QStringLiteral("50.0 mm"))));
        retype(valueBox(d, "Länge"), QStringLiteral("20"));
        EXPECT_TRUE(choiceOf(d).startsWith(QStringLiteral("Gewählt: Kupfer 54×2"))) << choiceOf(d).toStdString();
        // v max chooses anew: at 1 m/s the rule's size is 54×2 too, at 3 m/s 35×1,5.
        retype(valueBox(d, "v max"), QStringLiteral("3"));
        EXPECT_EQ(table->item(table->currentRow(), 0)->text(), QStringLiteral("35×1,5"));
        retype(valueBox(d, "v max"), local(QStringLiteral("2.0")));
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Down);
        EXPECT_TRUE(choiceOf(d).startsWith(QStringLiteral("Gewählt: Kupfer 54×2")));
        acceptButton(d).click();
        return d.result();
    });
    openSizing();
    ASSERT_EQ(dialogs.pending(), 0u);

    // It opens again with that choice, until "Neue Eingabe".
    dialogs.expect([](QDialog& d) {
        auto* table = d.findChild<QTableWidget*>(QStringLiteral("sizingTable"));
        EXPECT_EQ(table->item(table->currentRow(), 0)->text(), QStringLiteral("54×2"));
        EXPECT_EQ(valueBox(d, "Länge").text(), QStringLiteral("20"));
        return int(QDialog::Rejected);
    });
    openSizing();
    click(2);
    EXPECT_FALSE(sizingItem().isEnabled());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SizingDialogTest, ReadsTheUsersSeriesAndKeepsTheOldOnesWhenAFileIsBad)
{
    const QString good = folder.filePath(QStringLiteral("Serien.csv"));
    const QString bad = folder.filePath(QStringLiteral("Kaputt.csv"));
    for (const auto& [path, text] : {std::pair{good, local(QStringLiteral("Rohrserie;Rohr;di mm;k mm\nPress 15;15x1;13.6;0.001\nPress 15;18x1;16.6;0.001\n"))},
                                     std::pair{bad, QStringLiteral("Rohrserie;Rohr;di mm;k mm\nBlech;1;weit;0\n")}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    const auto choose = [this](const QString& path) {
        dialogs.expect([path](QDialog& d) {
            auto* dialog = qobject_cast<QFileDialog*>(&d);
            if (!dialog) return int(QDialog::Rejected);
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
            return dialog->result();
        });
    };
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return sizingItem().isEnabled(); }, 2000));
    dialogs.expect([&](QDialog& d) {
        auto* series = d.findChild<QComboBox*>(QStringLiteral("sizingSeries"));
        auto* readFile = d.findChild<QPushButton*>(QStringLiteral("sizingReadSeries"));
        choose(good);
        readFile->click();
        EXPECT_EQ(series->count(), 6);
        series->setCurrentText(QStringLiteral("Press 15"));
        EXPECT_EQ(choiceOf(d), local(QStringLiteral("Gewählt: Press 15 18x1, di 16.6 mm, v 7.53 m/s, R 315.1 hPa/m"))
                                   + QStringLiteral(" – v ") + local(QStringLiteral("7.53")) + QStringLiteral(" m/s über v max ")
                                   + local(QStringLiteral("2.0")) + QStringLiteral(" m/s auch in 18x1"));
        choose(bad);
        dialogs.expectMessage();
        readFile->click();
        EXPECT_EQ(series->count(), 6) << "the series read before stay";
        return int(QDialog::Rejected);
    });
    openSizing();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Fehler"));
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("Zeile 2: di mm ist keine Zahl: »weit«")));

    // The good file is remembered for the next start.
    openWindow();
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return sizingItem().isEnabled(); }, 2000));
    dialogs.expect([](QDialog& d) {
        EXPECT_NE(d.findChild<QComboBox*>(QStringLiteral("sizingSeries"))->findText(QStringLiteral("Press 15")), -1);
        return int(QDialog::Rejected);
    });
    openSizing();
    EXPECT_EQ(dialogs.pending(), 0u);
}
