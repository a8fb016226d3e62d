#pragma once

// The UTF-8 text the calculation reads, encoded straight into the string:
// QString::toStdString goes through a QByteArray, an allocation and a copy
// more on every read of a control, and a calculate command reads a dozen.

#include <QStringEncoder>
#include <QStringView>

#include <string>

namespace quorvela {

[[nodiscard]] inline std::string Utf8(QStringView text) {
    QStringEncoder encoder(QStringEncoder::Utf8);
    std::string bytes(static_cast<std::size_t>(encoder.requiredSpace(text.size())), '\0');
    char* const end = encoder.appendToBuffer(bytes.data(), text);
    bytes.resize(static_cast<std::size_t>(end - bytes.data()));
    return bytes;
}

}  // namespace quorvela
