#include "cloak/folder_cloak.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#if defined(__linux__)
#include <fcntl.h>
#endif

namespace penlark {

namespace {

constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

bool isFileSystemRoot(const GbText& path)
{
    return path.bytes().find_first_not_of('/') == std::string::npos;
}

// The folder that holds the named entry; a trailing separator does not make a new level.
std::filesystem::path containingFolder(const GbText& text)
{
    std::string bytes = text.bytes();
    while (bytes.size() > 1 && bytes.back() == kSeparator) bytes.pop_back();
    return pathFromText(GbText::fromBytes(bytes)).parent_path();
}

GbText describeFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "文件夹不存在"_gb;
    case EEXIST:
    case ENOTEMPTY:
        return "已有同名的文件或文件夹"_gb;
    case EACCES:
    case EPERM:
    case EROFS:
        return "没有权限"_gb;
    case EBUSY:
    case ETXTBSY:
        return "文件夹正在使用"_gb;
    case ENAMETOOLONG:
        return "名称过长"_gb;
    default:
        return "无法重命名"_gb;
    }
}

} // namespace

const GbText& cloakSuffix() { return ".{20D04FE0-3AEA-1069-A2D8-08002B30309D}"_gb; }

std::filesystem::path pathFromText(const GbText& text)
{
    const std::string utf8 = text.toUtf8();
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

GbText textFromPath(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return GbText::fromUtf8(std::string(utf8.begin(), utf8.end()));
}

FolderVerdict checkFolderPath(const GbText& path)
{
    if (path.empty()) return FolderVerdict::NoPath;
    if (path.endsWith(":\\"_gb) || isFileSystemRoot(path)) return FolderVerdict::DriveRoot;

    std::error_code error;
    const auto status = std::filesystem::status(pathFromText(path), error);
    if (error || !std::filesystem::exists(status)) return FolderVerdict::ReadOnly;
    // Read-only is the absence of every write-permission bit, as for setting.ini.
    using std::filesystem::perms;
    if ((status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none)
        return FolderVerdict::ReadOnly;

    if (path.endsWith(cloakSuffix())) return FolderVerdict::Cloaked;
    return FolderVerdict::Cloakable;
}

std::optional<GbText> restoredPath(const GbText& path)
{
    const std::size_t at = path.bytes().rfind(cloakSuffix().bytes());
    if (at == std::string::npos) return std::nullopt;
    return path.substr(0, at) + path.substr(at + cloakSuffix().size());
}

std::optional<GbText> renameFolder(const GbText& from, const GbText& to)
{
    // A hand-edited path could otherwise move the folder elsewhere instead of renaming it.
    if (containingFolder(from) != containingFolder(to)) return "新名称不在原文件夹中"_gb;

    const std::filesystem::path source = pathFromText(from);
    const std::filesystem::path target = pathFromText(to);
#if defined(__linux__)
    // POSIX rename would silently replace an empty folder of the new name; refuse instead.
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return std::nullopt;
    if (errno != EINVAL && errno != ENOSYS) return describeFailure(errno);
    // File systems without the no-replace flag fall through to a check and a plain rename.
#endif
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(target, error))) return describeFailure(EEXIST);
    std::filesystem::rename(source, target, error);
    if (error) return describeFailure(error.value());
    return std::nullopt;
}

std::string parentFolderCommand(const GbText& path)
{
    // Walk by characters, so the trail byte of a double-byte character never counts as a
    // separator.
    std::size_t end = 0;
    for (std::size_t i = 0; i < path.size(); i += charLengthAt(path, i)) {
        if (path.byteAt(i) == static_cast<unsigned char>(kSeparator)) end = i + 1;
    }
    return "explorer.exe " + path.substr(0, end).toUtf8();
}

GbText normalisedPassword(const GbText& text)
{
    const std::int32_t value = intFromText(text);
    return value == 0 ? GbText() : textFromInt(value);
}

} // namespace penlark
