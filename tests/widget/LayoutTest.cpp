// The window as it looks: every control at its place with its caption,
// tooltip and font, the frame, the colours, and a layout that resizing leaves alone.
#include "WindowFixture.h"

#include "app/Credits.h"
#include "app/window/PictureCanvas.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTextLayout>

namespace {

struct ControlRow {
    const char* name;
    const char* className;
    QString caption;  // labels, boxes and buttons
    QString toolTip;
    qreal points;
    bool bold;
    QRect twips;  // left, top, width, height
};

const std::vector<ControlRow>& controls()
{
    static const std::vector<ControlRow> rows{
        {"Label5", "QLabel", "Daten Eingaben", "", 9.75, true, {240, 120, 1575, 255}},
        {"Label6", "QLabel", "Daten Ausgaben", "", 9.75, true, {4920, 120, 1695, 255}},
        {"Text1", "QLineEdit", "", "Eingabe Total BW", 8.25, false, {240, 720, 735, 285}},
        {"Label3", "QLabel", "Total Belastungswerte", "", 8.25, false, {1080, 720, 2055, 375}},
        {"Text2", "QLineEdit", "", "Eingabe grösster Einzel BW", 8.25, false, {240, 1200, 735, 285}},
        {"Label4", "QLabel", "Grösster Einzel BW              (2, 3, 4, 5, oder 8 BW)", "", 8.25, false,
         {1080, 1200, 2175, 615}},
        {"Command1", "QPushButton", "Berechnen", "Berechnung starten", 8.25, true, {3120, 720, 1335, 375}},
        {"Command2", "QPushButton", "Neue Eingabe", "alte Eingaben löschen", 8.25, true, {3120, 1200, 1335, 375}},
        {"Command3", "QPushButton", "Beenden", "Programm beenden", 8.25, true, {3120, 1680, 1335, 375}},
        {"Text3", "QLineEdit", "", "Ausgabe Gipfelfluss in l/s", 8.25, true, {4920, 720, 735, 285}},
        {"Label1", "QLabel", "l/s", "", 9.75, true, {5760, 720, 735, 375}},
        {"Text4", "QLineEdit", "", "Ausgabe Gipfelfluss in l/min", 8.25, true, {4920, 1200, 735, 285}},
        {"Label2", "QLabel", "l/min", "", 9.75, true, {5760, 1200, 735, 255}},
        {"MSFlexGrid1", "ResultsGridView", "", "Tabelle der Resultate", 8.25, false, {6600, 720, 5415, 1815}},
        {"Picture1", "PictureCanvas", "", "grafische Darstellung", 8.25, false, {120, 2760, 11895, 5895}},
        {"Label7", "QLabel", credits::creditLine(), "", 8.25, false, {3600, 8880, 5055, 255}},
    };
    return rows;
}

QString caption(const QWidget& w)
{
    if (const auto* label = qobject_cast<const QLabel*>(&w)) return label->text();
    if (const auto* box = qobject_cast<const QLineEdit*>(&w)) return box->text();
    if (const auto* button = qobject_cast<const QPushButton*>(&w)) return button->text();
    return {};
}

QRect pixelsOf(const QRect& twips)
{
    return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

QRgb rgbAt(const QImage& image, QPoint logical, qreal ratio)
{
    return image.pixel(int(logical.x() * ratio), int(logical.y() * ratio)) & 0xffffff;
}

// Rows of the image that carry darker pixels than the background, as bands.
int inkBands(const QImage& image, QRgb background)
{
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x) ink = qGray(image.pixel(x, y)) < qGray(background) - 60;
        if (ink && !inBand) ++bands;
        inBand = ink;
    }
    return bands;
}

}  // namespace

TEST_F(WindowTest, EveryControlHasItsPlaceCaptionToolTipAndFont)
{
    for (const ControlRow& row : controls()) {
        SCOPED_TRACE(row.name);
        auto* w = window->findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->inherits(row.className)) << w->metaObject()->className();
        EXPECT_EQ(w->parentWidget(), window->centralWidget());
        EXPECT_EQ(w->geometry(), pixelsOf(row.twips));
        EXPECT_EQ(caption(*w), row.caption);
        EXPECT_EQ(w->toolTip(), row.toolTip);
        EXPECT_TRUE(w->isVisible());

        const QFontInfo font(w->font());
#ifdef _WIN32
        // The faces the design names, which Windows has (not a test under Wine's offscreen platform, which has neither).
        const bool standard = QByteArrayView(row.name) == "MSFlexGrid1" || QByteArrayView(row.name) == "Picture1" ||
                              QByteArrayView(row.name) == "Label7";
        EXPECT_EQ(w->font().family(), QLatin1String(standard ? "MS Sans Serif" : "Arial"));
#else
        EXPECT_EQ(font.family(), QStringLiteral("Liberation Sans"));  // Arial's metrics
#endif
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), row.points);
        EXPECT_EQ(font.pixelSize(), qRound(row.points * 96 / 72));
        EXPECT_EQ(font.bold(), row.bold);
        EXPECT_FALSE(font.italic());
    }
}

TEST_F(WindowTest, WindowIsASizableToolWindowWithItsCaption)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Berechnung Gipfelfluss"));
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::MSWindowsFixedSizeDialogHint);
    // The client area below the menu bar: 12135 x 9240 twips.
    EXPECT_EQ(window->centralWidget()->size(), QSize(809, 616));
    EXPECT_EQ(window->centralWidget()->y(), window->menuBar()->height());
}

TEST_F(WindowTest, BackgroundIsLightGreyAndLabelsStandOnButtonFace)
{
    QWidget* client = window->centralWidget();
    const QImage clientImage = client->grab().toImage();
    const qreal ratio = clientImage.devicePixelRatio();
    // Left of the first heading and between the buttons' and outputs' columns.
    EXPECT_EQ(rgbAt(clientImage, {4, 4}, ratio), qRgb(192, 192, 192) & 0xffffff);
    EXPECT_EQ(rgbAt(clientImage, {310, 60}, ratio), qRgb(192, 192, 192) & 0xffffff);

    const QRgb buttonFace = window->palette().color(QPalette::Button).rgb() & 0xffffff;
    for (int n = 1; n <= 7; ++n) {
        SCOPED_TRACE(n);
        auto* label = window->findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->autoFillBackground());
        EXPECT_EQ(label->backgroundRole(), QPalette::Button);
        EXPECT_EQ(label->foregroundRole(), QPalette::ButtonText);
        EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
        // The lower left corner of every label is free of text and shows its background.
        const QPoint corner = label->geometry().bottomLeft() + QPoint(1, -1);
        EXPECT_EQ(rgbAt(clientImage, corner, ratio), buttonFace);
    }
}

TEST_F(WindowTest, Label4WrapsIntoTwoLinesAtTheRunOfBlanks)
{
    auto* label = window->findChild<QLabel*>(QStringLiteral("Label4"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->wordWrap());

    QTextLayout layout(label->text(), label->font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->contentsRect().width());
        lines << label->text().mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    EXPECT_EQ(lines, QStringList({QStringLiteral("Grösster Einzel BW"), QStringLiteral("(2, 3, 4, 5, oder 8 BW)")}));

    const QImage image = label->grab().toImage();
    EXPECT_EQ(inkBands(image, window->palette().color(QPalette::Button).rgb()), 2);
}

TEST_F(WindowTest, OtherLabelsStayOnOneLineAndShowTheirWholeCaption)
{
    for (int n : {1, 2, 3, 5, 6, 7}) {
        auto* label = window->findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
        ASSERT_NE(label, nullptr);
        EXPECT_FALSE(label->wordWrap()) << n;
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->contentsRect().width()) << n;
        EXPECT_EQ(inkBands(label->grab().toImage(), window->palette().color(QPalette::Button).rgb()), 1) << n;
    }
}

TEST_F(WindowTest, TextBoxesStartEmptyAndShareOneAlignment)
{
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(box(n).text().isEmpty());
        EXPECT_FALSE(box(n).isReadOnly());
        EXPECT_TRUE(box(n).hasFrame());
        EXPECT_EQ(box(n).echoMode(), QLineEdit::Normal);
        EXPECT_EQ(box(n).alignment(), box(1).alignment());
    }
}

TEST_F(WindowTest, NoButtonIsTheDefaultButton)
{
    for (int n = 1; n <= 3; ++n) {
        EXPECT_FALSE(button(n).isDefault()) << n;
        EXPECT_FALSE(button(n).autoDefault()) << n;
    }
}

TEST_F(WindowTest, ResizingMovesAndScalesNothing)
{
    std::vector<std::pair<QWidget*, QRect>> before;
    for (const ControlRow& row : controls()) {
        auto* w = window->findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(w, nullptr);
        before.emplace_back(w, w->geometry());
    }
    const double width = canvas().drawableWidth();
    const double height = canvas().drawableHeight();
    const QPoint clientOrigin = window->centralWidget()->pos();

    for (const QSize size : {QSize(300, 200), QSize(1200, 900), QSize(809, 400)}) {
        SCOPED_TRACE(size.width());
        window->resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(window->size(), size);
        EXPECT_EQ(window->centralWidget()->pos(), clientOrigin);
        for (const auto& [w, geometry] : before) EXPECT_EQ(w->geometry(), geometry) << w->objectName().toStdString();
        EXPECT_EQ(canvas().drawableWidth(), width);
        EXPECT_EQ(canvas().drawableHeight(), height);
    }
}

TEST_F(WindowTest, WindowCarriesTheProgramIcon)
{
    // It is set just after the first paint.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window->windowIcon().isNull(); }));
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}
