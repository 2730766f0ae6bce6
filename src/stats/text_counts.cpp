#include "stats/text_counts.h"

#include "text/gb_codec.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

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

// The shape that lets whole blocks be counted at once: every lead 0x81..0xFE with every trail
// 0x40..0xFE but 0x7F is one two-byte character that comes back as two bytes, and it is a
// symbol exactly when its trail is at least a threshold that depends on the lead.
struct BlockPlan {
    bool usable = false;
    std::array<unsigned char, 128> thresholds{};  // by lead - 0x80; 0xFF: never a symbol
    Entry single80 = 0;
    Entry singleFF = 0;
};

struct Tables {
    // Indexed by (lead - 0x80) * 256 + trail.
    std::array<Entry, 128 * 256> pairs{};
    // Bytes of 0x80 and above that the code page reads as a character on their own (0x80,
    // the euro sign).
    std::array<Entry, 128> singles{};
    BlockPlan plan;
};

bool isTrailOfThePlan(unsigned trail) { return trail >= 0x40 && trail <= 0xFE && trail != 0x7F; }

BlockPlan planFor(const Tables& tables)
{
    BlockPlan plan;
    std::vector<unsigned> thresholds;  // per lead; 0xFF: never a symbol
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        unsigned threshold = 0xFF;
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const Entry entry = tables.pairs[(lead - 0x80) * 256 + trail];
            if (isTrailOfThePlan(trail) && ((entry >> 3) & 7) == 2) {
                threshold = trail;
                break;
            }
        }
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (!isTrailOfThePlan(trail)) continue;
            const Entry entry = tables.pairs[(lead - 0x80) * 256 + trail];
            const unsigned symbolBytes = trail >= threshold ? 2 : 0;
            if ((entry & kValid) == 0 || (entry & 7) != 2 || ((entry >> 3) & 7) != symbolBytes) return plan;
        }
        thresholds.push_back(threshold);
    }
    plan.thresholds.fill(0xFF);
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        plan.thresholds[lead - 0x80] = static_cast<unsigned char>(thresholds[lead - 0x81]);
    }
    plan.single80 = tables.singles[0];
    plan.singleFF = tables.singles[0x7F];
    plan.usable = true;
    return plan;
}

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
    tables.plan = planFor(tables);
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

// Running totals of a scan; ASCII counts cover ASCII characters only, never trail bytes.
struct Tally {
    std::size_t asciiCharacters = 0;
    std::size_t letters = 0;
    std::size_t digits = 0;
    std::size_t controls = 0;  // below 0x20
    std::size_t spaces = 0;
    std::size_t lineFeeds = 0;
    std::size_t crlfPairs = 0;
    std::size_t multiByteNonAscii = 0;  // bytes the non-ASCII collector takes from other characters
    std::size_t multiByteSymbols = 0;   // bytes the symbol collector takes from other characters
};

// Character by character from `from` (a character boundary) to the end; false at bytes the
// tables do not know.
bool scanCharacters(const unsigned char* p, std::size_t from, std::size_t n, const Tables& table, Tally& tally)
{
    // ASCII characters go to a histogram, read out at the end.
    std::array<std::size_t, 128> histogram{};
    std::size_t nonAscii = 0;
    std::size_t symbols = 0;
    std::size_t i = from;
    while (i < n) {
        const unsigned b = p[i];
        if (b < 0x80) {
            ++histogram[b];
            if (b == '\r' && i + 1 < n && p[i + 1] == '\n') ++tally.crlfPairs;
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
        if (single == 0) return false;
        nonAscii += single & 7;
        symbols += (single >> 3) & 7;
        ++i;
    }

    for (unsigned c = 0; c < 128; ++c) {
        tally.asciiCharacters += histogram[c];
        if (c < 0x20) tally.controls += histogram[c];
        if (isAsciiLetter(c)) tally.letters += histogram[c];
        if (isAsciiDigit(c)) tally.digits += histogram[c];
    }
    tally.spaces += histogram[' '];
    tally.lineFeeds += histogram['\n'];
    tally.multiByteNonAscii += nonAscii;
    tally.multiByteSymbols += symbols;
    return true;
}

#if defined(__x86_64__) && defined(__GNUC__)
#define PENLARK_BLOCK_SCAN 1
// Compiled for AVX2 and run only where the processor has it.
#pragma GCC push_options
#pragma GCC target("avx2,popcnt")

inline __m256i splat(int c) { return _mm256_set1_epi8(static_cast<char>(c)); }
inline std::size_t count(std::uint64_t bits) { return static_cast<std::size_t>(__builtin_popcountll(bits)); }

// One bit per byte of the 64-byte block, from its two halves.
inline std::uint64_t bits(__m256i low, __m256i high)
{
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
           (std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(high))} << 32);
}

// In the signed view (byte b as b - 0x80), first <= b <= last.
inline __m256i between(__m256i signedView, int first, int last)
{
    return _mm256_and_si256(_mm256_cmpgt_epi8(signedView, splat(first - 0x80 - 1)),
                            _mm256_cmpgt_epi8(splat(last - 0x80 + 1), signedView));
}

inline __m256i asciiLetter(__m256i v)
{
    const __m256i folded = _mm256_or_si256(v, splat(0x20));
    return _mm256_and_si256(_mm256_cmpgt_epi8(folded, splat('a' - 1)), _mm256_cmpgt_epi8(splat('z' + 1), folded));
}

inline __m256i asciiDigit(__m256i v)
{
    return _mm256_and_si256(_mm256_cmpgt_epi8(v, splat('0' - 1)), _mm256_cmpgt_epi8(splat('9' + 1), v));
}

// 0x40..0xFE but 0x7F, from the signed view.
inline __m256i trailByte(__m256i w, __m256i ws)
{
    return _mm256_andnot_si256(_mm256_or_si256(_mm256_cmpeq_epi8(w, splat(0x7F)), _mm256_cmpeq_epi8(w, splat(0xFF))),
                               _mm256_cmpgt_epi8(ws, splat(0x40 - 0x80 - 1)));
}

// Per high nibble that has symbol leads: the nibble, and by low nibble the last trail value
// (in the signed view) that is not yet a symbol; 0x7F where none is.
struct ThresholdLookup {
    std::size_t count = 0;
    __m256i nibble[8];
    __m256i table[8];
};

ThresholdLookup lookupFor(const BlockPlan& plan)
{
    ThresholdLookup lookup;
    for (unsigned high = 8; high <= 15; ++high) {
        alignas(32) signed char values[32];
        bool any = false;
        for (unsigned low = 0; low < 16; ++low) {
            const unsigned threshold = plan.thresholds[(high - 8) * 16 + low];
            any = any || threshold != 0xFF;
            const int biased = threshold == 0xFF ? 0x7F : static_cast<int>(threshold) - 0x80 - 1;
            values[low] = values[low + 16] = static_cast<signed char>(biased);
        }
        if (!any) continue;
        lookup.nibble[lookup.count] = splat(static_cast<int>(high));
        lookup.table[lookup.count] = _mm256_load_si256(reinterpret_cast<const __m256i*>(values));
        ++lookup.count;
    }
    return lookup;
}

// Where the pair starting at each byte is a symbol (meaningful at leads only): the trail
// passes the threshold its lead looks up by nibbles.
inline __m256i symbolPair(__m256i v, __m256i ws, const ThresholdLookup& lookup)
{
    const __m256i high = _mm256_and_si256(_mm256_srli_epi16(v, 4), splat(0x0F));
    const __m256i low = _mm256_and_si256(v, splat(0x0F));
    __m256i threshold = splat(0x7F);
    for (std::size_t k = 0; k < lookup.count; ++k) {
        threshold = _mm256_blendv_epi8(threshold, _mm256_shuffle_epi8(lookup.table[k], low),
                                       _mm256_cmpeq_epi8(high, lookup.nibble[k]));
    }
    return _mm256_cmpgt_epi8(ws, threshold);
}

// 64 bytes at a time while a byte follows the block. Lead bytes pair with the byte after them;
// in a run of bytes 0x81..0xFE the leads are every other byte from the run's start, so the
// leads of a block follow from the run starts with one carry (the simdjson trick for runs of
// backslashes). Returns where character-by-character counting goes on: the first character
// boundary not yet counted, which is early when a block holds anything the plan does not
// cover (a four-byte form, an invalid pair, an unknown single byte).
std::size_t scanBlocks(const unsigned char* p, std::size_t n, const BlockPlan& plan, Tally& tally)
{
    constexpr std::uint64_t even = 0x5555555555555555ULL;
    const ThresholdLookup lookup = lookupFor(plan);
    const __m256i bias = splat(0x80);
    std::uint64_t trailCarry = 0;  // the block's first byte is the trail of the last one's lead
    std::size_t o = 0;
    for (; o + 64 < n; o += 64) {
        const __m256i v0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + o));
        const __m256i v1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + o + 32));
        const __m256i w0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + o + 1));
        const __m256i w1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + o + 33));
        // Signed views in which byte order is unsigned order.
        const __m256i vs0 = _mm256_xor_si256(v0, bias);
        const __m256i vs1 = _mm256_xor_si256(v1, bias);
        const __m256i ws0 = _mm256_xor_si256(w0, bias);
        const __m256i ws1 = _mm256_xor_si256(w1, bias);

        const std::uint64_t leadBytes = bits(between(vs0, 0x81, 0xFE), between(vs1, 0x81, 0xFE)) & ~trailCarry;
        const std::uint64_t starts = leadBytes & ~(leadBytes << 1);
        const std::uint64_t evenRuns = leadBytes & ~(leadBytes + (starts & even));
        const std::uint64_t oddRuns = leadBytes & ~evenRuns;
        const std::uint64_t leads = (evenRuns & even) | (oddRuns & ~even);
        const std::uint64_t trails = (leads << 1) | trailCarry;

        const std::uint64_t ascii = ~bits(v0, v1) & ~trails;
        const std::uint64_t euros = bits(_mm256_cmpeq_epi8(v0, bias), _mm256_cmpeq_epi8(v1, bias)) & ~trails;
        const std::uint64_t ffs = bits(_mm256_cmpeq_epi8(v0, splat(0xFF)), _mm256_cmpeq_epi8(v1, splat(0xFF))) & ~trails;
        if ((leads & ~bits(trailByte(w0, ws0), trailByte(w1, ws1))) != 0 || (euros != 0 && plan.single80 == 0) ||
            (ffs != 0 && plan.singleFF == 0)) {
            break;
        }

        auto equal = [&](int c) {
            return bits(_mm256_cmpeq_epi8(v0, splat(c)), _mm256_cmpeq_epi8(v1, splat(c))) & ascii;
        };
        tally.asciiCharacters += count(ascii);
        tally.letters += count(bits(asciiLetter(v0), asciiLetter(v1)) & ascii);
        tally.digits += count(bits(asciiDigit(v0), asciiDigit(v1)) & ascii);
        tally.controls += count(bits(_mm256_cmpgt_epi8(splat(0x20), v0), _mm256_cmpgt_epi8(splat(0x20), v1)) & ascii);
        tally.spaces += count(equal(' '));
        const std::uint64_t lineFeeds = equal('\n');
        tally.lineFeeds += count(lineFeeds);
        const std::uint64_t nextLineFeeds = bits(_mm256_cmpeq_epi8(w0, splat('\n')), _mm256_cmpeq_epi8(w1, splat('\n')));
        tally.crlfPairs += count(equal('\r') & nextLineFeeds);
        const std::size_t pairs = count(leads);
        const std::size_t symbolPairs = count(leads & bits(symbolPair(v0, ws0, lookup), symbolPair(v1, ws1, lookup)));
        tally.multiByteNonAscii += 2 * pairs + count(euros) * (plan.single80 & 7) + count(ffs) * (plan.singleFF & 7);
        tally.multiByteSymbols += 2 * symbolPairs + count(euros) * ((plan.single80 >> 3) & 7) +
                                  count(ffs) * ((plan.singleFF >> 3) & 7);
        trailCarry = leads >> 63;
    }
    return o + trailCarry;
}
#pragma GCC pop_options

bool blockScanAvailable()
{
    static const bool available = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    return available;
}
#endif

} // namespace

bool countsWholeBlocks()
{
#ifdef PENLARK_BLOCK_SCAN
    return tables().plan.usable && blockScanAvailable();
#else
    return false;
#endif
}

std::optional<TextCounts> countCleanText(std::string_view text, CountMethod method)
{
    const Tables& table = tables();
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();

    Tally tally;
    std::size_t from = 0;
#ifdef PENLARK_BLOCK_SCAN
    if (method == CountMethod::Fastest && countsWholeBlocks()) {
        from = scanBlocks(p, n, table.plan, tally);
    }
#else
    (void)method;
#endif
    if (!scanCharacters(p, from, n, table, tally)) return std::nullopt;

    TextCounts counts;
    counts.strippedBytes = n - 2 * tally.crlfPairs - tally.spaces;
    // CR and LF are outside U+0020..U+007F; T1 lacks the pairs, and spaces are not counted.
    counts.chineseBytes = tally.multiByteNonAscii + tally.controls - 2 * tally.crlfPairs;
    counts.letters = tally.letters;
    counts.digits = tally.digits;
    counts.symbolBytes = tally.multiByteSymbols + tally.asciiCharacters - tally.letters - tally.digits;
    counts.paragraphs = tally.lineFeeds + (n > 0 && p[n - 1] != '\n' ? 1 : 0);
    return counts;
}

} // namespace penlark
