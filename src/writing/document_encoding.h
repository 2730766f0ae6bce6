#pragma once

#include "app/app_state.h"
#include "text/gb_text.h"

#include <string>
#include <string_view>

namespace penlark {

// A document's bytes as the editor shows them, and how to write them back.
struct DecodedDocument {
    GbText text;
    DocumentEncoding encoding = DocumentEncoding::CodePage936;
    bool lineFeeds = false;  // line breaks were LF alone (no CR anywhere)
};

// Recognises, in this order: UTF-16 with a byte-order mark (either order), UTF-8 with a mark,
// UTF-8 without one when the bytes hold non-ASCII text and are valid UTF-8, and code page 936.
// A candidate counts only if it holds no zero character and its text converts back to the
// very same bytes; otherwise the document is Unrecognised and its text is what code page 936
// makes of the bytes before the first zero byte (as a plain text document always was).
DecodedDocument decodeDocument(std::string_view bytes);

// The bytes to write over a document of that encoding: the mark, then the text in that
// encoding. With `lineFeeds`, the editor's CR LF pairs go back to LF. Unrecognised and
// code page 936 documents get the text's own bytes.
std::string encodeDocument(const GbText& text, DocumentEncoding encoding, bool lineFeeds);

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

} // namespace penlark
