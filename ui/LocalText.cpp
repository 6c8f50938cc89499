#include "ui/LocalText.h"

#include <QDir>

#include <algorithm>

#ifndef _WIN32
#include <filesystem>
#include <system_error>
#endif

namespace ferrowind {

#ifdef _WIN32
std::string toLocal(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString fromLocal(const std::string& text) { return QString::fromLocal8Bit(text); }

std::string toLocalPath(const QString& path) { return toLocal(QDir::toNativeSeparators(path)); }
#else
namespace {
constexpr char16_t kEscapedByteBase = 0xDC00;
constexpr char16_t kReplacement = 0xFFFD;

// Length of the valid UTF-8 sequence at `at`, or 0; overlong forms, surrogates and values past U+10FFFF are
// invalid, so every escaped byte comes from text that cannot be decoded.
size_t validSequenceLength(const std::string& text, size_t at, char32_t& codePoint)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint < minimum || surrogate || codePoint > 0x10FFFF ? 0 : length;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// One name of the path, with U+FFFD in it, replaced by the one entry of `folder` that Qt would show so.
std::string matchEntry(const std::string& folder, const std::string& shown)
{
    std::string match;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (QString::fromUtf8(name) != QString::fromStdString(shown))
            continue;
        if (!match.empty())
            return shown; // two names look alike: neither is the one the user saw
        match = name;
    }
    return match.empty() ? shown : match;
}
} // namespace

std::string toLocal(const QString& text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(c, text[++i].unicode()));
        } else if (c >= kEscapedByteBase + 0x80 && c <= kEscapedByteBase + 0xFF) {
            out += static_cast<char>(c - kEscapedByteBase);
        } else if (QChar::isSurrogate(c)) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

QString fromLocal(const std::string& text)
{
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (size_t i = 0; i < text.size();) {
        char32_t codePoint = 0;
        if (const size_t length = validSequenceLength(text, i, codePoint); length > 0) {
            out += QString::fromUcs4(&codePoint, 1);
            i += length;
        } else {
            out += QChar(static_cast<char16_t>(kEscapedByteBase + static_cast<unsigned char>(text[i])));
            ++i;
        }
    }
    return out;
}

std::string toLocalPath(const QString& path)
{
    const std::string local = toLocal(QDir::toNativeSeparators(path));
    if (!path.contains(QChar(kReplacement)))
        return local;
    std::string recovered;
    size_t start = 0;
    while (start <= local.size()) {
        const size_t slash = std::min(local.find('/', start), local.size());
        const std::string name = local.substr(start, slash - start);
        recovered += name.find("\xEF\xBF\xBD") == std::string::npos ? name : matchEntry(recovered, name);
        if (slash < local.size())
            recovered += '/';
        start = slash + 1;
    }
    return recovered;
}
#endif

} // namespace ferrowind
