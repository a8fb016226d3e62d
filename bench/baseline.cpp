// The window's 18 controls built with plain Qt widgets: the same classes,
// fonts, places, texts, colours, icon and picture as the program shows after
// its start-up, with no form runtime, no handlers and no Load. It shows the
// window and ends after the first paint: the reference for the start-up cost.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

#include "bench/first_paint.h"
#include "quorvela/version.h"

namespace {

// Twips to pixels, as the program places its controls.
QRect twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

QFont calibri(qreal points, bool bold = false) {
    QFont font(QStringLiteral("Calibri"));
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

void setForeColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Active, role, color);
        palette.setColor(QPalette::Inactive, role, color);
    }
    widget.setPalette(palette);
}

class Rectangle final : public QWidget {
public:
    explicit Rectangle(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

QLineEdit* lineEdit(QWidget* parent, const QColor& color, const QRect& geometry) {
    auto* box = new QLineEdit(parent);
    box->setGeometry(geometry);
    box->setFont(calibri(14.25, true));
    box->setAlignment(Qt::AlignCenter);
    setForeColor(*box, color);
    return box;
}

QComboBox* comboBox(QWidget* parent, const QStringList& items, int index, const QRect& geometry) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setGeometry(geometry);
    combo->setFont(calibri(14.25));
    combo->addItems(items);
    combo->setCurrentIndex(index);
    return combo;
}

QLabel* label(QWidget* parent, const QString& text, Qt::Alignment alignment, const QRect& geometry,
              const QFont& font) {
    auto* caption = new QLabel(text, parent);
    caption->setTextFormat(Qt::PlainText);
    caption->setGeometry(geometry);
    caption->setFont(font);
    caption->setAlignment(alignment | Qt::AlignTop);
    return caption;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                                Qt::MSWindowsFixedSizeDialogHint);
    window.setFixedSize(7575 / 15, 5100 / 15);
    window.setWindowTitle(QStringLiteral("Quorvela -  07/2024  -  ") +
                          QString::fromUtf8(quorvela::version::ContactAddress));
    window.setFont(calibri(12));
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        icon.addFile(QStringLiteral(":/quorvela/icons/quorvela-%1.png").arg(size),
                     QSize(size, size));
    }
    window.setWindowIcon(icon);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    window.move(qRound((screen.width() - window.width()) / 2.0),
                qRound((screen.height() - window.height()) / 3.0));

    auto* frame = new QGroupBox(&window);
    frame->setGeometry(twips(240, 120, 7095, 4695));
    frame->setFocusPolicy(Qt::NoFocus);

    const QColor magenta(0xFF, 0x00, 0xFF);
    const QColor blue(0x00, 0x00, 0xFF);
    auto* portata = lineEdit(frame, magenta, twips(600, 2760, 1215, 465));
    portata->setToolTip(QStringLiteral("Valore di portata"));
    lineEdit(frame, blue, twips(2520, 2760, 1215, 465))
        ->setToolTip(QStringLiteral("Inserire un valore di litri/h"));
    lineEdit(frame, blue, twips(4320, 2760, 1215, 465))->setFocusPolicy(Qt::ClickFocus);

    // The program starts in flow mode: the focus in the volume box selects it.
    auto* volume = new QRadioButton(QStringLiteral("ottieni cm³"), frame);
    volume->setGeometry(twips(600, 3480, 1455, 285));
    volume->setFont(calibri(11.25));
    auto* flow = new QRadioButton(QStringLiteral("ottieni litri/ora"), frame);
    flow->setGeometry(twips(600, 3840, 1935, 285));
    flow->setFont(calibri(11.25, true));
    setForeColor(*flow, QColor(0xFF, 0x00, 0x00));
    flow->setChecked(true);

    auto* calcola = new QPushButton(QStringLiteral("calcola"), frame);
    calcola->setGeometry(twips(4320, 3480, 1815, 525));
    calcola->setFont(calibri(14.25));

    comboBox(frame,
             {QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("500"),
              QStringLiteral("1000"), QStringLiteral("1500"), QStringLiteral("2000"),
              QStringLiteral("2500")},
             3, twips(600, 1020, 1215, 465));
    comboBox(frame, {QStringLiteral("200"), QStringLiteral("500"), QStringLiteral("1000")}, 0,
             twips(2520, 1020, 1215, 465));

    const QFont big = calibri(14.25);
    label(frame, QStringLiteral("Giri"), Qt::AlignHCenter, twips(570, 660, 915, 345), big);
    label(frame, QStringLiteral("Colpi"), Qt::AlignHCenter, twips(2520, 660, 975, 345), big);
    const QString tempo = QStringLiteral("a 1000 giri, 200 colpi si ottengono in 12 secondi");
    label(frame, QStringLiteral("12 secondi"), Qt::AlignHCenter, twips(5160, 1080, 1455, 315),
          calibri(12))
        ->setToolTip(tempo);
    label(frame, QStringLiteral("Portata cm³"), Qt::AlignLeft, twips(600, 2400, 1455, 345), big);
    label(frame, QStringLiteral("litri/ora"), Qt::AlignHCenter, twips(2520, 2400, 1215, 345),
          calibri(14.25, true));
    label(frame, QStringLiteral("litri/min"), Qt::AlignHCenter, twips(4320, 2400, 1215, 345), big);

    auto* image = new QLabel(frame);
    image->setGeometry(twips(4320, 600, 825, 960));
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setPixmap(QPixmap(QStringLiteral(":/quorvela/images/stopwatch.png")));
    image->setToolTip(tempo);

    auto* shape1 = new Rectangle(frame);
    shape1->setGeometry(twips(360, 480, 6375, 1335));
    shape1->lower();
    auto* shape2 = new Rectangle(frame);
    shape2->setGeometry(twips(360, 2160, 6375, 2175));
    shape2->lower();

    const quorvela::bench::QuitAfterFirstPaint quit(window);
    portata->setFocus();
    window.show();
    return QApplication::exec();
}
