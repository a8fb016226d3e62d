// The form runtime: error modes, the event boundary, units and keystrokes.

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "modal_guard.h"
#include "runtime/controls.h"
#include "runtime/dispatch.h"
#include "runtime/error_modes.h"
#include "runtime/form.h"
#include "runtime/layout.h"
#include "runtime/qt/keycodes.h"
#include "runtime/qt/native.h"
#include "window_fixture.h"

using namespace quorvela;
using namespace quorvela::runtime;

namespace {

constexpr std::array<ControlLayout, 2> TestControls{{
    {.kind = ControlKind::ComboBox, .name = "combo", .rect = {600, 1020, 1215, 465}, .tabIndex = 0},
    {.kind = ControlKind::TextBox,
     .name = "box",
     .rect = {600, 2760, 1215, 465},
     .tabIndex = 1,
     .typingLimit = 5},
}};

constexpr FormLayout TestLayout{.name = "test",
                                .clientWidth = 7575,
                                .clientHeight = 5100,
                                .fontFace = "Calibri",
                                .font = {.points = 12},
                                .icon = "quorvela",
                                .controls = TestControls};

}  // namespace

class RuntimeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void errorModesSkipOrLeave() {
        QStringList trace;
        SkipOnError([&] {
            trace << "a";
            Raise(ErrorNumber::TypeMismatch);
            trace << "x";
        });
        SkipOnError([&] { trace << "b"; });
        LeaveOnError([&] {
            trace << "c";
            Raise(ErrorNumber::DivisionByZero);
            trace << "y";
        });
        QCOMPARE(trace, QStringList({"a", "b", "c"}));
    }

    void anErrorLeavingAHandlerShowsTheRuntimeBoxAndEndsTheProgram_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("5") << 5 << "Chiamata di routine o argomento non validi";
        QTest::newRow("6") << 6 << "Overflow";
        QTest::newRow("11") << 11 << "Divisione per zero";
        QTest::newRow("13") << 13 << "Tipo non corrispondente";
    }
    void anErrorLeavingAHandlerShowsTheRuntimeBoxAndEndsTheProgram() {
        QFETCH(int, number);
        QFETCH(QString, description);
        testing::ModalGuard guard;
        guard.ExpectMessageBox();
        int status = 0;
        SetTerminateHandler([&](int exitStatus) { status = exitStatus; });
        Dispatch([&] { Raise(static_cast<ErrorNumber>(number)); });
        SetTerminateHandler(nullptr);
        QCOMPARE(guard.Seen().size(), 1);
        QCOMPARE(guard.Seen().front().text,
                 QStringLiteral("Errore di run-time '%1':\n\n%2").arg(number).arg(description));
        QCOMPARE(guard.Seen().front().icon, QMessageBox::Critical);
        QCOMPARE(status, number);
    }

    void setFocusOnAHiddenWindowRaisesFive() {
        Form form(TestLayout);
        TextBox box(form, "box");
        int error = 0;
        try {
            box.SetFocus();
        } catch (const RuntimeError& e) {
            error = e.code();
        }
        QCOMPARE(error, 5);
    }

    void colours_data() {
        QTest::addColumn<uint>("value");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("red") << 0x000000FFU << QColor(255, 0, 0);
        QTest::newRow("blue") << 0x00FF0000U << QColor(0, 0, 255);
        QTest::newRow("magenta") << 0x00FF00FFU << QColor(255, 0, 255);
        QTest::newRow("grey") << 0x00808080U << QColor(128, 128, 128);
        QTest::newRow("button text")
            << 0x80000012U << QApplication::palette().color(QPalette::ButtonText);
    }
    void colours() {
        QFETCH(uint, value);
        QFETCH(QColor, colour);
        QCOMPARE(ToQColor(value, nullptr), colour);
    }

    void controlsArePlacedInTwipsFifteenToAPixel() {
        const Form form(TestLayout);
        QCOMPARE(form.Native().size(), QSize(505, 340));
        QCOMPARE(form.Native().findChild<QWidget*>(QStringLiteral("combo"))->geometry(),
                 QRect(40, 68, 81, 31));
    }

    void keyEventsBecomeCharacterCodes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");  // -1: no KeyPress
        QTest::newRow("digit") << int(Qt::Key_5) << 0 << "5" << 53;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\b" << 8;
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << "\r" << 13;
        QTest::newRow("keypad enter")
            << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
        QTest::newRow("ctrl+c") << int(Qt::Key_C) << int(Qt::ControlModifier) << "" << 3;
        QTest::newRow("ctrl+v") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16" << 22;
        QTest::newRow("keypad decimal as full stop")
            << int(Qt::Key_Period) << int(Qt::KeypadModifier) << "." << 44;
        QTest::newRow("keypad decimal as comma")
            << int(Qt::Key_Comma) << int(Qt::KeypadModifier) << "," << 44;
        QTest::newRow("delete with X11 text") << int(Qt::Key_Delete) << 0 << "\x7f" << -1;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << 0 << "" << -1;
        QTest::newRow("tab") << int(Qt::Key_Tab) << 0 << "\t" << -1;
        QTest::newRow("accented letter") << int(Qt::Key_Egrave) << 0 << "è" << 0xE8;
    }
    void keyEventsBecomeCharacterCodes() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        const auto got = CharacterCode(event);
        QCOMPARE(got ? static_cast<int>(*got) : -1, code);
    }

    void comboPicksRaiseClickBeforeTheWriteReturns() {
        Form form(TestLayout);
        ComboBox combo(form, "combo");
        combo.AddItem("100");
        combo.AddItem("200");
        std::string seen;
        combo.OnClick([&] { seen = combo.Text(); });
        combo.SetListIndex(1);
        QCOMPARE(seen, std::string("200"));
    }

    void programWrittenTextIsShownWholeBeyondTheTypingLimit() {
        Form form(TestLayout);
        TextBox box(form, "box");
        box.SetText("133333,3");
        QCOMPARE(box.Text(), std::string("133333,3"));
    }
};

QUORVELA_GUI_TEST_MAIN(RuntimeTest)
#include "tst_runtime.moc"
