// What users met when they tried the window: Enter on the button, Ctrl+Enter,
// long results, the focus coming back, paste and drop against the limits.
// Real key, mouse and drop events on the started window.

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include "input_test.h"

using quorvela::testing::ContextMenuEntries;
using quorvela::testing::FocusedControl;
using quorvela::testing::TypeIntoCombo;

namespace {

// The window manager's part on a desktop: `window` becomes the active one.
void activate(QWidget* window) {
    window->activateWindow();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    QApplication::setActiveWindow(window);
#endif
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void dropText(QWidget* target, const QString& text) {
    QMimeData mime;
    mime.setText(text);
    const QPointF point(target->width() - 2, target->height() / 2.0);
    QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(point.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

}  // namespace

class UserFaultsTest : public quorvela::testing::InputTest {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        Start();
        QCOMPARE(FocusedControl(), &form_->txtPortata.Native());
    }
    void cleanup() { Finish(); }

    void enterOnTheFocusedCalcolaButtonCalculates_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void enterOnTheFocusedCalcolaButtonCalculates() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        type(QStringLiteral("50"));
        // Backwards from txtPortata: cboColpi, cboGiri, then the button.
        for (int i = 0; i < 3; ++i) {
            press(Qt::Key_Backtab, Qt::ShiftModifier);
        }
        QCOMPARE(FocusedControl(), &form_->cmdCalcola.Native());
        press(static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(form_->txtQuorvela.Native().text(), QStringLiteral("15"));
        QCOMPARE(form_->txtLitriMinuto.Native().text(), QStringLiteral("0,25"));
    }

    void ctrlEnterInAnInputBoxNeitherCalculatesNorInserts_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+keypad Enter")
            << int(Qt::Key_Enter) << int(Qt::ControlModifier | Qt::KeypadModifier);
    }
    void ctrlEnterInAnInputBoxNeitherCalculatesNorInserts() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        type(QStringLiteral("50"));
        press(static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(form_->txtPortata.Native().text(), QStringLiteral("50"));
        QCOMPARE(form_->txtQuorvela.Native().text(), QString());
    }

    void aResultLongerThanItsBoxShowsItsBeginning_data() {
        QTest::addColumn<QString>("giri");
        QTest::addColumn<QString>("colpi");
        QTest::addColumn<QString>("litriOra");
        QTest::addColumn<QString>("volume");
        QTest::newRow("exponent form") << "100"
                                       << "1000"
                                       << "99999"
                                       << "1,66665E+07";
        QTest::newRow("eight characters") << "1000"
                                          << "200"
                                          << "40000"
                                          << "133333,3";
    }
    void aResultLongerThanItsBoxShowsItsBeginning() {
        QFETCH(QString, giri);
        QFETCH(QString, colpi);
        QFETCH(QString, litriOra);
        QFETCH(QString, volume);
        TypeIntoCombo(&form_->cboGiri.Native(), giri);
        TypeIntoCombo(&form_->cboColpi.Native(), colpi);
        QTest::mouseClick(&form_->txtQuorvela.Native(), Qt::LeftButton);
        type(litriOra);
        press(Qt::Key_Return);
        const auto& result = form_->txtPortata.Native();
        QCOMPARE(result.text(), volume);
        QCOMPARE(result.cursorPosition(), 0);
    }

    void theFocusComingBackToTheWindowKeepsTheFigureBeingEdited_data() {
        QTest::addColumn<bool>("menu");
        QTest::newRow("the window activated again") << false;
        QTest::newRow("a context menu closed") << true;
    }
    void theFocusComingBackToTheWindowKeepsTheFigureBeingEdited() {
        QFETCH(bool, menu);
        auto* box = &form_->txtPortata.Native();
        type(QStringLiteral("12"));
        QVERIFY(!box->hasSelectedText());
        if (menu) {
            QVERIFY(!ContextMenuEntries(box, &QAction::text).isEmpty());
        } else {
            QWidget other;
            other.show();
            activate(&other);
            activate(&form_->Native());
        }
        QCOMPARE(FocusedControl(), box);
        QVERIFY(!box->hasSelectedText());
        type(QStringLiteral("3"));
        QCOMPARE(box->text(), QStringLiteral("123"));
    }

    void textPutIntoTxtLitriMinutoIsCutToItsLimit_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Ctrl+V") << "Ctrl+V";
        QTest::newRow("Shift+Insert") << "Shift+Insert";
        QTest::newRow("drop") << "drop";
    }
    void textPutIntoTxtLitriMinutoIsCutToItsLimit() {
        QFETCH(QString, how);
        auto* box = &form_->txtLitriMinuto.Native();
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(FocusedControl(), box);
        type(QStringLiteral("1"));
        const QString pasted = QStringLiteral("1234567890");
        QGuiApplication::clipboard()->setText(pasted);
        if (how == QLatin1String("Ctrl+V")) {
            press(Qt::Key_V, Qt::ControlModifier);
        } else if (how == QLatin1String("Shift+Insert")) {
            press(Qt::Key_Insert, Qt::ShiftModifier);
        } else {
            dropText(box, pasted);
        }
        QCOMPARE(box->text(), QStringLiteral("11234"));
    }

    void aComboBoxTakesNoMoreThanSixteenCharacters_data() {
        QTest::addColumn<bool>("paste");
        QTest::newRow("typed") << false;
        QTest::newRow("pasted") << true;
    }
    void aComboBoxTakesNoMoreThanSixteenCharacters() {
        QFETCH(bool, paste);
        // Thousands of leading zeros would still read as 1000 rpm.
        const QString speed = QString(40, QLatin1Char('0')) + QStringLiteral("1000");
        QLineEdit* edit = form_->cboGiri.Native().lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        if (paste) {
            QGuiApplication::clipboard()->setText(speed);
            press(Qt::Key_V, Qt::ControlModifier);
        } else {
            type(speed);
        }
        QCOMPARE(form_->cboGiri.Native().currentText(), QString(16, QLatin1Char('0')));
    }
};

QUORVELA_GUI_TEST_MAIN(UserFaultsTest)
#include "tst_user_faults.moc"
