#pragma once

// A started window for GUI tests: built, loaded and shown as the program
// does it, on the offscreen platform.

#include <QAction>
#include <QApplication>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "runtime/qt/native.h"
#include "window/frmQuorvela.h"

namespace quorvela::testing {

// Builds the window and runs the real start-up (Load, show, first focus).
// Returns null (after a failed QVERIFY-style message) when the window does
// not become active.
std::unique_ptr<frmQuorvela> StartWindow();

// The control that holds the keyboard focus, a combo box standing for its
// line edit.
[[nodiscard]] QWidget* FocusedControl();

// Types `text` into the focused control, one key event a character.
void TypeText(QWidget* target, const QString& text);

// Puts a text into a combo box by typing over its line edit; typing raises
// no pick, so nothing is calculated yet.
void TypeIntoCombo(runtime::NativeComboBox* combo, const QString& text);

// Opens `target`'s context menu as a right-click does, describes each of
// its entries (separators left out), then closes it without a choice.
[[nodiscard]] QStringList ContextMenuEntries(
    QWidget* target, const std::function<QString(const QAction&)>& describe);

// Points for mouse clicks.
[[nodiscard]] QPoint Centre(const QWidget* widget);

}  // namespace quorvela::testing

// Every GUI test's main: the offscreen platform unless told otherwise.
#define QUORVELA_GUI_TEST_MAIN(TestClass)                             \
    int main(int argc, char* argv[]) {                                \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {         \
            qputenv("QT_QPA_PLATFORM", "offscreen");                  \
        }                                                             \
        QApplication app(argc, argv);                                 \
        QApplication::setApplicationName(QStringLiteral("Quorvela")); \
        TestClass test;                                               \
        return QTest::qExec(&test, argc, argv);                       \
    }
