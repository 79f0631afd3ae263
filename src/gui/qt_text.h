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

// The bytes of a box that was filled from `shown`: those very bytes while the box still
// shows them, so that bytes which are not UTF-8 survive a box the user did not change.
inline std::string FromQtKeeping(const QString& text, const std::string& shown) {
    return text == ToQt(shown) ? shown : FromQt(text);
}

// Multi-line boxes end their lines with "\n"; the core's texts end them with CR LF.
inline QString LinesToQt(const std::string& bytes) {
    return ToQt(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline std::string LinesFromQt(const QString& text) {
    return FromQt(QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

} // namespace fq
