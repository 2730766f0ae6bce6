#include "text/gb_text.h"

#include "text/gb_codec.h"

#include <climits>
#include <ostream>

namespace penlark {

GbText GbText::fromUtf8(std::string_view utf8) { return GbText(encodeGbFromUtf8(utf8)); }

GbText GbText::fromUtf16(std::u16string_view utf16) { return GbText(encodeGbFromUtf16(utf16)); }

std::string GbText::toUtf8() const { return decodeGbToUtf8(bytes_); }

std::u16string GbText::toUtf16() const { return decodeGbToUtf16(bytes_); }

GbText GbText::substr(std::size_t pos, std::size_t count) const
{
    if (pos >= bytes_.size()) return {};
    return GbText(bytes_.substr(pos, count));
}

std::ostream& operator<<(std::ostream& out, const GbText& text) { return out << '"' << text.toUtf8() << '"'; }

GbText textFromInt(std::int64_t value) { return GbText::fromBytes(std::to_string(value)); }

std::int32_t intFromText(const GbText& text)
{
    // Full-width digits and signs (0xA3B0..0xA3B9, 0xA3AB, 0xA3AD) become ASCII first.
    const std::string_view bytes = text.bytes();
    std::string ascii;
    ascii.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = charLengthAt(bytes, i);
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (length == 2 && lead == 0xA3) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            if (trail >= 0xB0 && trail <= 0xB9) {
                ascii += static_cast<char>('0' + (trail - 0xB0));
                i += 2;
                continue;
            }
            if (trail == 0xAB || trail == 0xAD) {
                ascii += trail == 0xAB ? '+' : '-';
                i += 2;
                continue;
            }
        }
        ascii.append(bytes.substr(i, length));
        i += length;
    }

    std::size_t i = 0;
    while (i < ascii.size() && (ascii[i] == ' ' || (ascii[i] >= '\t' && ascii[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
    std::int64_t value = 0;
    for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
        value = value * 10 + (ascii[i] - '0');
        if (value > std::int64_t{INT_MAX} + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<std::int32_t>(value);
}

std::size_t charLengthAt(std::string_view bytes, std::size_t pos)
{
    // 0x80 (the euro sign) and 0xFF are single bytes in code page 936, never lead bytes.
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x81 || lead == 0xFF) return 1;
    if (pos + 1 >= bytes.size()) return 1;
    const auto second = static_cast<unsigned char>(bytes[pos + 1]);
    if (lead >= 0x81 && lead <= 0xFE && second >= 0x30 && second <= 0x39 && pos + 3 < bytes.size()) {
        const auto third = static_cast<unsigned char>(bytes[pos + 2]);
        const auto fourth = static_cast<unsigned char>(bytes[pos + 3]);
        if (third >= 0x81 && third <= 0xFE && fourth >= 0x30 && fourth <= 0x39) return 4;
    }
    return 2;
}

std::size_t countChars(const GbText& text)
{
    const std::string_view bytes = text.bytes();
    std::size_t count = 0;
    for (std::size_t i = 0; i < bytes.size(); i += charLengthAt(bytes, i)) ++count;
    return count;
}

} // namespace penlark
