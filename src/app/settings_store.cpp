#include "app/settings_store.h"

#include "app/files.h"
#include "text/gb_codec.h"

#include <sys/stat.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace penlark {

namespace {

const char* const kFileName = "setting.ini";

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// Section and key names compare as Windows profiles do: ASCII letters ignore case.
bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The file as lines without their line ends. A hand-edited file saved as UTF-8 with a
// byte-order mark is read as UTF-8 and kept in code page 936 from then on.
std::vector<std::string> readLines(const std::filesystem::path& path, bool& exists)
{
    std::vector<std::string> lines;
    std::optional<std::string> bytes = readWholeFile(path);
    exists = bytes.has_value();
    if (!bytes) return lines;
    if (bytes->starts_with("\xEF\xBB\xBF")) *bytes = encodeGbFromUtf8(std::string_view(*bytes).substr(3));
    std::size_t start = 0;
    while (start < bytes->size()) {
        std::size_t end = bytes->find('\n', start);
        if (end == std::string::npos) end = bytes->size();
        std::string line = bytes->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trimmed(line);
    if (!line.starts_with('[')) return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

bool isComment(std::string_view line)
{
    line = trimmed(line);
    return line.starts_with(';') || line.starts_with('#');
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line)
{
    if (isComment(line)) return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

// Where a key stands: the section's header line, the key's line, and the section's last
// line that is not blank. Indexes are -1 where absent.
struct Position {
    long section = -1;
    long key = -1;
    long sectionEnd = -1;
};

Position locate(const std::vector<std::string>& lines, std::string_view section, std::string_view key)
{
    Position found;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (inside) break;  // the first section of that name is the one that counts
            inside = sameName(*name, section);
            if (inside) found.section = found.sectionEnd = static_cast<long>(i);
            continue;
        }
        if (!inside) continue;
        if (!trimmed(lines[i]).empty()) found.sectionEnd = static_cast<long>(i);
        const auto entry = keyLine(lines[i]);
        if (found.key < 0 && entry && sameName(entry->key, key)) found.key = static_cast<long>(i);
    }
    return found;
}

// Values and names are single lines; a line break inside one would split the file.
std::string singleLine(const GbText& text)
{
    std::string line = text.bytes();
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return line;
}

} // namespace

struct SettingsStore::ParsedFiles {
    struct Entry {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        std::int64_t modifiedNs = 0;
        std::vector<std::string> lines;
    };
    std::map<std::string, Entry> entries;
    std::vector<std::string> none;
};

SettingsStore::SettingsStore(std::filesystem::path programDirectory)
    : programDirectory_(std::move(programDirectory)), parsed_(std::make_unique<ParsedFiles>())
{
}

SettingsStore::~SettingsStore() = default;
SettingsStore::SettingsStore(SettingsStore&&) noexcept = default;

const std::vector<std::string>& SettingsStore::linesOf(const std::filesystem::path& path, bool& exists) const
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        parsed_->entries.erase(path.string());
        exists = false;
        return parsed_->none;
    }
    const std::int64_t modifiedNs = std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
    ParsedFiles::Entry& entry = parsed_->entries[path.string()];
    if (!entry.lines.empty() && entry.device == status.st_dev && entry.inode == status.st_ino &&
        entry.size == status.st_size && entry.modifiedNs == modifiedNs) {
        exists = true;
        return entry.lines;
    }
    entry.lines = readLines(path, exists);
    if (!exists) {
        parsed_->entries.erase(path.string());
        return parsed_->none;
    }
    entry.device = status.st_dev;
    entry.inode = status.st_ino;
    entry.size = status.st_size;
    entry.modifiedNs = modifiedNs;
    return entry.lines;
}

std::filesystem::path SettingsStore::pathOf(SettingsLocation location) const
{
    if (location == SettingsLocation::ProgramDirectory) return programDirectory_ / kFileName;
    std::error_code error;
    std::filesystem::path working = std::filesystem::current_path(error);
    if (error) working = ".";
    return working / kFileName;
}

bool SettingsStore::exists(SettingsLocation location) const
{
    std::error_code error;
    return std::filesystem::is_regular_file(pathOf(location), error);
}

GbText SettingsStore::readValue(SettingsLocation location, const GbText& section, const GbText& key) const
{
    bool exists = false;
    const std::vector<std::string>& lines = linesOf(pathOf(location), exists);
    const Position position = locate(lines, section.bytes(), key.bytes());
    if (position.key < 0) return {};
    return GbText::fromBytes(std::string(keyLine(lines[static_cast<std::size_t>(position.key)])->value));
}

std::int32_t SettingsStore::readNumber(SettingsLocation location, const GbText& section, const GbText& key) const
{
    return intFromText(readValue(location, section, key));
}

void SettingsStore::writeValue(SettingsLocation location, const GbText& section, const GbText& key,
                               const GbText& value)
{
    const std::filesystem::path path = pathOf(location);
    if (exists(location) && attributes(location).readOnly) return;

    // A file that is there but cannot be read is left alone: rewriting it from nothing would
    // lose every other setting and the balance.
    bool readable = false;
    std::vector<std::string> lines = linesOf(path, readable);
    std::error_code error;
    if (!readable && std::filesystem::symlink_status(path, error).type() != std::filesystem::file_type::not_found)
        return;
    const std::string keyName = singleLine(key);
    const std::string entry = keyName + "=" + singleLine(value);
    const Position position = locate(lines, section.bytes(), keyName);
    if (position.key >= 0) {
        lines[static_cast<std::size_t>(position.key)] = entry;
    } else if (position.section >= 0) {
        lines.insert(lines.begin() + position.sectionEnd + 1, entry);
    } else {
        while (!lines.empty() && trimmed(lines.back()).empty()) lines.pop_back();
        lines.push_back("[" + singleLine(section) + "]");
        lines.push_back(entry);
    }

    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    writeWholeFileAtomically(path, bytes);
}

void SettingsStore::setAttributes(SettingsLocation location, FileAttributes attributes)
{
    const std::filesystem::path path = pathOf(location);
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return;
    mode_t mode = status.st_mode & 07777;
    mode = attributes.readOnly ? (mode & ~mode_t{0222}) : (mode | S_IWUSR);
    ::chmod(path.c_str(), mode);
}

FileAttributes SettingsStore::attributes(SettingsLocation location) const
{
    FileAttributes result;
    struct stat status {};
    if (::stat(pathOf(location).c_str(), &status) != 0) return result;
    result.readOnly = (status.st_mode & 0222) == 0;
    return result;
}

} // namespace penlark
