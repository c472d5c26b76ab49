#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace dv::qt {

// The core speaks UTF-8; Qt speaks UTF-16.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStdString(const QString& text) {
    return text.toStdString();
}

// The core's line breaks are single carriage returns; Qt's widgets break at
// line feeds.
inline QString toDisplayLines(std::string_view text) {
    QString s = toQString(text);
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

} // namespace dv::qt
