#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace penlark {

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
                                                           std::string_view bytes) = 0;
};

class RealFileSystem final : public FileSystem {
public:
    std::optional<std::string> readFile(const std::filesystem::path& path) override;
    std::optional<std::string> writeFileAtomically(const std::filesystem::path& path,
                                                   std::string_view bytes) override;
};

// The same, as free functions, for code that needs no test seam (the settings store).
std::optional<std::string> readWholeFile(const std::filesystem::path& path);
std::optional<std::string> writeWholeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace penlark
