#include "stats/text_counts.h"

#include "text/gb_codec.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace penlark {

namespace {

// Which collectors take a code point, as the matcher's case-insensitive classes read it:
// PCRE2 folds U+017F (long s) with s and U+212A (Kelvin sign) with k, so both fall inside
// [\x20-\x7f] and inside a-z.
bool foldsToAsciiLetter(char32_t c) { return c == 0x17F || c == 0x212A; }
bool isNonAscii(char32_t c) { return (c < 0x20 || c > 0x7F) && !foldsToAsciiLetter(c); }
bool isAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool isSymbol(char32_t c)
{
    return !isAsciiDigit(c) && !isAsciiLetter(c) && !foldsToAsciiLetter(c) && !(c >= 0x4E00 && c <= 0x9FA5);
}

// A multi-byte character's share of the two collectors over non-ASCII text: the byte length
// of the character once converted back, or 0 when the collector does not take it.
// Packed as valid (bit 7), symbol bytes (bits 3-5) and non-ASCII bytes (bits 0-2).
using Entry = std::uint8_t;
constexpr Entry kValid = 0x80;

Entry entryFor(char32_t c, std::size_t encodedLength)
{
    if (encodedLength == 0 || encodedLength > 7 || c < 0x80) return 0;
    const auto length = static_cast<Entry>(encodedLength);
    return static_cast<Entry>(kValid | (isSymbol(c) ? length << 3 : 0) | (isNonAscii(c) ? length : 0));
}

char32_t codePointOf(std::u16string_view units)
{
    if (units.size() == 1) return units[0];
    return 0x10000 + ((static_cast<char32_t>(units[0]) - 0xD800) << 10) + (static_cast<char32_t>(units[1]) - 0xDC00);
}

bool isOneCharacter(std::u16string_view units)
{
    if (units.size() == 1) return (units[0] & 0xF800) != 0xD800 && units[0] != 0xFFFD;
    return units.size() == 2 && (units[0] & 0xFC00) == 0xD800 && (units[1] & 0xFC00) == 0xDC00;
}

std::vector<std::u16string_view> splitAt(std::u16string_view text, char16_t separator)
{
    std::vector<std::u16string_view> pieces;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::u16string_view::npos; at = text.find(separator, start)) {
        pieces.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    return pieces;
}

struct Tables {
    // Indexed by (lead - 0x80) * 256 + trail.
    std::array<Entry, 128 * 256> pairs{};
    // Bytes of 0x80 and above that the code page reads as a character on their own (0x80,
    // the euro sign).
    std::array<Entry, 128> singles{};
};

// The code page's own reading of every byte and byte pair, taken once from the converter the
// matcher's input goes through. Each sequence is followed by a line feed, which no sequence
// swallows, so one conversion covers them all.
Tables buildTables()
{
    Tables tables;

    std::string batch;
    std::vector<std::size_t> indexes;
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        batch += static_cast<char>(lead);
        batch += "A\n";
    }
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            batch += static_cast<char>(lead);
            batch += static_cast<char>(trail);
            batch += '\n';
            indexes.push_back((lead - 0x80) * 256 + trail);
        }
    }
    const std::u16string decoded = decodeGbToUtf16(batch);
    const std::vector<std::u16string_view> pieces = splitAt(decoded, u'\n');
    if (pieces.size() != 128 + indexes.size()) return tables;  // every text then takes the collectors

    // Encode every character back in one go, for its length.
    std::u16string characters;
    std::vector<std::size_t> slots;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::u16string_view piece = pieces[i];
        if (i < 128) {
            if (piece.size() != 2 || piece[1] != u'A') continue;
            piece = piece.substr(0, 1);
        }
        if (!isOneCharacter(piece) || piece[0] == 0x1A) continue;
        characters.append(piece);
        characters += u'\n';
        slots.push_back(i);
    }
    const std::string encoded = encodeGbFromUtf16(characters);
    std::vector<std::size_t> lengths;
    for (std::size_t start = 0, at; (at = encoded.find('\n', start)) != std::string::npos; start = at + 1) {
        lengths.push_back(at - start);
    }
    if (lengths.size() != slots.size()) return tables;

    for (std::size_t k = 0; k < slots.size(); ++k) {
        const std::size_t i = slots[k];
        std::u16string_view piece = pieces[i];
        if (i < 128) piece = piece.substr(0, 1);
        const Entry entry = entryFor(codePointOf(piece), lengths[k]);
        if (i < 128) {
            tables.singles[i] = entry;
        } else {
            tables.pairs[indexes[i - 128]] = entry;
        }
    }
    return tables;
}

const Tables& tables()
{
    static const Tables built = buildTables();
    return built;
}

bool isFourByteForm(const unsigned char* p, std::size_t remaining)
{
    return remaining >= 4 && p[0] >= 0x81 && p[0] <= 0xFE && p[1] >= 0x30 && p[1] <= 0x39 && p[2] >= 0x81 &&
           p[2] <= 0xFE && p[3] >= 0x30 && p[3] <= 0x39;
}

// A GB18030 four-byte form, converted alone exactly as the matcher's input converts it; each
// resulting character counts as it comes back (U+FFFD, for one, takes four bytes).
void countFourByteForm(const unsigned char* p, std::size_t& nonAscii, std::size_t& symbols)
{
    const std::u16string units = decodeGbToUtf16(std::string_view(reinterpret_cast<const char*>(p), 4));
    for (std::size_t k = 0; k < units.size();) {
        const std::size_t length = (units[k] & 0xFC00) == 0xD800 && k + 1 < units.size() ? 2 : 1;
        const std::u16string_view character = std::u16string_view(units).substr(k, length);
        const char32_t c = codePointOf(character);
        const std::size_t encoded = encodeGbFromUtf16(character).size();
        if (isNonAscii(c)) nonAscii += encoded;
        if (isSymbol(c)) symbols += encoded;
        k += length;
    }
}

} // namespace

std::optional<TextCounts> countCleanText(std::string_view text)
{
    const Tables& table = tables();
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();

    // ASCII bytes go to a histogram, read out at the end; multi-byte characters add their
    // packed share.
    std::array<std::uint32_t, 128> histogram{};
    std::size_t nonAscii = 0;
    std::size_t symbols = 0;
    std::size_t i = 0;
    while (i < n) {
        const unsigned b = p[i];
        if (b < 0x80) {
            ++histogram[b];
            ++i;
            continue;
        }
        if (i + 1 < n) {
            const Entry entry = table.pairs[(b - 0x80) * 256 + p[i + 1]];
            if (entry != 0) {
                nonAscii += entry & 7;
                symbols += (entry >> 3) & 7;
                i += 2;
                continue;
            }
        }
        if (isFourByteForm(p + i, n - i)) {
            countFourByteForm(p + i, nonAscii, symbols);
            i += 4;
            continue;
        }
        const Entry single = table.singles[b - 0x80];
        if (single == 0) return std::nullopt;
        nonAscii += single & 7;
        symbols += (single >> 3) & 7;
        ++i;
    }

    // CR never occurs inside a multi-byte character, so the pairs can be found byte-wise.
    std::size_t crlfPairs = 0;
    for (const void* at = std::memchr(p, '\r', n); at != nullptr;) {
        const std::size_t k = static_cast<std::size_t>(static_cast<const unsigned char*>(at) - p);
        if (k + 1 < n && p[k + 1] == '\n') ++crlfPairs;
        at = k + 1 < n ? std::memchr(p + k + 1, '\r', n - k - 1) : nullptr;
    }

    TextCounts counts;
    std::size_t asciiTotal = 0;
    std::size_t controls = 0;
    for (unsigned c = 0; c < 128; ++c) {
        asciiTotal += histogram[c];
        if (c < 0x20) controls += histogram[c];
        if (isAsciiLetter(c)) counts.letters += histogram[c];
        if (isAsciiDigit(c)) counts.digits += histogram[c];
    }
    counts.strippedBytes = n - 2 * crlfPairs - histogram[' '];
    // CR and LF are outside U+0020..U+007F; T1 lacks the pairs, spaces are not counted anyway.
    counts.chineseBytes = nonAscii + controls - 2 * crlfPairs;
    counts.symbolBytes = symbols + asciiTotal - counts.letters - counts.digits;
    counts.paragraphs = histogram['\n'] + (n > 0 && p[n - 1] != '\n' ? 1 : 0);
    return counts;
}

} // namespace penlark
