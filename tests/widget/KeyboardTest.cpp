// Working the window from the keyboard: focus order, Enter, Space and the
// menus' access keys; and the menu tree.
#include "WindowFixture.h"

#include "table/Grid.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

const QStringList tabOrder{"Text1", "Text2", "Text3", "Text4", "Command1", "Command2", "Command3", "MSFlexGrid1"};

}  // namespace

TEST_F(WindowTest, FocusStartsInText1AndTabWalksTheControlsInOrder)
{
    ASSERT_NE(focused(), nullptr);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("Text1"));
    QTest::keyClicks(focused(), QStringLiteral("250"));
    EXPECT_EQ(box(1).text(), QStringLiteral("250"));

    QStringList visited;
    for (int i = 0; i < tabOrder.size(); ++i) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        visited << focused()->objectName();
    }
    QStringList expected = tabOrder.mid(1);
    expected << QStringLiteral("Text1");
    EXPECT_EQ(visited, expected);
}

TEST_F(WindowTest, ShiftTabWalksBack)
{
    QStringList visited;
    for (int i = 0; i < tabOrder.size(); ++i) {
        QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
        visited << focused()->objectName();
    }
    QStringList expected;
    for (auto it = tabOrder.crbegin(); it != tabOrder.crend(); ++it) expected << *it;
    EXPECT_EQ(visited, expected);
}

TEST_F(WindowTest, EnterInABoxCalculatesNothing)
{
    QTest::keyClicks(focused(), QStringLiteral("250"));
    QTest::keyClick(focused(), Qt::Key_Tab);
    QTest::keyClicks(focused(), QStringLiteral("5"));
    for (int n = 1; n <= 4; ++n) {
        QTest::keyClick(&box(n), Qt::Key_Return);
        QTest::keyClick(&box(n), Qt::Key_Enter, Qt::KeypadModifier);
    }
    EXPECT_TRUE(box(3).text().isEmpty());
    EXPECT_TRUE(grid().cell(1, 1).isEmpty());
    EXPECT_EQ(window->form().Berechnet(), Form1::False);
}

TEST_F(WindowTest, SpaceOnAFocusedButtonPressesIt)
{
    QTest::keyClicks(focused(), QStringLiteral("250"));
    QTest::keyClick(focused(), Qt::Key_Tab);
    QTest::keyClicks(focused(), QStringLiteral("5"));
    for (int i = 0; i < 3; ++i) QTest::keyClick(focused(), Qt::Key_Tab);
    ASSERT_EQ(focused(), &button(1));
    QTest::keyClick(focused(), Qt::Key_Space);
    EXPECT_FALSE(box(3).text().isEmpty());
    EXPECT_EQ(grid().cell(1, 1), QStringLiteral("250"));

    QTest::keyClick(focused(), Qt::Key_Tab);
    ASSERT_EQ(focused(), &button(2));
    QTest::keyClick(focused(), Qt::Key_Space);
    EXPECT_TRUE(box(1).text().isEmpty());
    EXPECT_TRUE(box(3).text().isEmpty());
}

TEST_F(WindowTest, MenuBarHoldsDateiAndExtras)
{
    struct Item {
        const char* name;
        QString text;  // empty: a separator
        QString shortcut = {};
    };
    struct Menu {
        const char* name;
        QString title;
        std::vector<Item> items;
    };
    const std::vector<Menu> menus{
        {"mnudatei", "&Datei",
         {{"mnuexcel1", "Einlesen von MS Excel"}, {"mnuexcel2", "Ausgeben nach MS Excel"},
          {"mnuteilstrecken", "Teilstrecken berechnen…"},
          {"mnuprotokoll", "Protokoll als PDF speichern…"}, {"mnudrucken", "Protokoll drucken…", "Ctrl+P"},
          {"mnulinie3", ""}, {"mnuend", "Beenden"}}},
        {"mnuextras", "&Extras", {{"mnubelastung", "Belastungswerte zusammenzählen…"}, {"mnurohrweite", "Rohrweite bemessen…"}, {"mnunachdruck", "Rohrweite nach Druck"}, {"mnulinie5", ""}, {"mnuhilfe", "Hilfe"}, {"mnulinie4", ""}, {"mnuinfo", "Info"}}},
    };

    const QList<QAction*> titles = window->menuBar()->actions();
    ASSERT_EQ(titles.size(), qsizetype(menus.size()));
    for (std::size_t m = 0; m < menus.size(); ++m) {
        SCOPED_TRACE(menus[m].name);
        QMenu* menu = titles[qsizetype(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), QString::fromLatin1(menus[m].name));
        EXPECT_EQ(menu->title(), menus[m].title);
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), qsizetype(menus[m].items.size()));
        for (std::size_t i = 0; i < menus[m].items.size(); ++i) {
            const Item& item = menus[m].items[i];
            QAction* action = actions[qsizetype(i)];
            SCOPED_TRACE(item.name);
            EXPECT_EQ(action->objectName(), QString::fromLatin1(item.name));
            EXPECT_EQ(action->isSeparator(), item.text.isEmpty());
            if (!item.text.isEmpty()) {
                EXPECT_EQ(action->text(), item.text);
            }
            EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText), item.shortcut);
            // Only "Rohrweite nach Druck" is a switch.
            EXPECT_EQ(action->isCheckable(), std::string(item.name) == "mnunachdruck");
            // "Rohrweite bemessen…" waits for a result to size.
            EXPECT_EQ(action->isEnabled(), std::string(item.name) != "mnurohrweite");
            EXPECT_TRUE(action->isVisible());
        }
    }
}

TEST_F(WindowTest, AltDAndAltEOpenTheirMenus)
{
    const std::vector<std::pair<Qt::Key, QString>> keys{{Qt::Key_D, "mnudatei"}, {Qt::Key_E, "mnuextras"}};
    for (const auto& [key, name] : keys) {
        SCOPED_TRACE(name.toStdString());
        auto* menu = window->findChild<QMenu*>(name);
        ASSERT_NE(menu, nullptr);
        EXPECT_FALSE(menu->isVisible());
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
        QTest::keyClick(menu, Qt::Key_Escape);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }, 2000));
    }
}
