// The window's controls: places, sizes, captions, fonts, colours and tab order.

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "quorvela/version.h"
#include "runtime/units.h"
#include "window/formula_controls.h"
#include "window/frmQuorvela.h"

namespace quorvela {
namespace {

using runtime::OleColor;
using runtime::TwipsRect;

constexpr OleColor Magenta = 0x00FF00FFU;
constexpr OleColor Blue = 0x00FF0000U;
constexpr OleColor Grey = 0x00808080U;

QFont calibri(qreal points, bool bold = false) {
    QFont font(QStringLiteral("Calibri"));
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

// Places `widget` in its container, in twips, and names it.
template <class Widget>
Widget* place(Widget* widget, const QString& name, int left, int top, int width, int height) {
    widget->setObjectName(name);
    widget->setGeometry(TwipsRect(left, top, width, height));
    return widget;
}

runtime::Label* caption(QWidget* parent, int index, const QString& text, Qt::Alignment alignment,
                        int left, int top, int width, int height, const QFont& font) {
    auto* label = place(new runtime::Label(parent),
                        QStringLiteral("lblDescrizione(%1)").arg(index), left, top, width, height);
    label->setText(text);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setAccessibleName(text);
    return label;
}

runtime::TextBox* textBox(QWidget* parent, const QString& name, OleColor color, int typingLimit,
                          int left, int top, int width, int height) {
    auto* box = place(new runtime::TextBox(parent), name, left, top, width, height);
    box->setFont(calibri(14.25, true));
    box->setAlignment(Qt::AlignCenter);
    box->SetTypingLimit(typingLimit);
    runtime::SetForeColor(*box, color);
    return box;
}

runtime::ComboBox* comboBox(QWidget* parent, const QString& name, const QString& accessibleName,
                            int left, int top) {
    auto* combo = place(new runtime::ComboBox(parent), name, left, top, 1215, 465);
    combo->setFont(calibri(14.25));
    combo->setAccessibleName(accessibleName);
    return combo;
}

}  // namespace

QString frmQuorvela::CaptionText() {
    return QStringLiteral("Quorvela -  07/2024  -  ") + QString::fromUtf8(version::ContactAddress);
}

frmQuorvela::frmQuorvela()
    : Form(QStringLiteral("frmQuorvela"), 7575, 5100),
      formule_(std::make_unique<FormulaControls>(*this)) {
    setWindowTitle(CaptionText());
    setFont(calibri(12));
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        icon.addFile(QStringLiteral(":/quorvela/icons/quorvela-%1.png").arg(size), QSize(size, size));
    }
    setWindowIcon(icon);
    createControls();
    connectHandlers();
}

frmQuorvela::~frmQuorvela() = default;

void frmQuorvela::createControls() {
    Frame1 = place(new runtime::Frame(this), QStringLiteral("Frame1"), 240, 120, 7095, 4695);
    Frame1->setTitle(QString());

    // Created in tab order, so that Qt's focus chain is the tab order.
    txtPortata = textBox(Frame1, QStringLiteral("txtPortata"), Magenta, 7, 600, 2760, 1215, 465);
    txtPortata->setToolTip(QStringLiteral("Valore di portata"));
    txtPortata->setAccessibleName(QStringLiteral("Portata cm³"));
    txtQuorvela = textBox(Frame1, QStringLiteral("txtQuorvela"), Blue, 5, 2520, 2760, 1215, 465);
    txtQuorvela->setToolTip(QStringLiteral("Inserire un valore di litri/h"));
    txtQuorvela->setAccessibleName(QStringLiteral("litri/ora"));
    txtLitriMinuto =
        textBox(Frame1, QStringLiteral("txtLitriMinuto"), Blue, 5, 4320, 2760, 1215, 465);
    txtLitriMinuto->setAccessibleName(QStringLiteral("litri/min"));
    // Written by the program only: Tab skips it, a click still reaches it.
    txtLitriMinuto->setFocusPolicy(Qt::ClickFocus);

    const auto option = [this](std::int16_t index, const QString& text, int top, int width) {
        auto* button = place(new runtime::OptionButton(index, Frame1),
                             QStringLiteral("optScelta(%1)").arg(index), 600, top, width, 285);
        button->setText(text);
        button->setFont(calibri(11.25));
        button->setAccessibleName(text);
        optScelta.Add(button);
    };
    option(0, QStringLiteral("ottieni cm³"), 3480, 1455);
    option(1, QStringLiteral("ottieni litri/ora"), 3840, 1935);

    cmdCalcola = place(new runtime::CommandButton(Frame1), QStringLiteral("cmdCalcola"), 4320, 3480,
                       1815, 525);
    cmdCalcola->setText(QStringLiteral("calcola"));
    cmdCalcola->setFont(calibri(14.25));
    cmdCalcola->setAccessibleName(QStringLiteral("calcola"));

    cboGiri = comboBox(Frame1, QStringLiteral("cboGiri"), QStringLiteral("Giri"), 600, 1020);
    cboColpi = comboBox(Frame1, QStringLiteral("cboColpi"), QStringLiteral("Colpi"), 2520, 1020);

    const QFont big = calibri(14.25);
    lblDescrizione.Add(caption(Frame1, 0, QStringLiteral("Giri"), Qt::AlignHCenter, 570, 660, 915,
                               345, big));
    lblDescrizione.Add(caption(Frame1, 1, QStringLiteral("Colpi"), Qt::AlignHCenter, 2520, 660,
                               975, 345, big));
    auto* tempo = caption(Frame1, 2, QStringLiteral("."), Qt::AlignHCenter, 5160, 1080, 1455, 315,
                          calibri(12));
    tempo->setAccessibleName(QStringLiteral("Tempo dei colpi"));
    lblDescrizione.Add(tempo);
    lblDescrizione.Add(caption(Frame1, 3, QStringLiteral("Portata cm³"), Qt::AlignLeft, 600, 2400,
                               1455, 345, big));
    lblDescrizione.Add(caption(Frame1, 4, QStringLiteral("litri/ora"), Qt::AlignHCenter, 2520,
                               2400, 1215, 345, big));
    lblDescrizione.Add(caption(Frame1, 5, QStringLiteral("litri/min"), Qt::AlignHCenter, 4320,
                               2400, 1215, 345, big));

    Image1 = place(new runtime::Image(Frame1), QStringLiteral("Image1"), 4320, 600, 825, 960);
    Image1->setPixmap(QPixmap(QStringLiteral(":/quorvela/images/stopwatch.png")));
    Image1->setAccessibleName(QStringLiteral("Cronometro"));

    Shape1 = place(new runtime::Shape(Frame1, Grey), QStringLiteral("Shape1"), 360, 480, 6375, 1335);
    Shape2 = place(new runtime::Shape(Frame1, Grey), QStringLiteral("Shape2"), 360, 2160, 6375, 2175);
    Shape1->lower();
    Shape2->lower();

    QWidget::setTabOrder(txtPortata, txtQuorvela);
    QWidget::setTabOrder(txtQuorvela, txtLitriMinuto);
    QWidget::setTabOrder(txtLitriMinuto, &optScelta(0));
    QWidget::setTabOrder(&optScelta(0), &optScelta(1));
    QWidget::setTabOrder(&optScelta(1), cmdCalcola);
    QWidget::setTabOrder(cmdCalcola, cboGiri);
    QWidget::setTabOrder(cboGiri, cboColpi);
}

void frmQuorvela::connectHandlers() {
    cmdCalcola->OnClick([this] { cmdCalcola_Click(); });
    for (std::int16_t index = 0; index < 2; ++index) {
        optScelta(index).OnClick([this](std::int16_t& Index) { optScelta_Click(Index); });
    }
    txtQuorvela->OnGotFocus([this] { txtQuorvela_GotFocus(); });
    txtPortata->OnGotFocus([this] { txtPortata_GotFocus(); });
    txtQuorvela->OnKeyPress([this](std::int16_t& KeyAscii) { txtQuorvela_KeyPress(KeyAscii); });
    txtPortata->OnKeyPress([this](std::int16_t& KeyAscii) { txtPortata_KeyPress(KeyAscii); });
    cboGiri->OnClick([this] { cboGiri_Click(); });
    cboColpi->OnClick([this] { cboColpi_Click(); });
}

}  // namespace quorvela
