#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTranslator>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "runtime/message_box.h"
#include "runtime/qt/accessible.h"
#include "runtime/qt/frame.h"
#include "runtime/qt/native.h"
#include "runtime/qt/pictures.h"

namespace quorvela::runtime {
namespace {

QRect pixels(const TwipsRect& rect) {
    return {TwipsToPixels(rect.left), TwipsToPixels(rect.top), TwipsToPixels(rect.width),
            TwipsToPixels(rect.height)};
}

QFont qtFont(std::string_view face, const Font& spec) {
    QFont font(ToQString(face));
    font.setPointSizeF(spec.points);
    font.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
    return font;
}

// Qt's own texts (the edit menus of the combo boxes) in Italian, like every
// other text of the window.
void installItalianCatalogue() {
    static bool installed = false;
    if (installed || QCoreApplication::instance() == nullptr) {
        return;
    }
    installed = true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

QWidget* createControl(const ControlLayout& control, QWidget* parent) {
    const QString text = ToQString(control.text);
    const Qt::Alignment alignment =
        control.alignment == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    switch (control.kind) {
        case ControlKind::Frame: {
            auto* frame = new NativeFrame(parent);
            frame->setTitle(text);
            return frame;
        }
        case ControlKind::Shape: {
            auto* shape = new NativeShape(parent, control.foreColor.value_or(0));
            shape->lower();
            return shape;
        }
        case ControlKind::Label: {
            auto* label = new NativeLabel(parent);
            label->setText(text);
            label->setAlignment(alignment | Qt::AlignTop);
            return label;
        }
        case ControlKind::Image: {
            auto* image = new NativeImage(parent);
            image->SetPicture(ToQString(control.picture.svg), pixels(control.rect).size());
            return image;
        }
        case ControlKind::TextBox: {
            auto* box = new NativeTextBox(parent);
            box->setText(text);
            box->setAlignment(alignment | Qt::AlignVCenter);
            return box;
        }
        case ControlKind::ComboBox: {
            auto* combo = new NativeComboBox(parent);
            // The program writes only its own short items there.
            combo->lineEdit()->setMaxLength(control.typingLimit > 0 ? control.typingLimit : 32767);
            return combo;
        }
        case ControlKind::OptionButton: {
            auto* option = new NativeOptionButton(parent);
            option->setText(text);
            return option;
        }
        case ControlKind::CommandButton: {
            auto* button = new NativeCommandButton(parent);
            button->setText(text);
            return button;
        }
    }
    return nullptr;
}

bool takesFocus(const ControlLayout& control) {
    return TakesFocus(control.kind) && control.tabIndex != NoTabIndex;
}

}  // namespace

PixelSize ScreenPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen != nullptr ? screen->geometry().size() : QSize();
    return {size.width(), size.height()};
}

// Qt's pixels are logical: 96 to the inch whatever the screen's density.
int ScreenPixelsPerInch() {
    return 96;
}

// ---------------------------------------------------------------- NativeForm

NativeForm::NativeForm(const FormLayout& layout) {
    installItalianCatalogue();
    InstallAccessibleControls();
    setObjectName(ToQString(layout.name));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(layout.clientWidth), TwipsToPixels(layout.clientHeight));
    setWindowTitle(ToQString(layout.caption));
    setFont(qtFont(layout.fontFace, layout.font));
    if (!layout.icon.svg.empty()) {
        const std::string_view small =
            layout.icon.smallSvg.empty() ? layout.icon.svg : layout.icon.smallSvg;
        setWindowIcon(SvgIcon(ToQString(layout.icon.svg), ToQString(small)));
    }
    build(layout);
}

void NativeForm::build(const FormLayout& layout) {
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlLayout& control : layout.controls) {
        QWidget* parent = control.container.empty() ? this : &widget(control.container, NoIndex);
        QWidget* widget = createControl(control, parent);
        const QString name = ToQString(control.name);
        widget->setObjectName(control.index == NoIndex
                                  ? name
                                  : QStringLiteral("%1(%2)").arg(name).arg(control.index));
        widget->setGeometry(pixels(control.rect));
        if (control.font.points > 0) {
            widget->setFont(qtFont(layout.fontFace, control.font));
        }
        if (control.foreColor && control.kind != ControlKind::Shape) {
            SetForeColor(*widget, *control.foreColor);
        }
        if (!control.toolTip.empty()) {
            widget->setToolTip(ToQString(control.toolTip));
        }
        if (!control.accessibleName.empty()) {
            widget->setAccessibleName(ToQString(control.accessibleName));
        }
        if (takesFocus(control)) {
            widget->setFocusPolicy(control.tabStop == TabStop::Yes ? Qt::StrongFocus
                                                                   : Qt::ClickFocus);
            tabOrder.emplace_back(control.tabIndex, widget);
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        if (auto* core = dynamic_cast<ControlCore*>(widget)) {
            Adopt(control, *core);
        }
    }
    // Captions name their controls for screen readers.
    for (const ControlLayout& control : layout.controls) {
        if (!control.labelFor.empty()) {
            // Qt names a control for screen readers through its caption's
            // label relation (an editable combo box's own name is its text).
            dynamic_cast<QLabel&>(widget(control.name, control.index))
                .setBuddy(&widget(control.labelFor, NoIndex));
        }
    }
    std::sort(tabOrder.begin(), tabOrder.end());
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
}

// Placed before it is shown, the window is placed once, where its frame
// will stand: its outer size and the frame's corner count the frame that the
// window system tells beforehand.
QMargins NativeForm::frame() {
    if (!frameBeforeShow_) {
        frameBeforeShow_ = FrameBeforeShow(*this).value_or(QMargins());
    }
    return *frameBeforeShow_;
}

PixelSize NativeForm::OuterSize() {
    const QSize size = isVisible() ? frameGeometry().size() : this->size().grownBy(frame());
    return {size.width(), size.height()};
}

PixelPoint NativeForm::FramePosition() {
    const QMargins margins = frame();
    const QPoint topLeft = framelessToQt() ? pos() - QPoint(margins.left(), margins.top()) : pos();
    return {topLeft.x(), topLeft.y()};
}

void NativeForm::MoveFrameTo(PixelPoint topLeft) {
    const QMargins margins = frame();
    const QPoint point(topLeft.x, topLeft.y);
    move(framelessToQt() ? point + QPoint(margins.left(), margins.top()) : point);
}

void NativeForm::Show() {
    show();
    raise();
    activateWindow();
    // Window managers (and the offscreen platform) may activate the window
    // later or not at all: the first control in tab order takes the focus
    // now, so its focus handler runs on every platform.
    if (QApplication::focusWidget() == nullptr || QApplication::focusWidget()->window() != this) {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
        QApplication::setActiveWindow(this);
#endif
        if (focusWidget() == nullptr) {
            focusNextChild();
        }
    }
}

Form::Form(const FormLayout& layout)
    : native_(std::make_unique<NativeForm>(layout)), core_(native_.get()) {}
Form::~Form() = default;

void PumpEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int MsgBox(std::string_view prompt, int style, std::string_view title) {
    const MsgBoxStyle decoded = DecodeMsgBoxStyle(style);
    static constexpr std::array<QMessageBox::StandardButton, 8> Buttons = {
        QMessageBox::NoButton, QMessageBox::Ok,     QMessageBox::Cancel, QMessageBox::Abort,
        QMessageBox::Retry,    QMessageBox::Ignore, QMessageBox::Yes,    QMessageBox::No};
    static constexpr std::array<QMessageBox::Icon, 5> Icons = {
        QMessageBox::NoIcon, QMessageBox::Critical, QMessageBox::Question, QMessageBox::Warning,
        QMessageBox::Information};
    QMessageBox box(Icons.at(static_cast<std::size_t>(decoded.icon) / 16), ToQString(title),
                    ToQString(prompt), QMessageBox::NoButton, QApplication::activeWindow());
    for (const MsgBoxAnswer answer : decoded.Answers()) {
        box.addButton(Buttons.at(static_cast<std::size_t>(answer)));
    }
    box.setObjectName(QStringLiteral("msgBox"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    const auto* pressed =
        std::find(Buttons.begin(), Buttons.end(), box.standardButton(box.clickedButton()));
    // Closed without a button (Escape on a box without Cancel): its only button.
    return pressed == Buttons.begin() || pressed == Buttons.end()
               ? static_cast<int>(decoded.Answers().front())
               : static_cast<int>(pressed - Buttons.begin());
}

void ShowRuntimeError(const std::string& text) noexcept {
    try {
        QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), ToQString(text),
                        QMessageBox::Ok, QApplication::activeWindow());
        box.setObjectName(QStringLiteral("runtimeErrorBox"));
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    } catch (...) {
        std::fputs(text.c_str(), stderr);
    }
}

// ---------------------------------------------------------------- Application

namespace {

// While Qt opens the display its messages are held back. Without a display it
// would advise reinstalling the program and dump core; the user reads one
// line instead, and the exit status is 1.
class OpeningDisplay {
public:
    explicit OpeningDisplay(std::string_view program) : previous_(install(program)) {}
    ~OpeningDisplay() = default;
    OpeningDisplay(const OpeningDisplay&) = delete;
    OpeningDisplay& operator=(const OpeningDisplay&) = delete;
    OpeningDisplay(OpeningDisplay&&) = delete;
    OpeningDisplay& operator=(OpeningDisplay&&) = delete;

    // The display is open: the messages held go out as usual.
    void Opened() {
        qInstallMessageHandler(previous_);
        for (const Held& message : held()) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
            previous_(message.type, context, message.text);
        }
        held().clear();
    }

private:
    struct Held {
        QtMsgType type;
        std::string category;
        QString text;
    };

    // Returns the handler it replaces.
    static QtMessageHandler install(std::string_view program) {
        programName() = program;
        return qInstallMessageHandler(&hold);
    }
    static std::string& programName() {
        static std::string name;
        return name;
    }
    static std::vector<Held>& held() {
        static std::vector<Held> messages;
        return messages;
    }

    static void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtFatalMsg) {
            const std::string line = programName() +
                                     ": nessuno schermo grafico disponibile (DISPLAY non "
                                     "impostato o non raggiungibile).\n";
            std::fputs(line.c_str(), stderr);
            std::fflush(stderr);
            std::_Exit(1);
        }
        held().push_back({type, context.category != nullptr ? context.category : "", text});
    }

    QtMessageHandler previous_;
};

}  // namespace

struct Application::Native {
    // Qt is given the program's name alone: the program takes no command
    // line, so none of Qt's own options (-stylesheet, -reverse, ...) apply.
    std::string program;
    int argc = 1;
    std::array<char*, 2> argv{};
    OpeningDisplay opening;
    QApplication application;

    Native(std::string name, std::string_view displayName)
        : program(std::move(name)),
          argv{program.data(), nullptr},
          opening(displayName),
          application(argc, argv.data()) {
        opening.Opened();
    }
};

Application::Application(int argc, char** argv, const Identity& identity)
    : native_(std::make_unique<Native>(argc > 0 ? std::string(*argv) : std::string(identity.name),
                                       identity.name)) {
    QApplication::setApplicationName(ToQString(identity.name));
    QApplication::setApplicationVersion(ToQString(identity.version));
    QApplication::setOrganizationDomain(ToQString(identity.organizationDomain));
    QGuiApplication::setDesktopFileName(ToQString(identity.applicationId));
    native_->application.setProperty("description", ToQString(identity.description));
}

Application::~Application() = default;

// Not static: Qt's event loop needs the application object alive.
// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
int Application::Run(Form& form) {
    Start(form);
    return QApplication::exec();
}

}  // namespace quorvela::runtime
