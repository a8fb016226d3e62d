// Qt only: Qt's device pixel ratio (QT_SCALE_FACTOR=2). At twice the pixel
// density the picture and the window icon are drawn for the screen's device
// pixels, not enlarged from 96-dpi bitmaps. The Windows program lays itself
// out at the screen's own density instead, which the layout suite checks.

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

#include "driver.h"
#include "runtime/qt/native.h"

namespace quorvela::test {
namespace {

class Scaling : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(window().devicePixelRatioF(), 2.0); }
    QWidget& window() { return started_.Form().Native(); }

    StartedWindow started_;
};

TEST_F(Scaling, ThePictureTakesItsPlaceInTheScreensDevicePixels) {
    const QLabel& image = started_.Form().Image1.Native();
    EXPECT_EQ(image.size(), QSize(55, 64));
    const QPixmap picture = image.pixmap();
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);
    EXPECT_EQ(picture.size(), QSize(110, 128));
    // Drawn from the source the layout names, not only sized: the dial's
    // middle is opaque.
    EXPECT_EQ(picture.toImage().pixelColor(55, 76).alpha(), 255);
}

TEST_F(Scaling, TheWindowIconHasImagesForTheScreensDevicePixels) {
    const QPixmap image = window().windowIcon().pixmap(QSize(64, 64), 2.0);
    EXPECT_EQ(image.size(), QSize(128, 128));
    // Drawn, not only sized: the body of the drop is opaque.
    EXPECT_EQ(image.toImage().pixelColor(64, 90).alpha(), 255);
}

}  // namespace
}  // namespace quorvela::test
