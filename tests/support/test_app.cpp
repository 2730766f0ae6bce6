#include "test_app.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sys/stat.h>

namespace penlark::test {

TempDir::TempDir()
{
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() / ("penlark-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir()
{
    std::error_code error;
    // Read-only leftovers (setting.ini after a shut-down) must not stop the clean-up.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        ::chmod(it->path().c_str(), 0755);
    }
    std::filesystem::remove_all(path_, error);
}

WorkingDirectory::WorkingDirectory(const std::filesystem::path& path) : previous_(std::filesystem::current_path())
{
    std::filesystem::current_path(path);
}

WorkingDirectory::~WorkingDirectory()
{
    std::error_code error;
    std::filesystem::current_path(previous_, error);
}

TestApp::TestApp() : app(std::make_unique<App>(settings, ui, clock, files)) { wireMainWindow(*app); }

void TestApp::start() { app->view.raise("MainWindow", EventKind::Created); }

void TestApp::stop() { app->view.raise("MainWindow", EventKind::Destroying); }

GbText TestApp::setting(const char* section, const char* key) const
{
    return settings.readValue(SettingsLocation::ProgramDirectory, GbText::fromUtf8(section), GbText::fromUtf8(key));
}

void TestApp::writeSetting(const char* section, const char* key, const char* value)
{
    settings.writeValue(SettingsLocation::ProgramDirectory, GbText::fromUtf8(section), GbText::fromUtf8(key),
                        GbText::fromUtf8(value));
}

void writeBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace penlark::test
