// What must hold after every action of a session, whatever the user did.

#include <QApplication>
#include <QPalette>

#include <cmath>
#include <optional>
#include <string>

#include "calc/conversions.h"
#include "calc/formulas.h"
#include "calc/runtime_error.h"
#include "session.h"

namespace quorvela::testing {
namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

template <class Conversion>
auto tryConvert(Conversion conversion, const QString& text)
    -> std::optional<decltype(conversion(std::string_view{}))> {
    try {
        return conversion(utf8(text));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

std::optional<std::int16_t> int16Of(const QString& text) {
    return tryConvert([](std::string_view t) { return TextToInt16(t); }, text);
}
std::optional<std::int32_t> int32Of(const QString& text) {
    return tryConvert([](std::string_view t) { return TextToInt32(t); }, text);
}
std::optional<float> singleOf(const QString& text) {
    return tryConvert([](std::string_view t) { return TextToSingle(t); }, text);
}

// A figure as the window writes it: it reads back as a number and writing
// that number again gives the same text (no "inf", "nan", "-0", "1.5" or
// partial text).
bool isShownFigure(const QString& text) {
    const std::optional<float> value = singleOf(text);
    return value.has_value() && QString::fromStdString(SingleToText(*value)) == text;
}

// A shown figure's value; NaN, which is near nothing, for any other text.
double valueOf(const QString& text) {
    const std::optional<float> value = singleOf(text);
    return value ? *value : std::nan("");
}

bool near(double shown, double exact, double tolerance) {
    return std::fabs(shown - exact) <= tolerance + 1e-6 * std::fabs(exact);
}

qsizetype nonDigitsOrCommas(const QString& text) {
    qsizetype count = 0;
    for (const QChar c : text) {
        if (!(c.isDigit() && c.unicode() < 0x80) && c != QLatin1Char(',')) {
            ++count;
        }
    }
    return count;
}


}  // namespace

QStringList Session::Check() {
    QStringList failures = dialogFailures_;
    dialogFailures_.clear();
    if (terminations_ > 0) {
        failures.append(QStringLiteral("a run-time error reached the runtime"));
        terminations_ = 0;
    }
    if (QApplication::activeModalWidget() != nullptr) {
        failures.append(QStringLiteral("a modal dialog is still open"));
    }
    if (QApplication::activePopupWidget() != nullptr) {
        failures.append(QStringLiteral("a popup is still open"));
    }
    checkModeAndFocus(failures);
    checkTypedText(failures);
    checkWrittenTexts(failures);
    checkStrokeTime(failures);

    const Snapshot now = snapshot();
    if (now.volumeMode == before_.volumeMode && now.flowMode == before_.flowMode) {
        const auto changed = [this](const QWidget* box, const QString& was, const QString& is) {
            return was != is && typedInto_ != box;
        };
        const bool litri = changed(&form_.txtLitriMinuto.Native(), before_.litriMinuto, now.litriMinuto);
        if (now.volumeMode && (litri || changed(&form_.txtPortata.Native(), before_.portata, now.portata))) {
            ++calculations_;
            checkVolumeResults(failures);
        }
        if (now.flowMode && (litri || changed(&form_.txtQuorvela.Native(), before_.quorvela, now.quorvela))) {
            ++calculations_;
            checkFlowResults(failures);
        }
    }
    return failures;
}

void Session::checkModeAndFocus(QStringList& failures) const {
    const bool volume = form_.optScelta(0).Native().isChecked();
    const bool flow = form_.optScelta(1).Native().isChecked();
    if (volume == flow) {
        failures.append(QStringLiteral("%1 options are selected").arg(volume ? 2 : 0));
        return;
    }
    const QColor red(255, 0, 0);
    const auto& chosen = form_.optScelta(volume ? 0 : 1).Native();
    const auto& other = form_.optScelta(volume ? 1 : 0).Native();
    if (chosen.palette().color(QPalette::WindowText) != red || !chosen.font().bold()) {
        failures.append(QStringLiteral("the selected option is not red and bold"));
    }
    if (other.palette().color(QPalette::WindowText) !=
            QApplication::palette(&other).color(QPalette::ButtonText) ||
        other.font().bold()) {
        failures.append(QStringLiteral("the other option is not plain"));
    }
    if (form_.lblDescrizione(3).Native().font().bold() != volume ||
        form_.lblDescrizione(4).Native().font().bold() != flow) {
        failures.append(QStringLiteral("the bold caption is not the one above the result"));
    }
    const QWidget* focus = QApplication::focusWidget();
    if (focus == &form_.txtQuorvela.Native() && !volume) {
        failures.append(QStringLiteral("the focus is in txtQuorvela outside the volume mode"));
    }
    if (focus == &form_.txtPortata.Native() && !flow) {
        failures.append(QStringLiteral("the focus is in txtPortata outside the flow mode"));
    }
}

// What the user types into an input box adds only digits and commas, and
// only up to the box's typing limit.
void Session::checkTypedText(QStringList& failures) const {
    for (const runtime::NativeTextBox* box : {&form_.txtPortata.Native(), &form_.txtQuorvela.Native()}) {
        if (typedInto_ != box) {
            continue;
        }
        const QString& was = box == &form_.txtPortata.Native() ? before_.portata : before_.quorvela;
        const QString is = box->text();
        if (nonDigitsOrCommas(is) > nonDigitsOrCommas(was)) {
            failures.append(QStringLiteral("typing into %1 turned '%2' into '%3'")
                                .arg(box->objectName(), was, is));
        }
        if (is.size() > was.size() && is.size() > box->TypingLimit()) {
            failures.append(QStringLiteral("typing into %1 went past its limit: '%2'")
                                .arg(box->objectName(), is));
        }
    }
}

// Whatever the program writes into a text box is empty or a figure.
void Session::checkWrittenTexts(QStringList& failures) const {
    const auto check = [&](const runtime::NativeTextBox* box, const QString& was) {
        const QString is = box->text();
        if (typedInto_ != box && is != was && !is.isEmpty() && !isShownFigure(is)) {
            failures.append(
                QStringLiteral("%1 shows '%2', which is no figure").arg(box->objectName(), is));
        }
    };
    check(&form_.txtPortata.Native(), before_.portata);
    check(&form_.txtQuorvela.Native(), before_.quorvela);
    check(&form_.txtLitriMinuto.Native(), before_.litriMinuto);
}

// A new stroke time is a figure of seconds, the strokes at the speed.
void Session::checkStrokeTime(QStringList& failures) const {
    const QString caption = form_.lblDescrizione(2).Native().text();
    if (caption == before_.tempo) {
        return;
    }
    const QString suffix = QStringLiteral(" secondi");
    const QString figure = caption.left(caption.size() - suffix.size());
    if (!caption.endsWith(suffix) || !isShownFigure(figure)) {
        failures.append(QStringLiteral("the stroke time reads '%1'").arg(caption));
        return;
    }
    const auto giri = int16Of(form_.cboGiri.Native().currentText());
    const auto colpi = int16Of(form_.cboColpi.Native().currentText());
    if (!giri || !colpi || *giri == 0) {
        failures.append(
            QStringLiteral("the stroke time changed to '%1' for '%2' and '%3'")
                .arg(caption, form_.cboGiri.Native().currentText(), form_.cboColpi.Native().currentText()));
        return;
    }
    const double seconds = 60.0 * *colpi / *giri;
    if (!near(valueOf(figure), seconds, 0.05)) {
        failures.append(QStringLiteral("the stroke time '%1' is not %2 strokes at %3 rpm")
                            .arg(caption)
                            .arg(*colpi)
                            .arg(*giri));
    }
}

// Volume mode: cm³ from the litres per hour, and litres per minute from the
// litres per hour rounded to a whole number.
void Session::checkVolumeResults(QStringList& failures) const {
    const QString giriText = form_.cboGiri.Native().currentText();
    const QString colpiText = form_.cboColpi.Native().currentText();
    const QString litriText = form_.txtQuorvela.Native().text();
    const QString volumeText = form_.txtPortata.Native().text();
    const QString minutoText = form_.txtLitriMinuto.Native().text();
    const QString inputs =
        QStringLiteral(" (%1 l/h, %2 rpm, %3 strokes)").arg(litriText, giriText, colpiText);

    const auto whole = int32Of(litriText);
    if (minutoText.isEmpty() == whole.has_value()) {
        failures.append(QStringLiteral("litri/min shows '%1'").arg(minutoText) + inputs);
    } else if (whole && !near(valueOf(minutoText), *whole / 60.0, 0.005)) {
        failures.append(
            QStringLiteral("litri/min '%1' is not %2 / 60").arg(minutoText).arg(*whole) + inputs);
    }

    const auto giri = int32Of(giriText);
    const auto colpi = int32Of(colpiText);
    const auto litri = singleOf(litriText);
    if (volumeText.isEmpty()) {
        const bool computable = giri && colpi && litri && *giri != 0 && *colpi != 0 &&
                                std::abs(*giri) <= 32767 && std::abs(*colpi) <= 32767 &&
                                std::fabs(*litri) < 1e30F;
        if (computable) {
            failures.append(QStringLiteral("no volume though it can be computed") + inputs);
        }
        return;
    }
    if (!giri || !colpi || !litri || *giri == 0) {
        failures.append(QStringLiteral("a volume '%1' from inputs that give none").arg(volumeText) +
                        inputs);
        return;
    }
    const double exact = *litri * 1000.0 / 60.0 * *colpi / *giri;
    if (!near(valueOf(volumeText), exact, 0.05)) {
        failures.append(QStringLiteral("the volume '%1' is not %2").arg(volumeText).arg(exact) +
                        inputs);
        return;
    }
    // The same volume in the flow mode gives back the litres per hour, within
    // the whole-cm³ rounding of the volume and the one-decimal results.
    try {
        const float back = PortataOraria(TextToInt32(utf8(volumeText)), *giri, *colpi);
        const double allowed =
            std::fabs(static_cast<double>(*giri) / *colpi) * 0.55 * 60 / 1000 + 0.05;
        if (!near(back, *litri, allowed)) {
            failures.append(
                QStringLiteral("the volume '%1' gives back %2 l/h").arg(volumeText).arg(back) +
                inputs);
        }
    } catch (const RuntimeError&) {
        // Beyond what the flow mode takes: nothing to compare.
    }
}

// Flow mode: litres per hour from the volume, rounded to whole cm³, and
// litres per minute from the litres per hour.
void Session::checkFlowResults(QStringList& failures) const {
    const QString giriText = form_.cboGiri.Native().currentText();
    const QString colpiText = form_.cboColpi.Native().currentText();
    const QString volumeText = form_.txtPortata.Native().text();
    const QString litriText = form_.txtQuorvela.Native().text();
    const QString minutoText = form_.txtLitriMinuto.Native().text();
    const QString inputs =
        QStringLiteral(" (%1 cm³, %2 rpm, %3 strokes)").arg(volumeText, giriText, colpiText);

    if (litriText.isEmpty() != minutoText.isEmpty()) {
        failures.append(
            QStringLiteral("litri/ora '%1' with litri/min '%2'").arg(litriText, minutoText) +
            inputs);
        return;
    }
    const auto giri = int32Of(giriText);
    const auto colpi = int32Of(colpiText);
    const auto volume = int32Of(volumeText);
    if (litriText.isEmpty()) {
        const bool computable = giri && colpi && volume && *colpi != 0 && *volume >= 0 &&
                                *volume <= 32767 && std::abs(*giri) <= 32767 &&
                                std::abs(*colpi) <= 32767;
        if (computable) {
            failures.append(QStringLiteral("no litres per hour though they can be computed") +
                            inputs);
        }
        return;
    }
    if (!giri || !colpi || !volume || *colpi == 0) {
        failures.append(QStringLiteral("litri/ora '%1' from inputs that give none").arg(litriText) +
                        inputs);
        return;
    }
    const double exact = *volume / 1000.0 * *giri / *colpi * 60.0;
    const double litri = valueOf(litriText);
    if (!near(litri, exact, 0.05)) {
        failures.append(QStringLiteral("litri/ora '%1' is not %2").arg(litriText).arg(exact) +
                        inputs);
    }
    if (!near(valueOf(minutoText), litri / 60.0, 0.005)) {
        failures.append(QStringLiteral("litri/min '%1' is not %2 / 60").arg(minutoText, litriText) +
                        inputs);
    }
}

}  // namespace quorvela::testing
