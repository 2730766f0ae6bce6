#pragma once

#include "text/gb_text.h"

namespace penlark {

// An edit widget holds the text as UTF-16 with one unit per line break, while the program
// counts code page 936 bytes with CR LF. These map caret positions between the two:
// CR LF is one unit, a lone CR or LF one unit, a one- or two-byte character one unit, and a
// four-byte character one unit or, outside the Basic Multilingual Plane, two.
// Positions past the end map to the end; a byte position inside a character or between CR
// and LF maps to the start of that character or pair.
int widgetPositionOfByte(const GbText& text, int bytePosition);
int bytePositionOfWidget(const GbText& text, int widgetPosition);

// The editor's text as the widget shows it (line breaks as LF) and back (every line break,
// LF or a lone CR, becomes CR LF).
std::u16string widgetTextOf(const GbText& text);
GbText textOfWidget(std::u16string_view widgetText);

} // namespace penlark
