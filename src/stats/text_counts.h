#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace penlark {

// What the live and detailed counts are made of, all in bytes of code page 936 except the
// letters, digits and paragraphs. T1 is the text without its CR LF pairs and then without
// its ASCII spaces.
struct TextCounts {
    std::size_t strippedBytes = 0;  // length of T1
    std::size_t chineseBytes = 0;   // characters of T1 outside U+0020..U+007F, re-encoded
    std::size_t letters = 0;        // ASCII letters
    std::size_t symbolBytes = 0;    // neither ASCII digit, ASCII letter nor U+4E00..U+9FA5
    std::size_t digits = 0;         // ASCII digits
    std::size_t paragraphs = 0;     // line feeds, plus one for an unterminated last line

    friend bool operator==(const TextCounts&, const TextCounts&) = default;
};

enum class CountMethod {
    Fastest,   // whole blocks at a time where the processor allows
    Portable,  // character by character
};

// The counts in one pass over the bytes, for text made only of ASCII, code page 936
// characters and GB18030 four-byte forms (everything the editor produces). A character's
// class and re-encoded length follow the pattern matcher's reading of it, so the result is
// the collectors' to the byte. Returns nothing for any other bytes (a stray lead byte, an
// invalid pair), where only the collectors know the answer.
std::optional<TextCounts> countCleanText(std::string_view bytes, CountMethod method = CountMethod::Fastest);

// Whether CountMethod::Fastest takes whole blocks at a time here (an x86-64 processor with
// AVX2, and a code page table of the expected shape).
bool countsWholeBlocks();

} // namespace penlark
