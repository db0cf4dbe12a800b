#include "app/Form1.h"
#include "fakes/QtPrinters.h"
#include "fakes/RecordingView.h"
#include "workbook/LinkedWorkbookFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <random>

namespace {

using Box = View::TextBox;

// Resident memory of this process in KiB, from /proc.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void checkRowsNumberedWithoutGaps(const Grid& grid, int occupied)
{
    for (int r = 1; r <= occupied; ++r) ASSERT_EQ(grid.cell(r, 0), QString::number(r)) << "row " << r;
    for (int r = occupied + 1; r < grid.rows(); ++r) ASSERT_EQ(grid.cell(r, 1), QString()) << "row " << r;
}

TEST(Soak, TenThousandCalculationsKeepEveryRow)
{
    RecordingView view;
    Form1 form(view, QLocale::c(), WorkbookModule(linkedWorkbookFiles()));
    form.Form_Load();
    const long before = residentKiB();
    constexpr int calculations = 10000;
    for (int n = 1; n <= calculations; ++n) {
        view.type(Box::Text1, QString::number(2 + n % 5000));
        view.type(Box::Text2, QStringLiteral("2"));
        form.Command1_Click();
        form.Command2_Click();
        ASSERT_EQ(view.grid.rows(), n + 3);
    }
    // Only the full-table message, once, after the 25th entry.
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].caption, "Information");
    checkRowsNumberedWithoutGaps(view.grid, calculations);
    // Fifty thousand short texts and the view's log: some MiB, not more. The
    // sanitizers hold freed memory back in quarantine (256 MiB by default).
#ifdef __SANITIZE_ADDRESS__
    constexpr long limitKiB = 512 * 1024;
#else
    constexpr long limitKiB = 64 * 1024;
#endif
    const long grown = residentKiB() - before;
    RecordProperty("grownKiB", int(grown));
    EXPECT_LT(grown, limitKiB) << "KiB";
}

// The number column that importing the given workbook leaves in rows 1 to 25.
QStringList importedColumn(const QString& path)
{
    RecordingView view;
    Form1 form(view, QLocale::c(), WorkbookModule(linkedWorkbookFiles()));
    form.Form_Load();
    view.dialogAnswers.push_back(path);
    form.mnuexcel1_Click();
    QStringList column{QString()};
    for (int r = 1; r <= 25; ++r) column << view.grid.cell(r, 0);
    return column;
}

// Every window event in random order, checked after each against a model of
// the controller: the computed flag, the occupied rows, the row count, the
// number column and the messages each event must bring.
TEST(Soak, RandomEventsFollowTheControllersStateTable)
{
    enum class Kind { Large, Small, BelowMinimum, NoFormula, NoNumber, Empty };
    std::mt19937 random(20261208);
    const auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const double smallUnits[] = {2, 3, 4, 5, 8};
    const double noFormula[] = {0, 1, 6, 7, 9, 9.5, 12, -1, 0.5, 2.5, 8.5};
    const char* noNumber[] = {"abc", "1e400", "nan", "inf", "--2", "2,5,5", "x1"};
    const QString workbook = QStringLiteral(GIPFELFLUSS_FIXTURES "/values-xlwt.xls");
    const QString damaged = QStringLiteral(GIPFELFLUSS_FIXTURES "/make-fixtures.sh");  // no workbook
    const QStringList imported = importedColumn(workbook);
    QTemporaryDir saved;

    RecordingView view;
    view.canShowDocuments = false;
    Form1 form(view, QLocale::c(), WorkbookModule(linkedWorkbookFiles()));
    form.Form_Load();
    bool flag = false;
    int occupied = 0;
    int rows = 3;
    int lastImportedRow = 0;  // rows 1 to this hold imported text (or an entry's number since)
    QStringList numbers{"Nr.", "", ""};  // the expected column 0, one text per row
    int endRequests = 0;

    for (int step = 0; step < 20000; ++step) {
        view.messages.clear();
        const int event = pick(100);
        QString expectedCaption;  // empty: no message
        if (event < 50) {  // "Berechnen"
            const Kind kind = Kind(pick(6));
            const double unit = smallUnits[pick(5)];
            QString total, largest;
            switch (kind) {
            case Kind::Large: total = QString::number(uniform(300, 1e6), 'g', 10); largest = QString::number(uniform(-50, 50)); break;
            case Kind::Small: total = QString::number(uniform(unit, 299.99), 'f', 2); largest = QString::number(unit); break;
            case Kind::BelowMinimum: total = QString::number(uniform(-10, unit - 0.01), 'f', 2); largest = QString::number(unit); break;
            case Kind::NoFormula: total = QString::number(uniform(10, 299)); largest = QString::number(noFormula[pick(11)]); break;
            case Kind::NoNumber: total = QString::fromLatin1(noNumber[pick(7)]); largest = QStringLiteral("2"); break;
            case Kind::Empty: total = QStringLiteral("100"); largest = QString(); break;
            }
            view.type(Box::Text1, total);
            view.type(Box::Text2, largest);
            form.Command1_Click();
            if (flag) {
                expectedCaption = QStringLiteral("Fehler");
            } else if (kind == Kind::Large || kind == Kind::Small) {
                flag = true;
                ++occupied;
                rows = std::max(rows, occupied + 1);
                numbers.resize(rows);
                numbers[occupied] = QString::number(occupied);
            } else {
                expectedCaption = QStringLiteral("Fehler");
            }
        } else if (event < 75) {  // "Neue Eingabe"
            form.Command2_Click();
            if (occupied + 1 == 26) expectedCaption = QStringLiteral("Information");
            flag = false;
            rows = std::max(occupied + 3, std::max(occupied, lastImportedRow) + 1);
            numbers.resize(rows);
        } else if (event < 80) {  // "Hilfe", "Info"
            if (pick(2)) {
                form.mnuhilfe_Click();
                expectedCaption = QStringLiteral("Hilfe,");
            } else {
                form.mnuinfo_Click();
                expectedCaption = QStringLiteral("Über dieses Programm");
            }
        } else if (event < 82) {  // "Beenden", button or menu
            pick(2) ? form.Command3_Click() : form.mnuend_Click();
            ++endRequests;
        } else if (event < 91) {  // "Einlesen von MS Excel": a workbook, no workbook, or cancelled
            const int choice = pick(3);
            if (choice < 2) view.dialogAnswers.push_back(choice == 0 ? workbook : damaged);
            form.mnuexcel1_Click();
            if (choice == 0) {
                rows = std::max(rows, 26);
                numbers.resize(rows);
                for (int r = 1; r <= 25; ++r) numbers[r] = imported[r];
                lastImportedRow = 25;
            } else if (choice == 1) {
                expectedCaption = QStringLiteral("Fehler");
            }
        } else {  // "Ausgeben nach MS Excel": saved, or cancelled
            if (pick(4) == 0) view.dialogAnswers.push_back(saved.filePath(QStringLiteral("tabelle")));
            form.mnuexcel2_Click();
        }
        ASSERT_EQ(form.Berechnet(), flag ? Form1::True : Form1::False) << "step " << step;
        ASSERT_EQ(view.grid.rows(), rows) << "step " << step;
        ASSERT_EQ(view.messages.size(), expectedCaption.isEmpty() ? 0u : 1u) << "step " << step;
        if (!expectedCaption.isEmpty()) {
            ASSERT_EQ(view.messages[0].caption, expectedCaption) << "step " << step;
        }
        ASSERT_EQ(view.endRequests, endRequests);
        ASSERT_EQ(view.dialogAnswers.size(), 0u);
    }
    for (int r = 1; r < rows; ++r) {
        ASSERT_EQ(view.grid.cell(r, 0), numbers[r]) << "row " << r;
        ASSERT_EQ(view.grid.cell(r, 1).isEmpty(), r > occupied) << "row " << r;
    }
    EXPECT_GT(occupied, 1000);
    EXPECT_TRUE(QFile::exists(saved.filePath(QStringLiteral("tabelle.xlsx"))));
}

}  // namespace
