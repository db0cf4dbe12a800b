// The calculation report from the real window, read back with poppler's tools
// (pdfinfo, pdftotext, pdfimages, pdftoppm). Runs in the locale of the
// environment; ctest runs it in a point and in a comma locale.
#include "BuildMachineTools.h"
#include "WindowFixture.h"

#include "app/window/PictureCanvas.h"
#include "table/Grid.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Standard output of a poppler tool; fails the test when it does not run.
QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " failed (scripts/install-deps.sh installs poppler-utils): "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString info(const QString& pdf, const QString& key)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(key), QRegularExpression::MultilineOption);
    return line.match(poppler(QStringLiteral("pdfinfo"), {pdf})).captured(1).trimmed();
}

// The text of one page, each line as its words.
std::vector<QStringList> pageLines(const QString& pdf, int page)
{
    const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"),
                                                              QString::number(page), QStringLiteral("-l"),
                                                              QString::number(page), pdf, QStringLiteral("-")});
    std::vector<QStringList> lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines.push_back(line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
    return lines;
}

int countLines(const std::vector<QStringList>& lines, const QStringList& words)
{
    return int(std::count(lines.begin(), lines.end(), words));
}

bool sameColour(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 3 && std::abs(qGreen(a) - qGreen(b)) <= 3 && std::abs(qBlue(a) - qBlue(b)) <= 3;
}

bool colourWithin(const QImage& image, QPointF at, QRgb colour, int radius)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(int(at.x()) + dx, int(at.y()) + dy);
            if (image.rect().contains(p) && sameColour(image.pixel(p), colour)) return true;
        }
    return false;
}

// Share of the pixels of `colour` in `from` whose place in `to` (the same
// picture at another size and offset) has that colour within two pixels.
double found(const QImage& from, const QRectF& fromArea, const QImage& to, const QRectF& toArea, QRgb colour)
{
    int all = 0;
    int matched = 0;
    for (int y = int(fromArea.top()); y < int(fromArea.bottom()); ++y)
        for (int x = int(fromArea.left()); x < int(fromArea.right()); ++x) {
            if (!sameColour(from.pixel(x, y), colour)) continue;
            ++all;
            const QPointF relative((x + 0.5 - fromArea.left()) / fromArea.width(), (y + 0.5 - fromArea.top()) / fromArea.height());
            const QPointF there(toArea.left() + relative.x() * toArea.width(), toArea.top() + relative.y() * toArea.height());
            if (colourWithin(to, there, colour, 2)) ++matched;
        }
    return all == 0 ? 0 : double(matched) / all;
}

QStringList words(const QString& text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Numbers as the user's locale writes them.
QString local(QString number)
{
    return number.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

}  // namespace

class ReportTest : public WindowTest {
protected:
    // "Protokoll als PDF speichern…", the save dialog answered with `name` in the temporary folder.
    QString saveReport(const QString& name)
    {
        const QString path = folder.filePath(name);
        dialogs.expect([path](QDialog& d) {
            auto* dialog = qobject_cast<QFileDialog*>(&d);
            if (!dialog) return int(QDialog::Rejected);
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_TRUE(dialog->nameFilters().join(QLatin1Char(' ')).contains(QStringLiteral("*.pdf")));
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
            return dialog->result();
        });
        action("mnuprotokoll").trigger();
        EXPECT_TRUE(dialogs.messages.empty());
        return path;
    }

    QAction& action(const char* name)
    {
        auto* found = window->findChild<QAction*>(QString::fromLatin1(name));
        if (!found) throw std::runtime_error("no such menu item");
        return *found;
    }

    QTemporaryDir folder;
};

TEST_F(ReportTest, ReportOfThreeResultsHoldsChartTextsFormulasAndRows)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    // Expected flows from Python's decimal module at 40 digits.
    const std::vector<QStringList> rows{{"1", "250", "5", local("1.63"), local("97.7")},
                                        {"2", "1000", "3", local("3.41"), local("204.8")},
                                        {"3", "40", "2", local("0.71"), local("42.9")}};
    // The comma run says which separator it set up, lest it silently run in the point locale.
    if (qEnvironmentVariableIsSet("GIPFELFLUSS_DECIMAL_POINT")) {
        ASSERT_EQ(QLocale::system().decimalPoint(), qEnvironmentVariable("GIPFELFLUSS_DECIMAL_POINT"));
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) click(2);
        calculate(rows[i][1], rows[i][2]);
    }
    const QString pdf = saveReport(QStringLiteral("Protokoll.pdf"));

    EXPECT_EQ(info(pdf, QStringLiteral("Title")), QStringLiteral("Berechnung Gipfelfluss"));
    EXPECT_EQ(info(pdf, QStringLiteral("Creator")), QStringLiteral("Gipfelfluss " GIPFELFLUSS_VERSION));
    EXPECT_EQ(info(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
    EXPECT_TRUE(info(pdf, QStringLiteral("Page size")).endsWith(QStringLiteral("(A4)")));

    // No raster image: the chart is lines and text.
    const QStringList images = poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(images.size(), 2) << images.join(QLatin1Char('\n')).toStdString();  // the list's two heading lines

    const std::vector<QStringList> lines = pageLines(pdf, 1);
    const std::vector<QStringList> expected{
        words(QStringLiteral("Berechnung Gipfelfluss – Protokoll")),
        {"Nr.", "BW", "Einzel", "BW", "l/sec", "l/min"},
        rows[0], rows[1], rows[2],
        words(QStringLiteral("Gipfelfluss: %1 l/s = %2 l/min").arg(local("0.71"), local("42.9"))),
        words(QStringLiteral("Formel: grösster Einzel BW 2 (Total unter 300 BW)")),
        words(local("Grosse Anlage (Total ab 300 BW) 0.582679 -0.214837 300")),
        words(local("Grösster Einzel BW 8 0.1968 0.7272 8")),
        words(QStringLiteral("Gipfelfluss " GIPFELFLUSS_VERSION " Seite 1 von 1")),
    };
    for (const QStringList& line : expected) {
        SCOPED_TRACE(line.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(countLines(lines, line), 1);
    }
    // The chart's labels are text: the ends of both axes and a label in the locale's numbers.
    QStringList all;
    for (const QStringList& line : lines) all += line;
    for (const QString& label : {QStringLiteral("1000"), QStringLiteral("0.2"), QStringLiteral("10.0"), local("0.5")})
        EXPECT_TRUE(all.contains(label)) << label.toStdString();

    // The first page without smoothing at 150 dpi: the marker and the reference
    // lines lie where the window's canvas has them, at the page's scale.
    poppler(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-aa"), QStringLiteral("no"),
                                         QStringLiteral("-aaVector"), QStringLiteral("no"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, folder.filePath(QStringLiteral("page"))});
    const QImage page(folder.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());
    QRect chart;  // the canvas colour's extent on the page
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) == QColor(PictureCanvas::background).rgb()) chart |= QRect(x, y, 1, 1);
    const QImage screen = canvas().image().convertToFormat(QImage::Format_RGB32);
    const double aspect = double(screen.width()) / screen.height();
    EXPECT_NEAR(double(chart.width()) / chart.height(), aspect, 0.02);
    EXPECT_GT(chart.width(), page.width() * 0.7);  // the page's width within its margins
    const QRgb red = qRgb(255, 0, 0);
    const QRgb darkBlue = qRgb(0, 0, 128);
    const QRectF onPage(chart);
    const QRectF onScreen(screen.rect());
    for (const QRgb colour : {red, darkBlue}) {
        SCOPED_TRACE(QColor(colour).name().toStdString());
        EXPECT_GT(found(screen, onScreen, page, onPage, colour), 0.95);
        EXPECT_GT(found(page, onPage, screen, onScreen, colour), 0.95);
    }
}

// The size chosen in "Rohrweite bemessen…" stands in the report while its
// result does. Values from python3-iapws and fluids (tests/fixtures/make_sizing.py).
TEST_F(ReportTest, RohrweiteOfTheChosenSizeStandsInTheReportUntilNeueEingabe)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    dialogs.expect([](QDialog& d) {
        for (QLineEdit* box : d.findChildren<QLineEdit*>()) {
            if (box->accessibleName() == QStringLiteral("Länge")) box->setText(QStringLiteral("12"));
            if (box->accessibleName() == QStringLiteral("Σζ")) box->setText(local("4.5"));
            if (box->accessibleName() == QStringLiteral("Temperatur")) box->setText(QStringLiteral("60"));
            if (box->accessibleName() != QStringLiteral("Gipfelfluss")) emit box->textEdited(box->text());
        }
        d.accept();
        return d.result();
    });
    action("mnurohrweite").trigger();
    const std::vector<QStringList> lines = pageLines(saveReport(QStringLiteral("Rohrweite.pdf")), 1);
    for (const QString& line : {QStringLiteral("Rohrweite"), local("Rohrserie: Kupfer (k 0.0015 mm)"),
                                local("Rohr: 42×1,5, di 39.0 mm"), local("Fliessgeschwindigkeit v: 1.36 m/s (v max 2 m/s)"),
                                local("Druckgefälle R: 4.2 hPa/m"), local("Länge l: 12 m, R·l: 50.0 hPa"),
                                local("Σζ: 4.5, Z: 41.1 hPa"), local("Druckverlust Δp: 91.2 hPa"),
                                QStringLiteral("Wassertemperatur: 60 °C")}) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_EQ(countLines(lines, words(line)), 1);
    }
    click(2);  // "Neue Eingabe"
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    EXPECT_EQ(countLines(pageLines(saveReport(QStringLiteral("Danach.pdf")), 1), {QStringLiteral("Rohrweite")}), 0);
}

TEST_F(ReportTest, LongTableContinuesOnNewPagesBelowTheHeaderRowAndNoRowIsSplit)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    // Sixty rows, every tenth with an imported text.
    const int rowCount = 60;
    grid().setRows(rowCount + 1);
    std::vector<QStringList> rows;
    for (int r = 1; r <= rowCount; ++r) {
        const QStringList cells{r % 10 == 0 ? QStringLiteral("Steigzone Ost %1").arg(r / 10)
                                           : QString::number(r),
                                QString::number(100 + r), QStringLiteral("5"), local(QStringLiteral("1.%1").arg(r, 2, 10, QLatin1Char('0'))),
                                local(QStringLiteral("%1.5").arg(r))};
        for (int c = 0; c < cells.size(); ++c) {
            grid().setRow(r);
            grid().setCol(c);
            grid().setText(cells[c]);
        }
        rows.push_back(cells);
    }
    const QString pdf = saveReport(QStringLiteral("Lang.pdf"));

    const int pages = info(pdf, QStringLiteral("Pages")).toInt();
    EXPECT_GE(pages, 2);
    const QStringList header{"Nr.", "BW", "Einzel", "BW", "l/sec", "l/min"};
    std::vector<int> foundOn(rows.size(), 0);
    for (int p = 1; p <= pages; ++p) {
        SCOPED_TRACE(p);
        const std::vector<QStringList> lines = pageLines(pdf, p);
        EXPECT_EQ(countLines(lines, header), 1);
        EXPECT_EQ(countLines(lines, words(QStringLiteral("Gipfelfluss " GIPFELFLUSS_VERSION " Seite %1 von %2").arg(p).arg(pages))), 1);
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (countLines(lines, words(rows[r].join(QLatin1Char(' ')))) == 1) foundOn[r] = p;
    }
    for (std::size_t r = 0; r < rows.size(); ++r) EXPECT_GT(foundOn[r], 0) << rows[r].join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(foundOn.back(), pages);
}

TEST_F(ReportTest, DruckenOpensThePrintDialogAndCancellingChangesNothing)
{
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    const QStringList boxes{box(1).text(), box(2).text(), box(3).text(), box(4).text()};
    const QImage chart = canvas().image().copy();
    const int rows = grid().rows();
    QString shown;
    dialogs.expect([&shown](QDialog& d) {
        if (auto* dialog = qobject_cast<QPrintDialog*>(&d)) {
            shown = dialog->printer()->docName();
            EXPECT_EQ(dialog->printer()->pageLayout().pageSize().id(), QPageSize::A4);
        }
        d.reject();
        return d.result();
    });
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(shown, QStringLiteral("Berechnung Gipfelfluss"));
    EXPECT_EQ((QStringList{box(1).text(), box(2).text(), box(3).text(), box(4).text()}), boxes);
    EXPECT_EQ(canvas().image(), chart);
    EXPECT_EQ(grid().rows(), rows);
    EXPECT_EQ(window->form().Berechnet(), Form1::True);
    EXPECT_TRUE(dialogs.messages.empty());
}

// Printing goes through the print module: accepted with Qt's "print to file",
// the printer gets the whole report.
TEST_F(ReportTest, DruckenPrintsTheReportThroughThePrintModule)
{
    SKIP_WITHOUT_BUILD_MACHINE_TOOLS();
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("gedruckt.pdf"));
    dialogs.expect([&pdf](QDialog& d) {
        auto* dialog = qobject_cast<QPrintDialog*>(&d);
        EXPECT_NE(dialog, nullptr);
        if (!dialog) return int(QDialog::Rejected);
        d.accept();
        // After accept(), which sets the printer up from the dialog's own fields.
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(pdf);
        return d.result();
    });
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(info(pdf, QStringLiteral("Title")), QStringLiteral("Berechnung Gipfelfluss"));
    const std::vector<QStringList> lines = pageLines(pdf, 1);
    EXPECT_EQ(countLines(lines, {QStringLiteral("Nr."), QStringLiteral("BW"), QStringLiteral("Einzel"), QStringLiteral("BW"),
                                 QStringLiteral("l/sec"), QStringLiteral("l/min")}),
              1);
    EXPECT_EQ(countLines(lines, words(QStringLiteral("1 250 5 %1 %2").arg(box(3).text(), box(4).text()))), 1);
}

// Without its module the program cannot print: a "Fehler" box names the
// reason, and nothing else changes.
TEST_F(ReportTest, DruckenWithoutThePrintModuleSaysWhy)
{
    window = std::make_unique<MainWindow>([this](QDialog& dialog) { return dialogs.present(dialog); }, nullptr,
                                          ModuleFile(QStringList{QStringLiteral("/nicht/da/gipfelfluss-print.so")},
                                                     QStringLiteral("für den Druck")));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    calculate(QStringLiteral("250"), QStringLiteral("5"));
    const int rows = grid().rows();
    dialogs.expectMessage();
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Fehler"));
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Das Protokoll kann nicht gedruckt werden.")));
    EXPECT_TRUE(dialogs.messages[0].text.contains(
        QStringLiteral("Das Programmmodul für den Druck ist nicht installiert (gesucht: %1)")
            .arg(QDir::toNativeSeparators(QStringLiteral("/nicht/da/gipfelfluss-print.so")))))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(grid().rows(), rows);
    EXPECT_EQ(window->form().Berechnet(), Form1::True);
}
