#pragma once

#include "text/gb_text.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace penlark {

enum class SettingsLocation {
    ProgramDirectory,  // setting.ini beside the program: every setting and marker
    WorkingDirectory,  // setting.ini in the current working directory: the points balance only
};

struct FileAttributes {
    bool readOnly = false;
    bool hidden = false;  // no meaning on POSIX; kept for Windows
    bool system = false;  // no meaning on POSIX; kept for Windows
};

// The INI file "setting.ini", read and written at the moment a value is needed; nothing is
// cached, so two reads see whatever was written in between. Values are code page 936 text.
// Failures are silent: a missing file, section or key reads as empty text, a failed write is
// lost. Writes replace the file atomically, so a crash or a full disk never leaves it
// truncated.
class SettingsStore {
public:
    explicit SettingsStore(std::filesystem::path programDirectory);

    GbText readValue(SettingsLocation location, const GbText& section, const GbText& key) const;
    // readValue followed by the text-to-integer rule; absent or malformed gives 0.
    std::int32_t readNumber(SettingsLocation location, const GbText& section, const GbText& key) const;
    // Replaces an existing key in place, appends a new key at the end of its section, a new
    // section at the end of the file, and creates a missing file. A read-only file is left
    // as it is.
    void writeValue(SettingsLocation location, const GbText& section, const GbText& key, const GbText& value);
    void writeNumber(SettingsLocation location, const GbText& section, const GbText& key, std::int64_t value)
    {
        writeValue(location, section, key, textFromInt(value));
    }
    // Read-only maps to the write-permission bits.
    void setAttributes(SettingsLocation location, FileAttributes attributes);
    FileAttributes attributes(SettingsLocation location) const;
    bool exists(SettingsLocation location) const;

    // The full path, built anew at each call (the working directory may change).
    std::filesystem::path pathOf(SettingsLocation location) const;
    const std::filesystem::path& programDirectory() const { return programDirectory_; }

    ~SettingsStore();
    SettingsStore(SettingsStore&&) noexcept;

private:
    struct ParsedFiles;
    // The file's lines, parsed again only when the file on disk is no longer the one parsed
    // last (another inode, size or modification time), so every read still sees every write.
    const std::vector<std::string>& linesOf(const std::filesystem::path& path, bool& exists) const;

    std::filesystem::path programDirectory_;
    mutable std::unique_ptr<ParsedFiles> parsed_;
};

} // namespace penlark
