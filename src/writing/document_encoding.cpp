#include "writing/document_encoding.h"

#include "text/gb_codec.h"

#include <optional>

namespace penlark {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool hasNonAscii(std::string_view bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

bool onlyLineFeeds(std::string_view bytes)
{
    return bytes.find('\n') != std::string_view::npos && bytes.find('\r') == std::string_view::npos;
}

std::optional<std::u16string> utf16Units(std::string_view bytes, bool littleEndian)
{
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(littleEndian ? (a | (b << 8)) : ((a << 8) | b)));
    }
    // Surrogates must pair up; a zero character would cut the text short.
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u == 0) return std::nullopt;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) return std::nullopt;
            ++i;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            return std::nullopt;
        }
    }
    return units;
}

std::string utf16Bytes(std::u16string_view units, bool littleEndian)
{
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t u : units) {
        const auto low = static_cast<char>(u & 0xFF);
        const auto high = static_cast<char>(u >> 8);
        bytes.push_back(littleEndian ? low : high);
        bytes.push_back(littleEndian ? high : low);
    }
    return bytes;
}

std::string withLineFeeds(std::string text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out.push_back(text[i]);
    }
    return out;
}

std::optional<DecodedDocument> asUtf16(std::string_view body, bool littleEndian, DocumentEncoding encoding)
{
    const std::optional<std::u16string> units = utf16Units(body, littleEndian);
    if (!units) return std::nullopt;
    GbText text = GbText::fromUtf16(*units);
    if (text.toUtf16() != *units) return std::nullopt;
    const bool lineFeeds = units->find(u'\n') != std::u16string::npos && units->find(u'\r') == std::u16string::npos;
    return DecodedDocument{std::move(text), encoding, lineFeeds};
}

std::optional<DecodedDocument> asUtf8(std::string_view body, DocumentEncoding encoding)
{
    if (body.find('\0') != std::string_view::npos || !isValidUtf8(body)) return std::nullopt;
    GbText text = GbText::fromUtf8(body);
    if (text.toUtf8() != body) return std::nullopt;
    return DecodedDocument{std::move(text), encoding, onlyLineFeeds(body)};
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) low = 0xA0;   // no overlong forms
            if (c == 0xED) high = 0x9F;  // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;  // nothing above U+10FFFF
        } else {
            return false;
        }
        if (i + length > n) return false;
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (second < low || second > high) return false;
        for (std::size_t k = 2; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (next < 0x80 || next > 0xBF) return false;
        }
        i += length;
    }
    return true;
}

DecodedDocument decodeDocument(std::string_view bytes)
{
    std::optional<DecodedDocument> decoded;
    if (bytes.starts_with(kUtf16LeMark)) {
        decoded = asUtf16(bytes.substr(2), true, DocumentEncoding::Utf16LeWithMark);
    } else if (bytes.starts_with(kUtf16BeMark)) {
        decoded = asUtf16(bytes.substr(2), false, DocumentEncoding::Utf16BeWithMark);
    } else if (bytes.starts_with(kUtf8Mark)) {
        decoded = asUtf8(bytes.substr(3), DocumentEncoding::Utf8WithMark);
    } else if (hasNonAscii(bytes)) {
        decoded = asUtf8(bytes, DocumentEncoding::Utf8);
    }
    if (decoded) return std::move(*decoded);

    // A plain text document: its bytes up to the first zero byte, exactly. It is shown whole
    // only if they are valid code page 936 (or GB18030) text the editor can hand back unchanged.
    const std::size_t zero = bytes.find('\0');
    const std::string_view text = bytes.substr(0, zero);
    DecodedDocument document{GbText::fromBytes(std::string(text)), DocumentEncoding::CodePage936, onlyLineFeeds(text)};
    if (zero != std::string_view::npos || encodeGbFromUtf16(decodeGbToUtf16(text)) != text) {
        document.encoding = DocumentEncoding::Unrecognised;
        document.lineFeeds = false;
    }
    return document;
}

std::string encodeDocument(const GbText& text, DocumentEncoding encoding, bool lineFeeds)
{
    const bool restoreLineFeeds = lineFeeds && encoding != DocumentEncoding::Unrecognised;
    switch (encoding) {
    case DocumentEncoding::Utf8:
    case DocumentEncoding::Utf8WithMark: {
        std::string utf8 = text.toUtf8();
        if (restoreLineFeeds) utf8 = withLineFeeds(std::move(utf8));
        return encoding == DocumentEncoding::Utf8WithMark ? std::string(kUtf8Mark) + utf8 : utf8;
    }
    case DocumentEncoding::Utf16LeWithMark:
    case DocumentEncoding::Utf16BeWithMark: {
        const bool little = encoding == DocumentEncoding::Utf16LeWithMark;
        const GbText source = restoreLineFeeds ? GbText::fromBytes(withLineFeeds(text.bytes())) : text;
        return std::string(little ? kUtf16LeMark : kUtf16BeMark) + utf16Bytes(source.toUtf16(), little);
    }
    case DocumentEncoding::CodePage936:
    case DocumentEncoding::Unrecognised:
        break;
    }
    return restoreLineFeeds ? withLineFeeds(text.bytes()) : text.bytes();
}

} // namespace penlark
