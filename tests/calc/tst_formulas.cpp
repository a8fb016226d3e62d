// The three flow formulas: the figures they give and the errors they raise.

#include <QTest>

#include "calc/formulas.h"
#include "calc/runtime_error.h"
#include "error_of.h"

using namespace quorvela;
using quorvela::testing::ErrorOf;

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
        float got = 0.0F;
        QCOMPARE(ErrorOf([&] {
                     got = TempoColpi(static_cast<std::int16_t>(giri),
                                      static_cast<std::int16_t>(colpi));
                 }),
                 error);
        QCOMPARE(got, seconds);
    }

    void portataOraria_data() {
        QTest::addColumn<int>("volume");
        QTest::addColumn<int>("giri");
        QTest::addColumn<int>("colpi");
        QTest::addColumn<float>("litres");
        QTest::addColumn<int>("error");
        QTest::newRow("50") << 50 << 1000 << 200 << 15.0F << 0;
        QTest::newRow("52") << 52 << 1000 << 200 << 15.6F << 0;
        QTest::newRow("40000, beyond 16 bits") << 40000 << 1000 << 200 << 12000.0F << 0;
        QTest::newRow("no speed") << 50 << 0 << 200 << 0.0F << 0;
        QTest::newRow("no strokes") << 50 << 1000 << 0 << 0.0F << 11;
        QTest::newRow("no speed, no strokes") << 50 << 0 << 0 << 0.0F << 6;
    }
    void portataOraria() {
        QFETCH(int, volume);
        QFETCH(int, giri);
        QFETCH(int, colpi);
        QFETCH(float, litres);
        QFETCH(int, error);
        float got = 0.0F;
        QCOMPARE(ErrorOf([&] { got = PortataOraria(volume, giri, colpi); }), error);
        QCOMPARE(got, litres);
    }

    void volumeColpi_data() {
        QTest::addColumn<float>("litres");
        QTest::addColumn<int>("giri");
        QTest::addColumn<int>("colpi");
        QTest::addColumn<float>("volume");
        QTest::addColumn<int>("error");
        QTest::newRow("15") << 15.0F << 1000 << 200 << 50.0F << 0;
        QTest::newRow("12,5") << 12.5F << 1000 << 200 << 41.7F << 0;
        QTest::newRow("40000") << 40000.0F << 1000 << 200 << 133333.3F << 0;
        // the ratio held as a single, not as a double
        QTest::newRow("8390 at 100 and 500") << 8390.0F << 100 << 500 << 699166.6F << 0;
        QTest::newRow("no speed") << 15.0F << 0 << 200 << 0.0F << 11;
        QTest::newRow("no speed, no litres") << 0.0F << 0 << 200 << 0.0F << 6;
        QTest::newRow("no strokes") << 15.0F << 1000 << 0 << 0.0F << 11;
    }
    void volumeColpi() {
        QFETCH(float, litres);
        QFETCH(int, giri);
        QFETCH(int, colpi);
        QFETCH(float, volume);
        QFETCH(int, error);
        float got = 0.0F;
        QCOMPARE(ErrorOf([&] { got = VolumeColpi(litres, giri, colpi); }), error);
        QCOMPARE(got, volume);
    }
};

QTEST_APPLESS_MAIN(FormulasTest)
#include "tst_formulas.moc"
