#pragma once

#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace penlark {

// Text as the program stores, shows and counts it: code page 936 bytes, with the GB18030
// four-byte form for any character 936 lacks, so nothing a writer types becomes "?".
// Sizes and positions count bytes. It never converts implicitly to or from std::string,
// so UTF-8 and code page 936 cannot be mixed by accident.
class GbText {
public:
    static constexpr std::size_t npos = std::string::npos;

    GbText() = default;

    static GbText fromBytes(std::string bytes) { return GbText(std::move(bytes)); }
    static GbText fromUtf8(std::string_view utf8);
    static GbText fromUtf16(std::u16string_view utf16);

    const std::string& bytes() const { return bytes_; }
    std::string toUtf8() const;
    std::u16string toUtf16() const;

    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    unsigned char byteAt(std::size_t i) const { return static_cast<unsigned char>(bytes_[i]); }

    GbText substr(std::size_t pos, std::size_t count = npos) const;
    std::size_t find(const GbText& needle, std::size_t from = 0) const { return bytes_.find(needle.bytes_, from); }
    bool startsWith(const GbText& prefix) const { return bytes_.starts_with(prefix.bytes_); }
    bool endsWith(const GbText& suffix) const { return bytes_.ends_with(suffix.bytes_); }

    GbText& operator+=(const GbText& other)
    {
        bytes_ += other.bytes_;
        return *this;
    }
    friend GbText operator+(GbText left, const GbText& right)
    {
        left += right;
        return left;
    }
    friend bool operator==(const GbText&, const GbText&) = default;
    friend std::strong_ordering operator<=>(const GbText&, const GbText&) = default;

private:
    explicit GbText(std::string bytes) : bytes_(std::move(bytes)) {}
    std::string bytes_;
};

// Prints as UTF-8 so a failed test shows readable Chinese.
std::ostream& operator<<(std::ostream& out, const GbText& text);

// A string literal usable as a template argument, so each quoted text converts once.
template <std::size_t N>
struct Utf8Literal {
    char chars[N];
    constexpr Utf8Literal(const char (&source)[N]) { std::copy_n(source, N, chars); }
};

// "标题"_gb: the system's own texts are written in UTF-8 source and converted to
// code page 936 once, on first use.
template <Utf8Literal S>
const GbText& operator""_gb()
{
    static const GbText converted = GbText::fromUtf8(std::string_view(S.chars, sizeof(S.chars) - 1));
    return converted;
}

// Signed decimal as "%d" prints it.
GbText textFromInt(std::int64_t value);

// Full-width digits and signs map to ASCII first; then the leading integer is read as atoi
// does (leading white space, optional sign, digits). Empty or non-numeric gives 0; values
// beyond 32 bits saturate.
std::int32_t intFromText(const GbText& text);

// Length in bytes of the character starting at byte `pos`: 1 for a single byte (ASCII, the
// euro sign 0x80, 0xFF), 4 for a GB18030 four-byte sequence, otherwise 2 for a lead byte
// 0x81..0xFE (1 if the text ends after the lead byte).
std::size_t charLengthAt(std::string_view bytes, std::size_t pos);
inline std::size_t charLengthAt(const GbText& text, std::size_t pos) { return charLengthAt(text.bytes(), pos); }

// Number of characters (not bytes) in the text.
std::size_t countChars(const GbText& text);

} // namespace penlark

using penlark::operator""_gb;
