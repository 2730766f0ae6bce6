#pragma once

#include "text/gb_text.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace penlark {

struct App;

// While "自动保存" is checked and a session is in progress, writes the editor's text to the
// title's backup file beside the program. Failures are silent; the next edit tries again.
void backUpEditorText(App& app);

// Writes today's stamp to each volume marker whose threshold the editor's text passes,
// unless the text came from an opened document.
void markDailyVolume(App& app);

// The text's length in characters for the volume tasks: bytes without ASCII spaces, halved.
// Line breaks stay in, a CR LF pair counting as one character.
std::int64_t volumeCount(const GbText& text);

// "<title>.txt" directly in the program's directory, or nothing when the title is not a
// plain file name (it holds a slash, a backslash or a zero byte). An empty title gives
// ".txt".
std::optional<std::filesystem::path> backupPathFor(const std::filesystem::path& programDirectory,
                                                   const GbText& title);

} // namespace penlark
