#pragma once

#include <QString>
#include <string>

namespace fq {

// The core keeps texts as bytes; the widgets show them as UTF-8.
inline QString ToQt(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string FromQt(const QString& text) {
    return text.toUtf8().toStdString();
}

// Multi-line boxes end their lines with "\n"; the core's texts end them with CR LF.
inline QString LinesToQt(const std::string& bytes) {
    return ToQt(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline std::string LinesFromQt(const QString& text) {
    return FromQt(QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

} // namespace fq
