#pragma once

#include "text/gb_text.h"

#include <cstdint>
#include <filesystem>

namespace penlark {

// How an opened document's bytes were written, so that saving over it writes them back the
// same way. Unrecognised: none of the others, or not wholly shown as text (a zero byte, bytes
// no encoding accepts); saving over it asks first.
enum class DocumentEncoding { CodePage936, Utf8, Utf8WithMark, Utf16LeWithMark, Utf16BeWithMark, Unrecognised };

// The program-wide record, never saved.
struct AppState {
    std::filesystem::path documentPath;  // the document the session edits; empty for a new text
    bool openedDocument = false;         // set by every open and drop; blocks the volume markers
    bool openingDocument = false;        // true only while a loaded document starts its session
    DocumentEncoding documentEncoding = DocumentEncoding::CodePage936;  // of documentPath
    bool documentLineFeeds = false;      // documentPath broke its lines with LF alone
    std::int32_t pointsBalance = 0;
    std::int32_t writingSeconds = 0;
    std::int32_t writingMinutes = 0;
    std::int32_t writingHours = 0;
    int wavPlayerState = 0;  // 0 no file, 1 playing, 2 paused
    bool recording = false;
    bool saveFailed = false;  // the last save's write failed; the session and its text remain
    GbText lastSearchText;
    bool replaceMatchCase = false;
};

} // namespace penlark
