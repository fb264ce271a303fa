#pragma once

#include <QString>

#include <string>
#include <string_view>

// The program keeps text as bytes; these are the only ways they meet QString.
namespace synopter {

// Edition texts, edition and font names, chapter labels and result files are
// single-byte text, read as Latin-1 both ways.
inline QString FromLatin1(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

inline std::string ToLatin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

// Language files, paths and the system's messages are in the locale's encoding.
inline QString FromLocal8Bit(std::string_view bytes)
{
    return QString::fromLocal8Bit(bytes.data(), qsizetype(bytes.size()));
}

inline std::string ToLocal8Bit(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

// The import's names, titles and reports, and the checks' messages, are UTF-8.
inline QString FromUtf8(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

} // namespace synopter
