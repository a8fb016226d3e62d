// The window at twice the pixel density: the picture and the icon are drawn
// for the screen's device pixels, not enlarged from 96-dpi bitmaps.

#include <QApplication>
#include <QTest>

#include "window_fixture.h"

using quorvela::frmQuorvela;
using quorvela::testing::StartWindow;

class ScalingTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<frmQuorvela> form_;

private Q_SLOTS:
    void initTestCase() {
        form_ = StartWindow();
        QVERIFY(form_);
        QCOMPARE(form_->Native().devicePixelRatioF(), 2.0);
    }
    void cleanupTestCase() { form_.reset(); }

    void thePictureTakesItsPlaceInTheScreensDevicePixels() {
        const auto& image = form_->Image1.Native();
        QCOMPARE(image.size(), QSize(55, 64));
        const QPixmap picture = image.pixmap();
        QCOMPARE(picture.devicePixelRatio(), 2.0);
        QCOMPARE(picture.size(), QSize(110, 128));
    }

    void theWindowIconHasImagesForTheScreensDevicePixels() {
        const QPixmap image = form_->Native().windowIcon().pixmap(QSize(64, 64), 2.0);
        QCOMPARE(image.size(), QSize(128, 128));
        // Drawn, not only sized: the body of the drop is opaque.
        QCOMPARE(image.toImage().pixelColor(64, 90).alpha(), 255);
    }
};

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ScalingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scaling.moc"
