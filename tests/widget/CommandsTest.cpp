// The menu commands and the window's dialogs: help and about boxes, ending
// the program, message boxes, file dialogs and handing a file to the desktop.
#include "WindowFixture.h"

#include "app/Credits.h"
#include "app/WorkbookModule.h"
#include "table/Grid.h"
#include "workbook/WorkbookFiles.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// Opens a menu with its access key and picks an item with the arrow keys.
void chooseFromMenu(MainWindow& window, Qt::Key accessKey, const char* menuName, int downs)
{
    QTest::keyClick(&window, accessKey, Qt::AltModifier);
    auto* menu = window.findChild<QMenu*>(QString::fromLatin1(menuName));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    for (int i = 0; i < downs; ++i) QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
}

}  // namespace

class DocumentReceiver : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

TEST_F(WindowTest, HilfeShowsThatNoHelpIsAvailable)
{
    QTest::keyClicks(focused(), QStringLiteral("12"));
    dialogs.expectMessage();
    chooseFromMenu(*window, Qt::Key_E, "mnuextras", 2);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const ScriptedDialogs::Message& m = dialogs.messages[0];
    EXPECT_EQ(m.caption, QStringLiteral("Hilfe,"));
    EXPECT_EQ(m.text, QStringLiteral("Zurzeit steht keine Hilfe zur Verfügung"));
    EXPECT_EQ(m.icon, QMessageBox::Information);
    EXPECT_EQ(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // Nothing changed, and typing goes on where it was.
    ASSERT_TRUE(QTest::qWaitFor([this] { return focused() == &box(1); }, 2000));
    QTest::keyClicks(focused(), QStringLiteral("3"));
    EXPECT_EQ(box(1).text(), QStringLiteral("123"));
}

TEST_F(WindowTest, InfoShowsTheCreditsLineByLineAndLeavesTheResult)
{
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    const QString flow = box(3).text();
    dialogs.expectMessage();
    // With a result shown, "Rohrweite bemessen…" is enabled and one more step down.
    chooseFromMenu(*window, Qt::Key_E, "mnuextras", 4);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const ScriptedDialogs::Message& m = dialogs.messages[0];
    EXPECT_EQ(m.caption, QStringLiteral("Über dieses Programm"));
    EXPECT_EQ(m.icon, QMessageBox::Information);
    EXPECT_EQ(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    const QStringList lines = m.text.split(QLatin1Char('\n'));
    EXPECT_FALSE(m.text.contains(QLatin1Char('\r')));
    EXPECT_EQ(lines, QStringList({QStringLiteral("Programmentwicklung:"), credits::name, credits::degree, QString(),
                                  credits::postcodeAndTown, QString(), QStringLiteral("E-Mail: ") + credits::email}));

    EXPECT_EQ(box(3).text(), flow);
    EXPECT_EQ(grid().cell(1, 1), QStringLiteral("250"));
    dialogs.expectMessage();
    click(1);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].caption, QStringLiteral("Fehler"));
}

TEST_F(WindowTest, BeendenAndClosingTheWindowEndTheProgram)
{
    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"button Beenden", [this] { click(3); }},
        {"Space on Beenden",
         [this] {
             button(3).setFocus();
             QTest::keyClick(&button(3), Qt::Key_Space);
         }},
        {"menu Datei, Beenden", [this] { chooseFromMenu(*window, Qt::Key_D, "mnudatei", 5); }},
        {"close through the window system",
         [this] {
             QCloseEvent close;
             QCoreApplication::sendEvent(window->windowHandle(), &close);
         }},
    };
    for (const auto& [way, action] : ways) {
        SCOPED_TRACE(way);
        openWindow();
        calculate(QStringLiteral("250"), QStringLiteral("5"));
        EXPECT_TRUE(endsTheProgram(action));
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST_F(WindowTest, AFailureNobodyExpectedInAMenuCommandIsShownAndTheProgramGoesOn)
{
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    const QStringList row{grid().cell(1, 0), grid().cell(1, 1), grid().cell(1, 3)};
    struct Case {
        const char* what;
        std::function<void()> fail;
        QString reason;
    } cases[] = {
        {"standard exception", [] { throw std::length_error("vector::_M_range_check"); }, "vector::_M_range_check"},
        {"out of memory", [] { throw std::bad_alloc(); }, "Zu wenig Arbeitsspeicher."},
        {"no standard exception", [] { throw 42; }, "Unbekannter Fehler."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The failure comes out of the file dialog, in the middle of "Einlesen von MS Excel".
        dialogs.expect([&c](QDialog&) -> int {
            c.fail();
            return QDialog::Rejected;
        });
        dialogs.expectMessage();
        dialogs.messages.clear();
        chooseFromMenu(*window, Qt::Key_D, "mnudatei", 0);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Fehler"));
        EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Warning);
        EXPECT_EQ(dialogs.messages[0].text,
                  QStringLiteral("Der Befehl „Einlesen von MS Excel“ konnte nicht ausgeführt werden.\n") + c.reason);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(QStringList({grid().cell(1, 0), grid().cell(1, 1), grid().cell(1, 3)}), row);
        EXPECT_EQ(grid().rows(), 3);
    }
}

TEST_F(WindowTest, MessageBoxesShowPromptIconAndCaption)
{
    struct Case {
        QString prompt;
        View::Icon icon;
        QString caption;
        QString shown;
        QMessageBox::Icon shownIcon;
    };
    const std::vector<Case> cases{
        {"eins\r\nzwei\r\n\r\ndrei", View::Icon::Information, "Information", "eins\nzwei\n\ndrei",
         QMessageBox::Information},
        {"nur eine Zeile", View::Icon::Exclamation, "Fehler", "nur eine Zeile", QMessageBox::Warning},
        {"<b>kein</b> Format", View::Icon::Exclamation, "", "<b>kein</b> Format", QMessageBox::Warning},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt.toStdString());
        QString shownFormat;
        dialogs.expect([&shownFormat](QDialog& d) {
            auto* box = qobject_cast<QMessageBox*>(&d);
            if (box) shownFormat = box->textFormat() == Qt::PlainText ? "plain" : "other";
            return int(QMessageBox::Ok);
        });
        dialogs.expectMessage();
        dialogs.messages.clear();
        window->showMessage(c.prompt, c.icon, c.caption);
        window->showMessage(c.prompt, c.icon, c.caption);
        EXPECT_EQ(shownFormat, QStringLiteral("plain"));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, c.shown);
        EXPECT_EQ(dialogs.messages[0].icon, c.shownIcon);
        EXPECT_EQ(dialogs.messages[0].caption, c.caption);
        EXPECT_EQ(dialogs.messages[0].modality, Qt::ApplicationModal);
    }
}

TEST_F(WindowTest, OpenDialogOffersTheFiltersAndReturnsTheChosenFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString chosen = dir.filePath(QStringLiteral("Mappe1.xls"));
    QFile file(chosen);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    const QList<View::FileFilter> filters{{"Excel-Arbeitsmappe", "*.xls"}, {"Tabellen", "*.xlsx;*.ods"}};
    QStringList seenFilters;
    QString seenSelected, seenName;
    dialogs.expect([&](QDialog& d) {
        auto* dialog = qobject_cast<QFileDialog*>(&d);
        if (!dialog) return int(QDialog::Rejected);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        EXPECT_TRUE(dialog->isModal());
        seenFilters = dialog->nameFilters();
        seenSelected = dialog->selectedNameFilter();
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) seenName = name->text();
        dialog->selectFile(chosen);
        static_cast<QDialog*>(dialog)->accept();
        return dialog->result();
    });
    EXPECT_EQ(window->showOpenDialog(QStringLiteral("Neu.xls"), filters), chosen);
    EXPECT_EQ(seenFilters,
              QStringList({QStringLiteral("Excel-Arbeitsmappe (*.xls)"), QStringLiteral("Tabellen (*.xlsx *.ods)")}));
    EXPECT_EQ(seenSelected, seenFilters.value(0));
    EXPECT_EQ(seenName, QStringLiteral("Neu.xls"));

    dialogs.expect([](QDialog& d) {
        d.reject();
        return d.result();
    });
    EXPECT_EQ(window->showOpenDialog(QString(), filters), QString());
}

TEST_F(WindowTest, SaveDialogReturnsTheNewFileOrNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("Resultate.xls"));
    dialogs.expect([&](QDialog& d) {
        auto* dialog = qobject_cast<QFileDialog*>(&d);
        if (!dialog) return int(QDialog::Rejected);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->nameFilters(), QStringList(QStringLiteral("Excel-Arbeitsmappe (*.xls)")));
        dialog->selectFile(target);
        static_cast<QDialog*>(dialog)->accept();
        return dialog->result();
    });
    EXPECT_EQ(window->showSaveDialog(QStringLiteral("Resultate.xls"), {{"Excel-Arbeitsmappe", "*.xls"}}, QStringLiteral("xls")), target);

    dialogs.expect([](QDialog& d) {
        d.reject();
        return d.result();
    });
    EXPECT_EQ(window->showSaveDialog(QStringLiteral("Resultate.xls"), {{"Excel-Arbeitsmappe", "*.xls"}}, QStringLiteral("xls")), QString());
}

// The export's dialog as a person uses it: a name typed without the suffix,
// or with another workbook's, is the .xlsx file the question is about.
TEST_F(WindowTest, ExportAsksBeforeReplacingTheFileOfTheFinalName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray earlier("kein Arbeitsblatt, aber Daten des Benutzers");
    for (const char* name : {"Ergebnis.xlsx", "x.xlsx"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }
    struct Case {
        const char* typed;
        int answer;  // to the question, or 0 where none may come
        const char* asked;
    } cases[] = {
        {"Ergebnis", QMessageBox::No, "Ergebnis.xlsx"},
        {"x.xls", QMessageBox::No, "x.xlsx"},
        {"Neu.ods", 0, nullptr},
    };
    for (const Case& c : cases) {
        QString question;
        dialogs.expect([&](QDialog& d) {
            auto* dialog = qobject_cast<QFileDialog*>(&d);
            if (!dialog) return int(QDialog::Rejected);
            dialog->setDirectory(dir.path());
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!name) return int(QDialog::Rejected);
            name->setText(QString::fromLatin1(c.typed));
            if (c.answer)
                dialogs.expect([&](QDialog& box) {
                    question = static_cast<QMessageBox&>(box).text();
                    return c.answer;
                });
            static_cast<QDialog*>(dialog)->accept();
            // "No" keeps the dialog open; the user then cancels it.
            if (dialog->result() != QDialog::Accepted) dialog->reject();
            return dialog->result();
        });
        window->form().mnuexcel2_Click();
        EXPECT_EQ(dialogs.pending(), 0u) << c.typed;
        if (c.asked) {
            EXPECT_TRUE(question.contains(QDir::toNativeSeparators(dir.filePath(QString::fromLatin1(c.asked)))))
                << question.toStdString();
        }
    }
    for (const char* name : {"Ergebnis.xlsx", "x.xlsx"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), earlier) << name;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              QStringList({QStringLiteral("Ergebnis.xlsx"), QStringLiteral("Neu.xlsx"), QStringLiteral("x.xlsx")}));
}

TEST_F(WindowTest, ShowDocumentHandsTheFileToTheDesktop)
{
    DocumentReceiver receiver;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &receiver, "open");
    const QString path = QDir::temp().filePath(QStringLiteral("Resultate.xls"));
    const bool shown = window->showDocument(path);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_TRUE(shown);
    EXPECT_EQ(receiver.urls, QList<QUrl>({QUrl::fromLocalFile(path)}));
}

// "Teilstrecken berechnen…" as a person uses it: the list LibreOffice wrote
// chosen, the proposed result name taken as it is; the result workbook holds
// the flows sections-expected.tsv gives, and the window is as it was.
TEST_F(WindowTest, SectionListBecomesAResultWorkbook)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fixtures = QStringLiteral(GIPFELFLUSS_FIXTURES);
    QFile::copy(fixtures + QStringLiteral("/sections-libreoffice.xlsx"), dir.filePath(QStringLiteral("Haus.xlsx")));
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    const QString shownFlow = box(3).text();

    QString proposed;
    dialogs.expect([&](QDialog& d) {
        auto* dialog = qobject_cast<QFileDialog*>(&d);
        if (!dialog) return int(QDialog::Rejected);
        dialog->selectFile(dir.filePath(QStringLiteral("Haus.xlsx")));
        static_cast<QDialog*>(dialog)->accept();
        return dialog->result();
    });
    dialogs.expect([&](QDialog& d) {
        auto* dialog = qobject_cast<QFileDialog*>(&d);
        if (!dialog) return int(QDialog::Rejected);
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) proposed = name->text();
        static_cast<QDialog*>(dialog)->accept();
        return dialog->result();
    });
    dialogs.expectMessage();
    DocumentReceiver receiver;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &receiver, "open");
    chooseFromMenu(*window, Qt::Key_D, "mnudatei", 2);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    const QString result = dir.filePath(QStringLiteral("Haus-Gipfelfluss.xlsx"));
    EXPECT_EQ(proposed, QStringLiteral("Haus-Gipfelfluss.xlsx"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Teilstrecken berechnet"));
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Teilstrecken berechnet: 8\nAbgewiesen"))) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(receiver.urls, QList<QUrl>({QUrl::fromLocalFile(result)}));
    EXPECT_EQ(box(3).text(), shownFlow);
    EXPECT_EQ(grid().cell(1, 1), QStringLiteral("250"));

    QFile expectedFile(fixtures + QStringLiteral("/sections-expected.tsv"));
    ASSERT_TRUE(expectedFile.open(QIODevice::ReadOnly));
    QStringList expected = QString::fromUtf8(expectedFile.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList written;
    WorkbookModule workbooks;
    const QString reason = workbooks.files().readRows(result, 1048576, [&](int row, const std::vector<CellValue>& cells) {
        if (row == 1) return true;
        // Teilstrecke, Geschoss, Einzel BW, Bemerkung, BW, Formel, l/sec, l/min, Hinweis
        const double* flow = cells.size() > 6 ? std::get_if<double>(&cells[6]) : nullptr;
        written << (flow ? QStringLiteral("%1\t%2\t%3\t%4")
                               .arg(std::get<QString>(cells[0]), std::get<QString>(cells[5]))
                               .arg(*flow, 0, 'f', 2)
                               .arg(std::get<double>(cells[7]), 0, 'f', 1)
                         : std::get<QString>(cells[0]) + QStringLiteral("\tabgewiesen"));
        return true;
    });
    EXPECT_TRUE(reason.isEmpty()) << reason.toStdString();
    EXPECT_EQ(written, expected);
}

TEST_F(WindowTest, WatchdogClosesAModalBoxThatNobodyAnswers)
{
    QStringList reported;
    watchdog.setReport([&reported](const QString& description) { reported << description; });
    // Without a presenter the window runs the real message box.
    MainWindow real;
    real.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&real));
    QElapsedTimer clock;
    clock.start();
    real.showMessage(QStringLiteral("Zeile 1\r\nZeile 2"), View::Icon::Information, QStringLiteral("Probe"));
    EXPECT_LT(clock.elapsed(), 2000);
    watchdog.setReport({});
    ASSERT_FALSE(reported.isEmpty());
    EXPECT_TRUE(reported[0].contains(QStringLiteral("QMessageBox \"Probe\": Zeile 1\nZeile 2"))) << reported[0].toStdString();
}

#include "CommandsTest.moc"
