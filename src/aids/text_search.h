#pragma once

#include "text/gb_text.h"

namespace penlark {

// Searches over code page 936 bytes. Positions and lengths count bytes; a term is only ever
// found at the start of a character (a double-byte or four-byte character is never entered),
// and a hit always covers whole characters.
//
// Without matchCase the ASCII letters A-Z and a-z match either case when they stand as
// characters of their own; every other byte, including the second byte of a double-byte
// character that happens to look like a letter, must match exactly, so no Chinese
// character is ever taken for another.

// Whether term matches text at byte `at` (which the caller keeps at a character start).
bool termMatchesAt(const GbText& text, const GbText& term, int at, bool matchCase);

// The first occurrence beginning at or after `start`, or -1. Also -1 when `start` is at or
// past the end, or the term is longer than what remains. `start` is taken as a character
// start (a selection's end always is); a negative start counts as 0. An empty term is
// never found, here or below.
int searchForward(const GbText& text, const GbText& term, int start, bool matchCase);

// The last occurrence lying wholly within the first `limit` bytes, or -1 (also when limit
// is 0 or less).
int searchBackward(const GbText& text, const GbText& term, int limit, bool matchCase);

// Every occurrence, scanned left to right from the first byte, replaced; matches never
// overlap and the replacement is never scanned again. An empty term or text gives the text
// back unchanged.
GbText replaceAllOccurrences(const GbText& text, const GbText& term, const GbText& replacement, bool matchCase);

} // namespace penlark
