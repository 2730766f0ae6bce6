#pragma once

#include "stats/text_counts.h"
#include "text/gb_text.h"

#include <cstddef>

namespace penlark {

struct App;

// The collectors: every character of one class, in order, concatenated. Only their byte
// lengths are used.
// Characters outside U+0020..U+007F (Chinese, full-width forms, tabs, CR, LF); with
// `stripWhitespace`, without the ASCII white space among them.
GbText collectNonAscii(const GbText& text, bool stripWhitespace = false);
// letterKind 0: ASCII letters; 1: small ones; 2: capitals; anything else: empty text.
GbText collectLetters(const GbText& text, int letterKind);
// Neither an ASCII digit, an ASCII letter of either case nor in U+4E00..U+9FA5.
GbText collectSymbols(const GbText& text);
GbText collectDigits(const GbText& text);

// Line feeds, plus one when the text does not end in one; 0 for empty text.
std::size_t countParagraphs(const GbText& text);

// The text without its CR LF pairs, then without its ASCII spaces (lone CR or LF, tabs and
// the full-width space stay).
GbText withoutLineBreaksAndSpaces(const GbText& text);

// The counts through the four collectors.
TextCounts countWithCollectors(const GbText& text);
// The same counts, in one pass for text the editor produces, through the collectors for
// anything else.
TextCounts countText(const GbText& text);

// The editor's text-changed handler: live count, detailed count, keystroke backup and the
// daily volume markers.
void onEditorTextChanged(App& app);
// Shows the page of the settings panel that holds the detailed count.
void openDetailedCount(App& app);

void wireTextStatistics(App& app);

} // namespace penlark
