// The program's icon file as the window loads it: three images, 32 x 32 in
// 2 colours, 32 x 32 and 16 x 16 in 16 colours, each with its mask.
#include "app/window/ProgramStyle.h"

#include <QFile>
#include <QIcon>
#include <QMenuBar>
#include <QPainter>
#include <QToolButton>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct IconImage {
    int width, height, colours, bitsPerPixel;
    int dibWidth, dibHeight, dibBits;
    qint64 size;
};

std::vector<IconImage> readIcon(const QByteArray& data)
{
    std::vector<IconImage> images;
    const auto u16 = [&data](qsizetype at) { return int(qFromLittleEndian<quint16>(data.constData() + at)); };
    const auto u32 = [&data](qsizetype at) { return qint64(qFromLittleEndian<quint32>(data.constData() + at)); };
    if (data.size() < 6 || u16(0) != 0 || u16(2) != 1) return images;
    for (int i = 0; i < u16(4); ++i) {
        const qsizetype entry = 6 + 16 * i;
        if (entry + 16 > data.size()) break;
        const qint64 size = u32(entry + 8);
        const qint64 offset = u32(entry + 12);
        if (offset + 40 > data.size() || offset + size > data.size()) break;
        images.push_back({quint8(data[entry]), quint8(data[entry + 1]), quint8(data[entry + 2]), u16(entry + 6),
                          int(u32(offset + 4)), int(u32(offset + 8)), u16(offset + 14), size});
    }
    return images;
}

}  // namespace

TEST(ProgramIcon, HoldsThreeImagesInTwoAndSixteenColours)
{
    QFile file(QStringLiteral(":/gipfelfluss/gipfelfluss.ico"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::vector<IconImage> images = readIcon(file.readAll());
    ASSERT_EQ(images.size(), 3u);
    const int expected[3][4] = {{32, 32, 2, 1}, {32, 32, 16, 4}, {16, 16, 16, 4}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const IconImage& image = images[i];
        EXPECT_EQ(image.width, expected[i][0]);
        EXPECT_EQ(image.height, expected[i][1]);
        EXPECT_EQ(image.colours, expected[i][2]);
        EXPECT_EQ(image.bitsPerPixel, expected[i][3]);
        // The bitmap itself: colour rows and mask rows stacked, rows padded to 4 bytes.
        EXPECT_EQ(image.dibWidth, image.width);
        EXPECT_EQ(image.dibHeight, 2 * image.height);
        EXPECT_EQ(image.dibBits, image.bitsPerPixel);
        const auto rowBytes = [](int width, int bits) { return ((width * bits + 31) / 32) * 4; };
        EXPECT_EQ(image.size, 40 + 4 * image.colours + image.height * rowBytes(image.width, image.bitsPerPixel)
                                  + image.height * rowBytes(image.width, 1));
    }
}

TEST(ProgramIcon, QtReadsEveryImageWithTransparentCorners)
{
    const QIcon icon(QStringLiteral(":/gipfelfluss/gipfelfluss.ico"));
    for (const int side : {16, 32}) {
        SCOPED_TRACE(side);
        const QImage image = icon.pixmap(QSize(side, side), 1.0).toImage();
        ASSERT_EQ(image.size(), QSize(side, side));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        // Something is drawn: the water along the lower edge is opaque.
        EXPECT_EQ(qAlpha(image.pixel(side / 2, side - 1)), 255);
    }
}

// The menu bar's overflow arrows, read only when drawn, are the desktop
// style's own, drawn the same whichever way they are asked for.
TEST(ProgramStyle, DrawsTheDesktopStylesOverflowArrows)
{
    ProgramStyle style;
    for (const auto arrow : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        SCOPED_TRACE(int(arrow));
        const QIcon own = style.baseStyle()->standardIcon(arrow);
        ASSERT_FALSE(own.isNull());
        for (const int side : {16, 32}) {
            SCOPED_TRACE(side);
            const QSize size(side, side);
            const QIcon deferred = style.standardIcon(arrow, nullptr, nullptr);
            EXPECT_FALSE(deferred.isNull());
            const QImage expected = own.pixmap(size).toImage();
            EXPECT_EQ(deferred.pixmap(size).toImage(), expected);
            // Painted into a button face, as the menu bar's overflow button does.
            const auto painted = [&size](const QIcon& icon) {
                QImage image(size, QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::transparent);
                QPainter painter(&image);
                icon.paint(&painter, QRect(QPoint(), size));
                return image;
            };
            const QImage face = painted(own);
            EXPECT_NE(face, painted(QIcon()));
            EXPECT_EQ(painted(style.standardIcon(arrow, nullptr, nullptr)), face);
        }
    }
}

// A menu bar too narrow for its menus shows the overflow button with the arrow.
TEST(ProgramStyle, NarrowMenuBarShowsTheArrow)
{
    QMenuBar bar;
    for (const char* title : {"&Datei", "&Extras", "&Ansicht", "&Fenster"}) bar.addMenu(QString::fromLatin1(title));
    bar.resize(40, bar.sizeHint().height());
    bar.show();
    auto* overflow = bar.findChild<QToolButton*>();
    ASSERT_NE(overflow, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([overflow] { return overflow->isVisible(); }));
    const QImage arrow = overflow->icon().pixmap(QSize(16, 16)).toImage();
    EXPECT_EQ(arrow, bar.style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(QSize(16, 16)).toImage()
                         .convertToFormat(arrow.format()));
    EXPECT_FALSE(arrow.isNull());
}
