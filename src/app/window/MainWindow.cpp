#include "app/window/MainWindow.h"

#include "app/Credits.h"
#include "app/window/MenuBar.h"
#include "app/window/PictureCanvas.h"
#include "app/window/ResultsGridView.h"
#include "app/window/SaveFileDialog.h"
#include "app/window/SizingDialog.h"
#include "app/window/TallyDialog.h"
#include "app/window/Twips.h"
#include "app/window/WindowConventions.h"
#include "app/window/WindowFonts.h"
#include "base/ProgramInfo.h"
#include "base/RuntimeError.h"
#include "print/ReportPrinting.h"
#include "report/Report.h"
#include "table/Grid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QUrl>

namespace {

// Positions and sizes in twips from the top-left corner of the client area.
struct Place {
    int left, top, width, height;
};

QRect pixels(const Twips& twips, Place p)
{
    return twips.rect(p.left, p.top, p.width, p.height);
}

// Labels stand on one line; only Label4 is meant to wrap.
QLabel* addLabel(QWidget& client, const Twips& twips, const char* name, const QString& caption, const QFont& font,
                 Place place, bool wrap = false)
{
    auto* label = new QLabel(caption, &client);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setGeometry(pixels(twips, place));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wrap);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Button);
    label->setForegroundRole(QPalette::ButtonText);
    return label;
}

// A screen reader names a box after what it holds (its tooltip is the
// description); the labels beside the output boxes only give the unit.
QLineEdit* addBox(QWidget& client, const Twips& twips, const char* name, const QString& accessibleName,
                  const QString& toolTip, bool bold, Place place)
{
    auto* box = new QLineEdit(&client);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessibleName);
    box->setToolTip(toolTip);
    box->setFont(windowFonts::arial(8.25, bold));
    box->setGeometry(pixels(twips, place));
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return box;
}

QPushButton* addButton(QWidget& client, const Twips& twips, const char* name, const QString& caption,
                       const QString& toolTip, Place place)
{
    auto* button = new QPushButton(caption, &client);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(toolTip);
    button->setFont(windowFonts::arial(8.25, true));
    button->setGeometry(pixels(twips, place));
    // Enter in a box must not calculate: no button is the default.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace

MainWindow::MainWindow(ModalPresenter presenter, QWidget* parent, std::optional<ModuleFile> printModule)
    : QMainWindow(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_present(presenter ? std::move(presenter) : ModalPresenter(execModal)),
      m_grid(new Grid(this)),
      m_form(*this),
      m_printModule(printModule ? std::move(*printModule)
                                : ModuleFile(QLatin1String(programInfo::printModule), QStringLiteral("für den Druck")))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Berechnung Gipfelfluss"));

    const Twips twips(logicalDpiX());
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFont(windowFonts::standard());
    QPalette colours = client->palette();
    colours.setColor(QPalette::Window, QColor(background));
    client->setPalette(colours);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    createControls(*client, twips);
    createMenus();
    setFocusOrder();
    resize(twips.toPixels(clientWidthTwips), twips.toPixels(clientHeightTwips) + menuBar()->sizeHint().height());

    m_form.Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls(QWidget& client, const Twips& twips)
{
    const QFont heading = windowFonts::arial(9.75, true);
    const QFont plain = windowFonts::arial(8.25, false);

    addLabel(client, twips, "Label5", QStringLiteral("Daten Eingaben"), heading, {240, 120, 1575, 255});
    addLabel(client, twips, "Label6", QStringLiteral("Daten Ausgaben"), heading, {4920, 120, 1695, 255});

    m_boxes[0] = addBox(client, twips, "Text1", QStringLiteral("Total Belastungswerte"),
                        QStringLiteral("Eingabe Total BW"), false, {240, 720, 735, 285});
    addLabel(client, twips, "Label3", QStringLiteral("Total Belastungswerte"), plain, {1080, 720, 2055, 375});
    m_boxes[1] = addBox(client, twips, "Text2", QStringLiteral("Grösster Einzel BW"),
                        QStringLiteral("Eingabe grösster Einzel BW"), false, {240, 1200, 735, 285});
    // The caption is wider than the label: it wraps at the run of 14 blanks.
    addLabel(client, twips, "Label4", QStringLiteral("Grösster Einzel BW              (2, 3, 4, 5, oder 8 BW)"), plain,
             {1080, 1200, 2175, 615}, true);

    m_buttons[0] = addButton(client, twips, "Command1", QStringLiteral("Berechnen"), QStringLiteral("Berechnung starten"),
                             {3120, 720, 1335, 375});
    m_buttons[1] = addButton(client, twips, "Command2", QStringLiteral("Neue Eingabe"),
                             QStringLiteral("alte Eingaben löschen"), {3120, 1200, 1335, 375});
    m_buttons[2] = addButton(client, twips, "Command3", QStringLiteral("Beenden"), QStringLiteral("Programm beenden"),
                             {3120, 1680, 1335, 375});

    m_boxes[2] = addBox(client, twips, "Text3", QStringLiteral("Gipfelfluss l/s"),
                        QStringLiteral("Ausgabe Gipfelfluss in l/s"), true, {4920, 720, 735, 285});
    addLabel(client, twips, "Label1", QStringLiteral("l/s"), heading, {5760, 720, 735, 375});
    m_boxes[3] = addBox(client, twips, "Text4", QStringLiteral("Gipfelfluss l/min"),
                        QStringLiteral("Ausgabe Gipfelfluss in l/min"), true, {4920, 1200, 735, 285});
    addLabel(client, twips, "Label2", QStringLiteral("l/min"), heading, {5760, 1200, 735, 255});

    m_gridView = new ResultsGridView(&client);
    m_gridView->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_gridView->setToolTip(QStringLiteral("Tabelle der Resultate"));
    m_gridView->setAccessibleName(QStringLiteral("Tabelle der Resultate"));
    m_gridView->setGeometry(pixels(twips, {6600, 720, 5415, 1815}));
    m_gridView->setModel(m_grid);

    m_picture = new PictureCanvas(&client);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setToolTip(QStringLiteral("grafische Darstellung"));
    m_picture->setAccessibleName(QStringLiteral("Diagramm Gipfelfluss"));
    m_picture->setGeometry(pixels(twips, {120, 2760, 11895, 5895}));

    addLabel(client, twips, "Label7", credits::creditLine(), windowFonts::standard(), {3600, 8880, 5055, 255});

    connect(m_buttons[0], &QPushButton::clicked, this, [this] {
        m_form.Command1_Click();
        enableSizing();
    });
    connect(m_buttons[1], &QPushButton::clicked, this, [this] {
        m_form.Command2_Click();
        enableSizing();
    });
    connect(m_buttons[2], &QPushButton::clicked, this, [this] { m_form.Command3_Click(); });
}

void MainWindow::createMenus()
{
    const MenuActions menu = ::createMenus(*menuBar());
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    const std::pair<QAction*, void (Form1::*)()> commands[] = {
        {menu.mnuexcel1, &Form1::mnuexcel1_Click},       {menu.mnuexcel2, &Form1::mnuexcel2_Click},
        {menu.mnuteilstrecken, &Form1::mnuteilstrecken_Click},
        {menu.mnuprotokoll, &Form1::mnuprotokoll_Click}, {menu.mnudrucken, &Form1::mnudrucken_Click},
        {menu.mnuend, &Form1::mnuend_Click},             {menu.mnuhilfe, &Form1::mnuhilfe_Click},
        {menu.mnuinfo, &Form1::mnuinfo_Click},           {menu.mnubelastung, &Form1::mnubelastung_Click},
        {menu.mnurohrweite, &Form1::mnurohrweite_Click}, {menu.mnunachdruck, &Form1::mnunachdruck_Click},
    };
    for (const auto& [action, command] : commands)
        connect(action, &QAction::triggered, this,
                [this, name = action->text(), command] { m_form.runMenuCommand(name, command); });
    // "Rohrweite bemessen…" sizes the result that is shown: enabled after
    // every command that may show or take away one.
    m_sizingAction = menu.mnurohrweite;
    // The switch shows the remembered choice, read when the menu opens, not at start.
    QAction* byPressure = menu.mnunachdruck;
    connect(qobject_cast<QMenu*>(byPressure->parent()), &QMenu::aboutToShow, this,
            [this, byPressure] { byPressure->setChecked(m_form.byPressure()); });
    for (QAction* action : menuBar()->actions())
        if (QMenu* sub = action->menu()) connect(sub, &QMenu::triggered, this, &MainWindow::enableSizing, Qt::QueuedConnection);
    enableSizing();
}

void MainWindow::enableSizing()
{
    m_sizingAction->setEnabled(m_form.resultShown());
}

// Text1, Text2, Text3, Text4, Command1, Command2, Command3, then the table and
// round to Text1. The canvas takes no focus.
void MainWindow::setFocusOrder()
{
    QWidget* previous = m_boxes[0];
    for (QWidget* next : {static_cast<QWidget*>(m_boxes[1]), static_cast<QWidget*>(m_boxes[2]),
                          static_cast<QWidget*>(m_boxes[3]), static_cast<QWidget*>(m_buttons[0]),
                          static_cast<QWidget*>(m_buttons[1]), static_cast<QWidget*>(m_buttons[2]),
                          static_cast<QWidget*>(m_gridView)}) {
        setTabOrder(previous, next);
        previous = next;
    }
    m_boxes[0]->setFocus();
}

QString MainWindow::text(TextBox box) const
{
    return m_boxes[std::size_t(box)]->text();
}

void MainWindow::setText(TextBox box, const QString& text)
{
    m_boxes[std::size_t(box)]->setText(text);
}

Canvas& MainWindow::Picture1()
{
    return *m_picture;
}

Grid& MainWindow::MSFlexGrid1()
{
    return *m_grid;
}

void MainWindow::showMessage(const QString& prompt, Icon icon, const QString& caption)
{
    QString lines = prompt;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::Information, caption, lines,
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    m_present(box);
}

QString MainWindow::showOpenDialog(const QString& fileName, const QList<FileFilter>& filters)
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog, fileName, filters);
}

QString MainWindow::showSaveDialog(const QString& fileName, const QList<FileFilter>& filters, const QString& suffix,
                                   const QStringList& replaced)
{
    SaveFileDialog dialog(this, m_present, suffix, replaced);
    for (QString shown = fileName;;) {
        const QString chosen = runFileDialog(dialog, shown, filters);
        if (chosen.isEmpty()) return {};  // cancelled
        if (const QString settled = dialog.settle(chosen); !settled.isEmpty()) return settled;
        shown = chosen;  // not to be replaced: the dialog once more
    }
}

QString MainWindow::runFileDialog(QFileDialog& dialog, const QString& fileName, const QList<FileFilter>& filters)
{
    // Qt's own dialog on every Linux desktop, the same for all of them;
    // Windows' own on Windows.
    dialog.setOption(QFileDialog::DontUseNativeDialog, !windowConventions::nativeFileDialogs);
    dialog.setWindowModality(Qt::ApplicationModal);
    QStringList nameFilters;
    for (const FileFilter& filter : filters) {
        // Several patterns are separated by ";" in a filter entry, by blanks in Qt's.
        QString patterns = filter.pattern;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        nameFilters << filter.description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.first());
    }
    if (!fileName.isEmpty()) dialog.selectFile(fileName);
    if (m_present(dialog) != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

std::optional<std::vector<tally::Row>> MainWindow::showTallyDialog(const TallyRequest& request)
{
    TallyDialog dialog(this, m_form.numbers(), request);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (m_present(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.rows();
}

std::optional<View::SizingAnswer> MainWindow::showSizingDialog(const SizingRequest& request)
{
    SizingDialog dialog(this, m_form.numbers(), request);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (m_present(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.answer();
}

// The platform's usual place: a file under ~/.config on Linux, the registry
// under HKEY_CURRENT_USER on Windows.
QString MainWindow::setting(const QString& key) const
{
    return QSettings(QStringLiteral("Gipfelfluss"), QStringLiteral("Gipfelfluss")).value(key).toString();
}

void MainWindow::setSetting(const QString& key, const QString& value)
{
    QSettings(QStringLiteral("Gipfelfluss"), QStringLiteral("Gipfelfluss")).setValue(key, value);
}

bool MainWindow::showDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void MainWindow::writeReport(QIODevice& device, const ReportContent& content)
{
    report::writePdf(device, content, chart());
}

void MainWindow::printReport(const ReportContent& content)
{
    if (!m_printing) m_printing = &m_printModule.open<ReportPrinting>();
    const QString reason = m_printing->print(*this, m_present, content, chart());
    if (!reason.isEmpty()) throw RuntimeError(reason);
}

report::Chart MainWindow::chart() const
{
    return {m_picture->drawing(), m_picture->font(), QColor(PictureCanvas::background)};
}

void MainWindow::endProgram()
{
    close();  // closeEvent ends the event loop
}

// The window's icon is read just after its first paint. Reading the icon file
// loads Qt's ICO plugin and takes about 0.8 ms, a twentieth of the whole
// start; the window need not wait for it, and desktops put the icon into the
// title bar and the task list as soon as it is set.
bool MainWindow::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Paint && m_iconPending) {
        m_iconPending = false;
        QTimer::singleShot(0, this, [this] { setWindowIcon(QIcon(QStringLiteral(":/gipfelfluss/gipfelfluss.ico"))); });
    }
    return handled;
}

// The window is the program's only one, and as a tool window it would not end
// the program by itself: closing it ends the program, whichever way it closes.
void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::quit();
}
