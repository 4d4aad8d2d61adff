// Conversions at the widget boundary.
#include "base/Text8.h"

std::string ToText8(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString FromText8(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

std::string ToLocal8(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString FromLocal8(const std::string& text) { return QString::fromLocal8Bit(text.data(), qsizetype(text.size())); }

std::string ShownPath(const std::string& path) { return ToText8(FromLocal8(path)); }
