#include "app/files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>

namespace penlark {

std::optional<std::string> readWholeFile(const std::filesystem::path& path)
{
    // A folder, a device or a read error is "cannot be read", never an exception; a named pipe
    // must not block the program (O_NONBLOCK does nothing to a regular file).
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

std::optional<std::string> writeWholeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                                    Flush flush)
{
    const std::filesystem::path directory = path.has_parent_path() ? path.parent_path() : ".";
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) return "文件夹不存在：" + directory.string();
    if (std::filesystem::is_directory(path, error)) return "同名文件夹已经存在：" + path.string();

    // Keep the target's permissions; a new file gets the usual ones.
    mode_t mode = 0666;
    struct stat existing {};
    const bool targetExists = ::stat(path.c_str(), &existing) == 0;
    if (targetExists) mode = existing.st_mode & 07777;
    if (targetExists && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return "文件是只读的：" + path.string();

    std::random_device seed;
    std::string temporaryName = ".";
    temporaryName += path.filename().string();
    temporaryName += ".tmp";
    temporaryName += std::to_string(seed() % 1000000);
    const std::filesystem::path temporary = directory / temporaryName;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, targetExists ? 0600 : mode);
    if (fd < 0) return std::string("无法写入：") + std::strerror(errno);

    auto fail = [&](int code) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return std::optional<std::string>(std::string("无法写入：") + std::strerror(code));
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (targetExists && ::fchmod(fd, mode) != 0) return fail(errno);
    if (flush == Flush::ToDisk && ::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return std::string("无法写入：") + std::strerror(code);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return std::string("无法写入：") + std::strerror(code);
    }
    return std::nullopt;
}

std::optional<std::string> RealFileSystem::readFile(const std::filesystem::path& path) { return readWholeFile(path); }

std::optional<std::string> RealFileSystem::writeFileAtomically(const std::filesystem::path& path,
                                                               std::string_view bytes, Flush flush)
{
    return writeWholeFileAtomically(path, bytes, flush);
}

} // namespace penlark
