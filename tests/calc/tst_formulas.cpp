// The three flow formulas against a window of plain texts.

#include <QStringList>
#include <QTest>

#include <vector>

#include "calc/formulas.h"
#include "calc/runtime_error.h"
#include "error_of.h"

using namespace quorvela;
using quorvela::testing::ErrorOf;

namespace {

class FakeWindow final : public FormulaWindow {
public:
    std::string giri, colpi, portata, quorvela;
    std::string labelTip = "untouched", imageTip = "untouched";

    std::string GiriText() const override { return giri; }
    std::string ColpiText() const override { return colpi; }
    std::string PortataText() const override { return portata; }
    std::string QuorvelaText() const override { return quorvela; }
    void SetStrokeTimeToolTip(const std::string& text) override { labelTip = text; }
    void SetImageToolTip(const std::string& text) override { imageTip = text; }
};

// Logs every call the formulas make, and fails the call numbered failAt
// (from 1) with error 5 before it has any effect, as a refused control would.
class RecordingWindow final : public FormulaWindow {
public:
    int failAt = 0;
    mutable QStringList calls;
    std::string labelTip = "untouched", imageTip = "untouched";

    std::string GiriText() const override { return record("giri", "1000"); }
    std::string ColpiText() const override { return record("colpi", "200"); }
    std::string PortataText() const override { return record("portata", "50"); }
    std::string QuorvelaText() const override { return record("quorvela", "15"); }
    void SetStrokeTimeToolTip(const std::string& text) override {
        labelTip = record("labelTip", text);
    }
    void SetImageToolTip(const std::string& text) override { imageTip = record("imageTip", text); }

private:
    std::string record(const char* call, std::string result) const {
        calls << QString::fromLatin1(call);
        if (calls.size() == failAt) {
            Raise(ErrorNumber::InvalidProcedureCall);
        }
        return result;
    }
};

}  // namespace

class FormulasTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tempoColpi_data() {
        QTest::addColumn<int>("giri");
        QTest::addColumn<int>("colpi");
        QTest::addColumn<float>("seconds");
        QTest::addColumn<int>("error");
        QTest::newRow("1000 and 200") << 1000 << 200 << 12.0F << 0;
        QTest::newRow("1500 and 500") << 1500 << 500 << 20.0F << 0;
        QTest::newRow("2500 and 1000") << 2500 << 1000 << 24.0F << 0;
        QTest::newRow("100 and 1000") << 100 << 1000 << 600.0F << 0;
        QTest::newRow("2500 and 200") << 2500 << 200 << 4.8F << 0;
        // zero speeds and stroke counts
        QTest::newRow("no strokes") << 1000 << 0 << 0.0F << 11;
        QTest::newRow("nothing at all") << 0 << 0 << 0.0F << 6;
        QTest::newRow("no speed") << 0 << 200 << 0.0F << 11;
    }
    void tempoColpi() {
        QFETCH(int, giri);
        QFETCH(int, colpi);
        QFETCH(float, seconds);
        QFETCH(int, error);
        FakeWindow window;
        window.giri = std::to_string(giri);
        window.colpi = std::to_string(colpi);
        auto g = static_cast<std::int16_t>(giri);
        auto c = static_cast<std::int16_t>(colpi);
        float got = 0.0F;
        QCOMPARE(ErrorOf([&] { got = TempoColpi(window, g, c); }), error);
        QCOMPARE(got, seconds);
        if (error != 0) {
            QCOMPARE(window.labelTip, std::string("untouched"));
            QCOMPARE(window.imageTip, std::string("untouched"));
        }
    }

    void tempoColpiDescribesTheComboTextsAsTheyStand() {
        FakeWindow window;
        window.giri = "1000";
        window.colpi = "200";
        std::int16_t g = 1000;
        std::int16_t c = 200;
        (void)TempoColpi(window, g, c);
        const std::string expected = "a 1000 giri, 200 colpi si ottengono in 12 secondi";
        QCOMPARE(window.labelTip, expected);
        QCOMPARE(window.imageTip, expected);
        window.giri = " 2500";
        g = 2500;
        (void)TempoColpi(window, g, c);
        QCOMPARE(window.labelTip, std::string("a  2500 giri, 200 colpi si ottengono in 4,8 secondi"));
    }

    // Giri before colpi, the label before the image; a failing call leaves
    // what came before it written and what comes after it untouched.
    void tempoColpiTalksToTheWindowInOrder_data() {
        QTest::addColumn<int>("failAt");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("labelSet");
        QTest::addColumn<bool>("imageSet");
        const QStringList all{"giri", "colpi", "labelTip", "giri", "colpi", "imageTip"};
        QTest::newRow("no failure") << 0 << all << true << true;
        // a failure before the label tooltip is set
        QTest::newRow("first giri read") << 1 << all.mid(0, 1) << false << false;
        QTest::newRow("first colpi read") << 2 << all.mid(0, 2) << false << false;
        QTest::newRow("setting the label tooltip") << 3 << all.mid(0, 3) << false << false;
        // a failure after it
        QTest::newRow("second giri read") << 4 << all.mid(0, 4) << true << false;
        QTest::newRow("second colpi read") << 5 << all.mid(0, 5) << true << false;
        QTest::newRow("setting the image tooltip") << 6 << all << true << false;
    }
    void tempoColpiTalksToTheWindowInOrder() {
        QFETCH(int, failAt);
        QFETCH(QStringList, calls);
        QFETCH(bool, labelSet);
        QFETCH(bool, imageSet);
        RecordingWindow window;
        window.failAt = failAt;
        std::int16_t g = 1000;
        std::int16_t c = 200;
        QCOMPARE(ErrorOf([&] { (void)TempoColpi(window, g, c); }), failAt == 0 ? 0 : 5);
        QCOMPARE(window.calls, calls);
        const std::string description = "a 1000 giri, 200 colpi si ottengono in 12 secondi";
        QCOMPARE(window.labelTip, labelSet ? description : std::string("untouched"));
        QCOMPARE(window.imageTip, imageSet ? description : std::string("untouched"));
    }

    void portataAndVolumeReadOnlyTheirOwnBox() {
        RecordingWindow window;
        std::int32_t p = 0;
        std::int32_t g = 1000;
        std::int32_t c = 200;
        QCOMPARE(PortataOraria(window, p, g, c), 15.0F);
        QCOMPARE(window.calls, QStringList{"portata"});
        window.calls.clear();
        float l = 0.0F;
        QCOMPARE(VolumeColpi(window, l, g, c), 50.0F);
        QCOMPARE(window.calls, QStringList{"quorvela"});
        QCOMPARE(window.labelTip, std::string("untouched"));
        QCOMPARE(window.imageTip, std::string("untouched"));
    }

    void portataOraria_data() {
        QTest::addColumn<QString>("volume");
        QTest::addColumn<int>("giri");
        QTest::addColumn<int>("colpi");
        QTest::addColumn<float>("litres");
        QTest::addColumn<int>("readBack");
        QTest::addColumn<int>("error");
        QTest::newRow("50") << "50" << 1000 << 200 << 15.0F << 50 << 0;
        QTest::newRow("50,5 is 50") << "50,5" << 1000 << 200 << 15.0F << 50 << 0;
        QTest::newRow("51,5 is 52") << "51,5" << 1000 << 200 << 15.6F << 52 << 0;
        QTest::newRow("40000, beyond 16 bits") << "40000" << 1000 << 200 << 12000.0F << 40000 << 0;
        QTest::newRow("no speed") << "50" << 0 << 200 << 0.0F << 50 << 0;
        QTest::newRow("no strokes") << "50" << 1000 << 0 << 0.0F << 0 << 11;
        QTest::newRow("no speed, no strokes") << "50" << 0 << 0 << 0.0F << 0 << 6;
        QTest::newRow("lone comma") << "," << 1000 << 200 << 0.0F << 0 << 13;
    }
    void portataOraria() {
        QFETCH(QString, volume);
        QFETCH(int, giri);
        QFETCH(int, colpi);
        QFETCH(float, litres);
        QFETCH(int, readBack);
        QFETCH(int, error);
        FakeWindow window;
        window.portata = volume.toStdString();
        std::int32_t p = 0;
        std::int32_t g = giri;
        std::int32_t c = colpi;
        float got = 0.0F;
        QCOMPARE(ErrorOf([&] { got = PortataOraria(window, p, g, c); }), error);
        QCOMPARE(got, litres);
        QCOMPARE(p, readBack);
    }

    void volumeColpi_data() {
        QTest::addColumn<QString>("litres");
        QTest::addColumn<int>("giri");
        QTest::addColumn<int>("colpi");
        QTest::addColumn<float>("volume");
        QTest::addColumn<int>("error");
        QTest::newRow("15") << "15" << 1000 << 200 << 50.0F << 0;
        QTest::newRow("12,5") << "12,5" << 1000 << 200 << 41.7F << 0;
        QTest::newRow("40000") << "40000" << 1000 << 200 << 133333.3F << 0;
        QTest::newRow("no speed") << "15" << 0 << 200 << 0.0F << 11;
        QTest::newRow("no speed, no litres") << "0" << 0 << 200 << 0.0F << 6;
        QTest::newRow("no strokes") << "15" << 1000 << 0 << 0.0F << 11;
        QTest::newRow("blank") << " " << 1000 << 200 << 0.0F << 13;
    }
    void volumeColpi() {
        QFETCH(QString, litres);
        QFETCH(int, giri);
        QFETCH(int, colpi);
        QFETCH(float, volume);
        QFETCH(int, error);
        FakeWindow window;
        window.quorvela = litres.toStdString();
        float l = 0.0F;
        std::int32_t g = giri;
        std::int32_t c = colpi;
        float got = 0.0F;
        QCOMPARE(ErrorOf([&] { got = VolumeColpi(window, l, g, c); }), error);
        QCOMPARE(got, volume);
    }
};

QTEST_APPLESS_MAIN(FormulasTest)
#include "tst_formulas.moc"
