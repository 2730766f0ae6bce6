#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace penlark {

// Whether a write waits until the bytes are on the disk. A document does; the keystroke
// backup, rewritten at every key, only needs to survive a crash of the program.
enum class Flush { ToDisk, ToSystem };

// Whole-file access for documents, backups and recordings.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The file's bytes, or nothing when it cannot be read.
    virtual std::optional<std::string> readFile(const std::filesystem::path& path) = 0;
    // Writes a temporary file beside the target and renames it over the target, keeping the
    // target's permissions, so the old version survives a crash or a full disk whole.
    // On failure nothing is changed and the reason is returned.
    virtual std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                                           std::string_view bytes, Flush flush = Flush::ToDisk) = 0;
};

class RealFileSystem final : public FileSystem {
public:
    std::optional<std::string> readFile(const std::filesystem::path& path) override;
    std::optional<std::string> writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                                   Flush flush = Flush::ToDisk) override;
};

// The same, as free functions, for code that needs no test seam (the settings store).
std::optional<std::string> readWholeFile(const std::filesystem::path& path);
std::optional<std::string> writeWholeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                                    Flush flush = Flush::ToDisk);

} // namespace penlark
