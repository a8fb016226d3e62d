#include "runtime/qt/accessible.h"

#include <QAccessibleWidget>

#include "runtime/qt/native.h"

namespace quorvela::runtime {
namespace {

// A text box as assistive technology sees it: its name, value and
// description, its text, selection and cursor, but no way to write the text.
// Text comes in through the user's input alone, where the keystroke handler
// and the typing limit see it.
class AccessibleTextBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleTextBox(NativeTextBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);  // no EditableTextInterface
    }

    [[nodiscard]] QString text(QAccessible::Text type) const override {
        return type == QAccessible::Value ? box()->text() : QAccessibleWidget::text(type);
    }
    void setText(QAccessible::Text /*type*/, const QString& /*text*/) override {}

    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;  // by the user's typing
        state.selectableText = true;
        return state;
    }

    // Selection and cursor
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = box()->selectionEnd();
        }
    }
    [[nodiscard]] int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) {
            box()->deselect();
        }
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) {
            box()->setSelection(startOffset, endOffset - startOffset);
        }
    }
    [[nodiscard]] int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }

    // Text
    [[nodiscard]] QString text(int startOffset, int endOffset) const override {
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    [[nodiscard]] int characterCount() const override {
        return static_cast<int>(box()->text().size());
    }
    [[nodiscard]] QRect characterRect(int /*offset*/) const override { return {}; }
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}
    [[nodiscard]] QString attributes(int /*offset*/, int* startOffset,
                                     int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    [[nodiscard]] NativeTextBox* box() const { return static_cast<NativeTextBox*>(widget()); }
};

QAccessibleInterface* textBoxFactory(const QString& /*className*/, QObject* object) {
    auto* box = dynamic_cast<NativeTextBox*>(object);
    return box != nullptr ? new AccessibleTextBox(box) : nullptr;
}

}  // namespace

void InstallAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(&textBoxFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace quorvela::runtime
