#include "aids/text_search.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace penlark {

namespace {

unsigned char byteOf(char c) { return static_cast<unsigned char>(c); }

unsigned char folded(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// The scans call this once per character: single bytes are settled inline.
std::size_t stepAt(std::string_view text, std::size_t i)
{
    const unsigned char lead = byteOf(text[i]);
    if (lead < 0x81 || lead == 0xFF) return 1;
    return charLengthAt(text, i);
}

// The text decides where its characters begin, so only a byte that is a character by itself
// folds; a multi-byte character must equal the term's bytes and lie wholly inside the term.
bool matchesAt(std::string_view text, std::string_view term, std::size_t at, bool matchCase)
{
    if (at > text.size() || term.size() > text.size() - at) return false;
    std::size_t i = 0;
    while (i < term.size()) {
        const unsigned char have = byteOf(text[at + i]);
        if (have < 0x80) {
            const unsigned char want = byteOf(term[i]);
            if (have != want && (matchCase || folded(have) != folded(want))) return false;
            ++i;
            continue;
        }
        const std::size_t length = stepAt(text, at + i);
        if (length > term.size() - i || text.compare(at + i, length, term.substr(i, length)) != 0) return false;
        i += length;
    }
    return true;
}

// A cheap test of the first byte before the full comparison.
struct FirstByte {
    unsigned char exact;
    unsigned char caseless;
    bool matchCase;

    FirstByte(std::string_view term, bool matchCase)
        : exact(byteOf(term.front())), caseless(folded(byteOf(term.front()))), matchCase(matchCase)
    {
    }
    bool mayStartAt(unsigned char c) const { return c == exact || (!matchCase && folded(c) == caseless); }
};

} // namespace

bool termMatchesAt(const GbText& text, const GbText& term, int at, bool matchCase)
{
    if (at < 0) return false;
    return matchesAt(text.bytes(), term.bytes(), static_cast<std::size_t>(at), matchCase);
}

int searchForward(const GbText& text, const GbText& term, int start, bool matchCase)
{
    const std::string_view bytes = text.bytes();
    const std::string_view needle = term.bytes();
    if (needle.empty()) return -1;
    std::size_t i = start < 0 ? 0 : static_cast<std::size_t>(start);
    if (i >= bytes.size() || needle.size() > bytes.size() - i) return -1;

    const FirstByte first(needle, matchCase);
    const std::size_t lastCandidate = bytes.size() - needle.size();
    for (; i <= lastCandidate; i += stepAt(bytes, i)) {
        if (first.mayStartAt(byteOf(bytes[i])) && matchesAt(bytes, needle, i, matchCase)) return static_cast<int>(i);
    }
    return -1;
}

int searchBackward(const GbText& text, const GbText& term, int limit, bool matchCase)
{
    const std::string_view bytes = text.bytes();
    const std::string_view needle = term.bytes();
    if (limit <= 0 || needle.empty()) return -1;
    const std::size_t end = std::min(bytes.size(), static_cast<std::size_t>(limit));
    if (needle.size() > end) return -1;

    // Character starts are only known from the beginning of the text, so the scan runs
    // forward and keeps the last hit.
    const FirstByte first(needle, matchCase);
    const std::size_t lastCandidate = end - needle.size();
    int found = -1;
    for (std::size_t i = 0; i <= lastCandidate; i += stepAt(bytes, i)) {
        if (first.mayStartAt(byteOf(bytes[i])) && matchesAt(bytes, needle, i, matchCase)) {
            found = static_cast<int>(i);
        }
    }
    return found;
}

GbText replaceAllOccurrences(const GbText& text, const GbText& term, const GbText& replacement, bool matchCase)
{
    const std::string_view bytes = text.bytes();
    const std::string_view needle = term.bytes();
    if (needle.empty() || bytes.empty()) return text;

    const FirstByte first(needle, matchCase);
    std::string out;
    out.reserve(bytes.size());
    std::size_t copied = 0;  // bytes before this are already in `out`
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (first.mayStartAt(byteOf(bytes[i])) && matchesAt(bytes, needle, i, matchCase)) {
            out.append(bytes.substr(copied, i - copied));
            out.append(replacement.bytes());
            i += needle.size();
            copied = i;
            continue;
        }
        i += stepAt(bytes, i);
    }
    out.append(bytes.substr(copied));
    return GbText::fromBytes(std::move(out));
}

} // namespace penlark
