// Conversions at the widget boundary.
#include "base/Text8.h"

#include <algorithm>

std::string ToText8(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString FromText8(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

bool ShowsAsUtf8(std::string_view bytes)
{
    const bool multiByte = std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    return multiByte && QByteArrayView(bytes.data(), qsizetype(bytes.size())).isValidUtf8();
}

std::string ToDocumentText(const QString& text, bool utf8)
{
    if (!utf8)
        return ToText8(text);
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString FromDocumentText(std::string_view bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes.data(), qsizetype(bytes.size()))
                : QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::string ToLocal8(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString FromLocal8(const std::string& text) { return QString::fromLocal8Bit(text.data(), qsizetype(text.size())); }

std::string ShownPath(const std::string& path) { return ToText8(FromLocal8(path)); }
