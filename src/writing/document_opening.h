#pragma once

#include "text/gb_text.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace penlark {

struct App;

// The open button and the WAV panel's "打开wav文件": the open dialog, then a document
// becomes a session, a WAV file plays, anything else is ignored.
void openWithDialog(App& app);

// A drop on the main window. `pathText` is what the drop delivers: one path, or every path
// of a multiple drop followed by CR LF (whose extension then matches nothing).
void openDroppedFile(App& app, const std::filesystem::path& pathText);

// The drop's text for the paths of one drop, joined on the native bytes, never converted.
std::filesystem::path droppedPathText(const std::vector<std::filesystem::path>& paths);

// The piece after the last "." of the path, the whole path when it has none; compared with
// "txt", "plk" and "wav" exactly (case-sensitive).
std::string fileExtension(const std::filesystem::path& path);

// The file name without folder, cut before its first ".". Taken from the native path, so no
// byte of a multi-byte character is ever taken for a separator.
GbText titleFromPath(const std::filesystem::path& path);

// Makes a text document the subject of a new session: the title from its name, the editor
// filled with its text, its encoding remembered for saving over it.
void loadDocument(App& app, const std::filesystem::path& path);

// The document's text as loadDocument shows it (empty when the file cannot be read), to tell
// whether the editor still holds what is on disk.
GbText documentFileText(App& app, const std::filesystem::path& path);

// The bytes to write when the session's text is saved over the document it was opened
// from: in the document's own encoding. A document that could not be shown whole asks
// first; nothing (no write) when the writer declines.
std::optional<std::string> encodeDocumentForSave(App& app, const GbText& text);

void wireDocumentOpening(App& app);

} // namespace penlark
