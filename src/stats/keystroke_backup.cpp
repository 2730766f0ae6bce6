#include "stats/keystroke_backup.h"

#include "app/app.h"
#include "app/day_stamp.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace penlark {

namespace {

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) return true;
    // Either may not exist yet: compare where they would be.
    const std::filesystem::path left = std::filesystem::absolute(a, error).lexically_normal();
    const std::filesystem::path right = std::filesystem::absolute(b, error).lexically_normal();
    return left == right;
}

struct VolumeMarker {
    const GbText& key;
    std::int64_t threshold;
};

} // namespace

std::optional<std::filesystem::path> backupPathFor(const std::filesystem::path& programDirectory,
                                                   const GbText& title)
{
    const std::string name = title.toUtf8();
    if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos) return std::nullopt;
    return programDirectory / (name + ".txt");
}

void backUpEditorText(App& app)
{
    MainView& view = app.view;
    if (!view.checked("自动保存")) return;
    // Only a session's text is backed up. The idle view's closing notices are written while
    // the title is still there; copied, they would replace the backup (and the saved
    // document, which the save dialog proposes at the same path).
    if (view.enabled("章节名称")) return;

    const std::optional<std::filesystem::path> path =
        backupPathFor(app.settings.programDirectory(), view.text("章节名称"));
    if (!path) return;
    // A document opened from beside the program under its own title is saved only by the user.
    if (!app.state.documentPath.empty() && sameFile(*path, app.state.documentPath)) return;

    // A failure (a name the file system refuses, a read-only file) is skipped silently.
    app.files.writeFileAtomically(*path, view.text("编辑框1").bytes(), Flush::ToSystem);
}

std::int64_t volumeCount(const GbText& text)
{
    const std::string& bytes = text.bytes();
    const auto spaces = std::count(bytes.begin(), bytes.end(), ' ');
    return (static_cast<std::int64_t>(bytes.size()) - spaces) / 2;
}

void markDailyVolume(App& app)
{
    if (app.state.openedDocument) return;

    const VolumeMarker markers[] = {
        {"1000字"_gb, 1000}, {"8000字"_gb, 8000}, {"20000字"_gb, 20000}, {"100000字"_gb, 100000}};
    std::optional<std::int64_t> volume;  // computed only when a marker is not yet set today
    for (const VolumeMarker& marker : markers) {
        const GbText today = todayStamp(app.clock);
        if (app.settings.readValue(SettingsLocation::ProgramDirectory, "软件设置"_gb, marker.key) == today) continue;
        if (!volume) volume = volumeCount(app.view.text("编辑框1"));
        if (*volume > marker.threshold) {
            app.settings.writeValue(SettingsLocation::ProgramDirectory, "软件设置"_gb, marker.key, today);
        }
    }
}

} // namespace penlark
