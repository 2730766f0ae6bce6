#pragma once

#include "app/app.h"
#include "scripted_ui.h"

#include <filesystem>
#include <memory>

namespace penlark::test {

class FixedClock : public Clock {
public:
    LocalDateTime time{2015, 9, 1, 8, 5, 3};
    LocalDateTime now() const override { return time; }
};

// A temporary folder of the test's own, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Changes the working directory for the lifetime of the object.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& path);
    ~WorkingDirectory();

private:
    std::filesystem::path previous_;
};

// A whole program over a temporary program directory, with scripted services and a fixed
// clock. The working directory is the program directory unless a test changes it.
struct TestApp {
    TempDir programDir;
    WorkingDirectory cwd{programDir.path()};
    SettingsStore settings{programDir.path()};
    ScriptedUi ui;
    FixedClock clock;
    RealFileSystem files;
    std::unique_ptr<App> app;

    TestApp();
    // Raises the main window's created event, as the binding does when the window is built.
    void start();
    // Raises the will-be-destroyed event.
    void stop();
    MainView& view() { return app->view; }
    AppState& state() { return app->state; }
    GbText setting(const char* section, const char* key) const;
    void writeSetting(const char* section, const char* key, const char* value);
};

// Writes bytes to a file, for fixtures.
void writeBytes(const std::filesystem::path& path, std::string_view bytes);
std::string readBytes(const std::filesystem::path& path);

} // namespace penlark::test
