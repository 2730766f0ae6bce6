#pragma once

#include <string>
#include <string_view>

namespace penlark {

// Conversion between code page 936 bytes and Unicode, through ICU's Windows code page 936
// table (0x80 is the euro sign). A character the code page lacks is written in its GB18030
// four-byte form, and such four-byte sequences decode back to the character; nothing is
// ever replaced by "?". Bytes that are not valid in either become U+FFFD when decoded.
std::string encodeGbFromUtf16(std::u16string_view utf16);
std::string encodeGbFromUtf8(std::string_view utf8);
std::u16string decodeGbToUtf16(std::string_view bytes);
std::string decodeGbToUtf8(std::string_view bytes);

// UTF-8 <-> UTF-16 for the platform edge; invalid UTF-8 becomes U+FFFD.
std::u16string utf16FromUtf8(std::string_view utf8);
std::string utf8FromUtf16(std::u16string_view utf16);

} // namespace penlark
