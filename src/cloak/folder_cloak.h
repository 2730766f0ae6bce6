#pragma once

#include "text/gb_text.h"

#include <filesystem>
#include <optional>
#include <string>

namespace penlark {

// Appended to a folder's name, this makes the Windows shell show the folder as a link to
// My Computer; removing it restores the folder. 39 bytes.
const GbText& cloakSuffix();

// What the folder tool may do with a path, by the first rule that applies.
enum class FolderVerdict {
    NoPath,     // empty
    DriveRoot,  // ends in ":\" (a Windows drive root), or is the file-system root "/"
    ReadOnly,   // read-only, or its attributes cannot be read (it does not exist)
    Cloaked,    // ends in the suffix, compared byte for byte
    Cloakable,
};
FolderVerdict checkFolderPath(const GbText& path);

// Code page 936 path text <-> native path.
std::filesystem::path pathFromText(const GbText& text);
GbText textFromPath(const std::filesystem::path& path);

// The path without the last occurrence of the suffix; nothing when the path holds none.
std::optional<GbText> restoredPath(const GbText& path);

// Renames one folder without ever replacing what already bears the new name, and only
// within the folder that contains it. Returns nothing on success, or why it failed, as a
// short text for the status box; on failure nothing has changed.
std::optional<GbText> renameFolder(const GbText& from, const GbText& to);

// "explorer.exe " followed by the path up to and including its last native separator, as
// UTF-8, with no quotation marks; the platform opens that folder in the file manager.
std::string parentFolderCommand(const GbText& path);

// The set-password box's text once it loses the focus: the decimal value of its leading
// integer, limited to 32 bits and without leading zeros, and empty for 0.
GbText normalisedPassword(const GbText& text);

} // namespace penlark
