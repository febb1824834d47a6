#include "mainwindow/StateIcons.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>
#include <vector>

namespace quorvex {
namespace {

QImage Render(const QIcon& icon, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, QRect(0, 0, side, side));
    return image;
}

int OpaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

TEST(StateIcons, SixDistinctPicturesAtAnySize)
{
    EXPECT_TRUE(StateIcon(0).isNull());
    EXPECT_TRUE(StateIcon(7).isNull());
    EXPECT_TRUE(StateIcon(-1).isNull());
    for (int side : {12, 16, 32, 64}) {
        std::vector<QImage> images;
        for (int state = 1; state <= 6; ++state) {
            const QImage image = Render(StateIcon(state), side);
            // Each fills a good part of its square, whatever the size.
            EXPECT_GT(OpaquePixels(image), side * side / 3) << state << " at " << side;
            images.push_back(image);
        }
        for (std::size_t a = 0; a < images.size(); ++a)
            for (std::size_t b = a + 1; b < images.size(); ++b)
                EXPECT_NE(images[a], images[b]) << a + 1 << " and " << b + 1 << " at " << side;
    }
}

TEST(StateIcons, PixmapsFollowTheDevicePixelRatio)
{
    const QIcon icon = StateIcon(3);
    const QPixmap normal = icon.pixmap(QSize(16, 16), 1.0);
    const QPixmap sharp = icon.pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(normal.size(), QSize(16, 16));
    EXPECT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
    // The sharp one is drawn at its size, not scaled up from the small one.
    const QImage scaledUp = normal.toImage().scaled(32, 32).convertToFormat(QImage::Format_ARGB32);
    EXPECT_NE(sharp.toImage().convertToFormat(QImage::Format_ARGB32), scaledUp);
}

TEST(StateIcons, ToolTipsSayWhatEachStateMeans)
{
    EXPECT_EQ(StateToolTip(1, true), "Invalid object: it needs recompiling");
    EXPECT_EQ(StateToolTip(2, true), "Disabled constraint");
    EXPECT_EQ(StateToolTip(3, false), "Added: only in the compared file");
    EXPECT_EQ(StateToolTip(4, true), "Removed: only in the current model");
    EXPECT_EQ(StateToolTip(5, false), "Contains a changed trigger or column");
    EXPECT_EQ(StateToolTip(6, false), "Contains a changed index");
    EXPECT_EQ(StateToolTip(0, true), "");
    for (int state = 1; state <= 6; ++state)
        for (int other = state + 1; other <= 6; ++other)
            EXPECT_NE(StateToolTip(state, true), StateToolTip(other, true));
}

} // namespace
} // namespace quorvex
