// The sessions' model of the window against worked figures: if the model
// were wrong, every session would hold the program to the wrong figures.

#include <QTest>

#include "oracle.h"

using quorvela::oracle::Calculate;
using quorvela::oracle::Combo;
using quorvela::oracle::EnterInput;
using quorvela::oracle::Pick;
using quorvela::oracle::Stop;
using quorvela::oracle::Window;

Q_DECLARE_METATYPE(Stop)

namespace {

// The window after '50' in the flow mode at the default picks.
Window calculatedFlow() {
    Window w;
    w.giri = "1000";
    w.colpi = "200";
    w.portata = "50";
    w.quorvela = "15";
    w.litriMinuto = "0,25";
    w.tempo = "12 secondi";
    w.tempoTip = "a 1000 giri, 200 colpi si ottengono in 12 secondi";
    w.imageTip = w.tempoTip;
    return w;
}

std::string str(const QString& text) {
    return text.toStdString();
}

}  // namespace

class OracleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theCalculateCommandGivesTheWorkedFigures_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<QString>("giri");
        QTest::addColumn<QString>("colpi");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("tempo");  // empty: the label and tooltips stay
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("litriMinuto");
        // Flow mode: litres per hour from whole cm³ (ties to even), per minute from them.
        QTest::newRow("flow 50") << false << "1000"
                                 << "200"
                                 << "50"
                                 << "12 secondi"
                                 << "15"
                                 << "0,25";
        QTest::newRow("flow 50,5") << false << "1000"
                                   << "200"
                                   << "50,5"
                                   << "12 secondi"
                                   << "15"
                                   << "0,25";
        QTest::newRow("flow 51,5") << false << "1000"
                                   << "200"
                                   << "51,5"
                                   << "12 secondi"
                                   << "15,6"
                                   << "0,26";
        QTest::newRow("flow 40000") << false << "1000"
                                    << "200"
                                    << "40000"
                                    << "12 secondi"
                                    << "12000"
                                    << "200";
        QTest::newRow("flow 0") << false << "1000"
                                << "200"
                                << "0"
                                << "12 secondi"
                                << "0"
                                << "0";
        // 2.25 l/h and 0.125 l/min are exact ties: the even digit wins.
        QTest::newRow("flow tie 2,25") << false << "2500"
                                       << "1000"
                                       << "15"
                                       << "24 secondi"
                                       << "2,2"
                                       << "0,04";
        QTest::newRow("flow tie 0,125") << false << "1000"
                                        << "200"
                                        << "25"
                                        << "12 secondi"
                                        << "7,5"
                                        << "0,12";
        QTest::newRow("flow 1500 rpm") << false << "1500"
                                       << "200"
                                       << "50"
                                       << "8 secondi"
                                       << "22,5"
                                       << "0,38";
        QTest::newRow("flow blanks around the speed") << false << " 1000 "
                                                      << "200"
                                                      << "50"
                                                      << "12 secondi"
                                                      << "15"
                                                      << "0,25";
        // Volume mode: cm³ from the litres per hour with decimals, per minute from whole l/h.
        QTest::newRow("volume 15") << true << "1000"
                                   << "200"
                                   << "15"
                                   << "12 secondi"
                                   << "50"
                                   << "0,25";
        QTest::newRow("volume 12,5") << true << "1000"
                                     << "200"
                                     << "12,5"
                                     << "12 secondi"
                                     << "41,7"
                                     << "0,2";
        QTest::newRow("volume 13,5") << true << "1000"
                                     << "200"
                                     << "13,5"
                                     << "12 secondi"
                                     << "45"
                                     << "0,23";
        QTest::newRow("volume 40000") << true << "1000"
                                      << "200"
                                      << "40000"
                                      << "12 secondi"
                                      << "133333,3"
                                      << "666,67";
        // The ratio held as a single: 699166,656... stored as 699166,625.
        QTest::newRow("volume single ratio") << true << "100"
                                             << "500"
                                             << "8390"
                                             << "300 secondi"
                                             << "699166,6"
                                             << "139,83";
        QTest::newRow("volume exponent form") << true << "100"
                                              << "1000"
                                              << "99999"
                                              << "600 secondi"
                                              << "1,66665E+07"
                                              << "1666,65";
        QTest::newRow("stroke time 7 rpm") << true << "7"
                                           << "200"
                                           << "15"
                                           << "1714,3 secondi"
                                           << "7142,9"
                                           << "0,25";
        QTest::newRow("stroke time tie 0,25") << true << "2400"
                                              << "10"
                                              << "15"
                                              << "0,2 secondi"
                                              << "1"
                                              << "0,25";
        QTest::newRow("2500 rpm, 200 strokes") << true << "2500"
                                               << "200"
                                               << "15"
                                               << "4,8 secondi"
                                               << "20"
                                               << "0,25";
        // Results that cannot be computed empty their boxes; the label stays.
        QTest::newRow("volume strokes 0") << true << "1000"
                                          << "0"
                                          << "15"
                                          << ""
                                          << ""
                                          << "0,25";
        QTest::newRow("volume speed 0") << true << "0"
                                        << "200"
                                        << "15"
                                        << ""
                                        << ""
                                        << "0,25";
        QTest::newRow("volume lone comma") << true << "1000"
                                           << "200"
                                           << ","
                                           << "12 secondi"
                                           << ""
                                           << "";
        QTest::newRow("volume blank") << true << "1000"
                                      << "200"
                                      << " "
                                      << "12 secondi"
                                      << ""
                                      << "";
        QTest::newRow("flow strokes 0") << false << "1000"
                                        << "0"
                                        << "50"
                                        << ""
                                        << ""
                                        << "";
        QTest::newRow("flow speed 0") << false << "0"
                                      << "200"
                                      << "50"
                                      << ""
                                      << "0"
                                      << "0";
        QTest::newRow("flow lone comma") << false << "1000"
                                         << "200"
                                         << ","
                                         << "12 secondi"
                                         << ""
                                         << "";
        // Beyond 16 bits: the label stays, the results count in full.
        QTest::newRow("flow speed 40000") << false << "40000"
                                          << "200"
                                          << "50"
                                          << ""
                                          << "600"
                                          << "10";
        QTest::newRow("volume speed 40000") << true << "40000"
                                            << "200"
                                            << "15"
                                            << ""
                                            << "1,2"
                                            << "0,25";
        QTest::newRow("volume strokes 40000") << true << "1000"
                                              << "40000"
                                              << "15"
                                              << ""
                                              << "10000"
                                              << "0,25";
        QTest::newRow("flow strokes 40000") << false << "1000"
                                            << "40000"
                                            << "50"
                                            << ""
                                            << "0,1"
                                            << "0";
        QTest::newRow("volume l/h beyond 32 bits") << true << "1000"
                                                   << "200"
                                                   << "1E+10"
                                                   << "12 secondi"
                                                   << "3,333333E+10"
                                                   << "";
    }
    void theCalculateCommandGivesTheWorkedFigures() {
        QFETCH(bool, volumeMode);
        QFETCH(QString, giri);
        QFETCH(QString, colpi);
        QFETCH(QString, input);
        QFETCH(QString, tempo);
        QFETCH(QString, result);
        QFETCH(QString, litriMinuto);
        Window before = calculatedFlow();
        before.volumeMode = volumeMode;
        before.giri = str(giri);
        before.colpi = str(colpi);
        (volumeMode ? before.quorvela : before.portata) = str(input);

        const auto [after, stop] = Calculate(before);

        QCOMPARE(stop, Stop::Calculated);
        QCOMPARE(QString::fromStdString(volumeMode ? after.portata : after.quorvela), result);
        QCOMPARE(QString::fromStdString(volumeMode ? after.quorvela : after.portata), input);
        QCOMPARE(QString::fromStdString(after.litriMinuto), litriMinuto);
        if (tempo.isEmpty()) {
            QCOMPARE(after.tempo, before.tempo);
            QCOMPARE(after.tempoTip, before.tempoTip);
        } else {
            QCOMPARE(QString::fromStdString(after.tempo), tempo);
            QCOMPARE(after.tempoTip, "a " + before.giri + " giri, " + before.colpi +
                                         " colpi si ottengono in " + str(tempo));
        }
        QCOMPARE(after.imageTip, after.tempoTip);
    }

    void theCommandStopsEarlyWithoutWritingAnything_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<QString>("giri");
        QTest::addColumn<QString>("colpi");
        QTest::addColumn<QString>("input");
        QTest::addColumn<Stop>("stop");
        QTest::newRow("speed abc") << false << "abc"
                                   << "200"
                                   << "50" << Stop::SpeedWarning;
        QTest::newRow("speed and strokes empty") << true << ""
                                                 << ""
                                                 << "15" << Stop::SpeedWarning;
        QTest::newRow("speed a lone sign") << false << "-"
                                           << "200"
                                           << "50" << Stop::SpeedWarning;
        QTest::newRow("strokes 1,2,3") << false << "1000"
                                       << "1,2,3"
                                       << "50" << Stop::NoStrokes;
        QTest::newRow("strokes 1 000") << false << "1000"
                                       << "1 000"
                                       << "50" << Stop::NoStrokes;
        QTest::newRow("flow input empty") << false << "1000"
                                          << "200"
                                          << "" << Stop::EmptyInput;
        QTest::newRow("volume input empty") << true << "1000"
                                            << "200"
                                            << "" << Stop::EmptyInput;
    }
    void theCommandStopsEarlyWithoutWritingAnything() {
        QFETCH(bool, volumeMode);
        QFETCH(QString, giri);
        QFETCH(QString, colpi);
        QFETCH(QString, input);
        QFETCH(Stop, stop);
        Window before = calculatedFlow();
        before.volumeMode = volumeMode;
        before.giri = str(giri);
        before.colpi = str(colpi);
        (volumeMode ? before.quorvela : before.portata) = str(input);

        const auto [after, ended] = Calculate(before);

        QCOMPARE(ended, stop);
        QVERIFY(after == before);
    }

    void aPickShowsTheStrokeTimeThenCalculates_data() {
        QTest::addColumn<bool>("giriPicked");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("other");  // the other combo's text
        QTest::addColumn<bool>("calculates");
        QTest::addColumn<QString>("tempo");
        QTest::addColumn<QString>("litriOra");
        QTest::newRow("speed 1500") << true << "1500"
                                    << "200" << true << "8 secondi"
                                    << "22,5";
        QTest::newRow("strokes 500") << false << "500"
                                     << "1000" << true << "30 secondi"
                                     << "6";
        QTest::newRow("speed 2500, strokes 200") << true << "2500"
                                                 << "200" << true << "4,8 secondi"
                                                 << "37,5";
        // The speed's pick calculates even without a stroke time.
        QTest::newRow("speed, strokes abc") << true << "1500"
                                            << "abc" << true << "12 secondi"
                                            << "15";
        QTest::newRow("speed, strokes 0") << true << "1500"
                                          << "0" << true << "12 secondi"
                                          << "";
        // The strokes' pick does not.
        QTest::newRow("strokes, speed abc") << false << "500"
                                            << "abc" << false << "12 secondi"
                                            << "15";
        QTest::newRow("strokes, speed 0") << false << "500"
                                          << "0" << false << "12 secondi"
                                          << "15";
        QTest::newRow("strokes, speed 40000") << false << "500"
                                              << "40000" << false << "12 secondi"
                                              << "15";
    }
    void aPickShowsTheStrokeTimeThenCalculates() {
        QFETCH(bool, giriPicked);
        QFETCH(QString, item);
        QFETCH(QString, other);
        QFETCH(bool, calculates);
        QFETCH(QString, tempo);
        QFETCH(QString, litriOra);
        Window before = calculatedFlow();
        (giriPicked ? before.colpi : before.giri) = str(other);

        const auto [after, stop] = Pick(before, giriPicked ? Combo::Giri : Combo::Colpi, str(item));

        QCOMPARE(stop.has_value(), calculates);
        QCOMPARE(after.giri, giriPicked ? str(item) : str(other));
        QCOMPARE(after.colpi, giriPicked ? str(other) : str(item));
        QCOMPARE(QString::fromStdString(after.tempo), tempo);
        QCOMPARE(QString::fromStdString(after.quorvela), litriOra);
    }

    void enteringTheOtherModesInputEmptiesThatModesResults() {
        const Window flow = calculatedFlow();
        const Window volume = EnterInput(flow, true);
        QVERIFY(volume.volumeMode);
        QCOMPARE(volume.portata, std::string());
        QCOMPARE(volume.quorvela, flow.quorvela);
        QCOMPARE(volume.litriMinuto, flow.litriMinuto);
        QVERIFY(EnterInput(volume, true) == volume);

        Window again = volume;
        again.portata = "50";
        const Window back = EnterInput(again, false);
        QVERIFY(!back.volumeMode);
        QCOMPARE(back.portata, std::string("50"));
        QCOMPARE(back.quorvela, std::string());
        QCOMPARE(back.litriMinuto, std::string());
    }
};

QTEST_APPLESS_MAIN(OracleTest)
#include "tst_oracle.moc"
