// The editor's text-changed handler runs over the whole text at every keystroke. Measured
// against copying the same bytes once, with the detailed count shown and the four volume
// markers already set for today, so that each run reads them and writes none.

#include "app/app.h"
#include "app/day_stamp.h"
#include "stats/text_statistics.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace penlark {
namespace {

class QuietUi final : public UiServices {
public:
    int messageBox(const GbText&, int, const GbText&) override { return answer::Ok; }
    std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::filesystem::path> browseForFolder(const GbText&) override { return {}; }
    void openUrl(const std::string&) override {}
    GbText clipboardText() override { return {}; }
    void setClipboardText(const GbText&) override {}
    void setTrayIcon(Picture, const GbText&) override {}
    bool runProgram(const std::string&) override { return false; }
    GbText currentUserName() override { return {}; }
    void showWindow(View&) override {}
    void hideWindow(View&, bool) override {}
};

class FixedClock final : public Clock {
public:
    LocalDateTime now() const override { return {2015, 9, 1, 8, 5, 3}; }
};

// Prose as a writer types it: mostly Chinese, some Latin words and digits, full-width and
// ASCII punctuation, a paragraph break every forty characters or so.
GbText mixedText(std::size_t characters)
{
    std::mt19937 random(936);
    std::u16string units;
    units.reserve(characters + 8);
    const char16_t punctuation[] = u"，。、；：？！“”（）《》";
    while (units.size() < characters) {
        const unsigned roll = random() % 100;
        if (roll < 70) {
            units += static_cast<char16_t>(0x4E00 + random() % (0x9FA5 - 0x4E00));
        } else if (roll < 82) {
            units += static_cast<char16_t>((random() % 2 ? u'a' : u'A') + random() % 26);
        } else if (roll < 86) {
            units += static_cast<char16_t>(u'0' + random() % 10);
        } else if (roll < 90) {
            units += u' ';
        } else if (roll < 97) {
            units += punctuation[random() % (sizeof punctuation / sizeof punctuation[0] - 1)];
        } else if (roll < 98) {
            units += u"\r\n";
        } else {
            units += static_cast<char16_t>(u'!' + random() % 15);
        }
    }
    units.resize(characters);
    if (!units.empty() && units.back() == u'\r') units.back() = u'.';
    return GbText::fromUtf16(units);
}

struct Bench {
    std::filesystem::path directory;
    SettingsStore settings;
    QuietUi ui;
    FixedClock clock;
    RealFileSystem files;
    std::unique_ptr<App> app;

    explicit Bench(bool backup)
        : directory(std::filesystem::temp_directory_path() / ("penlark-bench-" + std::to_string(::getpid()))),
          settings((std::filesystem::create_directories(directory), directory))
    {
        app = std::make_unique<App>(settings, ui, clock, files);
        for (const GbText* key : {&"1000字"_gb, &"8000字"_gb, &"20000字"_gb, &"100000字"_gb}) {
            settings.writeValue(SettingsLocation::ProgramDirectory, "软件设置"_gb, *key, todayStamp(clock));
        }
        app->state.pointsBalance = 10;
        // A session in progress titled 第一章; the backup goes beside the program when checked.
        app->view.setText("章节名称", "第一章"_gb);
        app->view.setEnabled("章节名称", false);
        app->view.setEnabled("编辑框1", true);
        app->view.setChecked("自动保存", backup);
    }
    ~Bench()
    {
        std::error_code error;
        std::filesystem::remove_all(directory, error);
    }
};

void handler(benchmark::State& state, bool backup)
{
    Bench bench(backup);
    const GbText text = mixedText(static_cast<std::size_t>(state.range(0)));
    bench.app->view.setText("编辑框1", text);  // nothing is wired: only the loop below runs the handler
    for (auto _ : state) {
        onEditorTextChanged(*bench.app);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["bytes"] = static_cast<double>(text.size());
}

void BM_EditorTextChanged(benchmark::State& state) { handler(state, false); }
void BM_EditorTextChanged_Backup(benchmark::State& state) { handler(state, true); }

// The floor: the same bytes copied once.
void BM_CopyFloor(benchmark::State& state)
{
    const GbText text = mixedText(static_cast<std::size_t>(state.range(0)));
    std::string target(text.size(), '\0');
    for (auto _ : state) {
        std::memcpy(target.data(), text.bytes().data(), text.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The counts alone, the one-pass way and through the four pattern-matcher collectors.
void BM_CountText(benchmark::State& state)
{
    const GbText text = mixedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(countText(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_CountWithCollectors(benchmark::State& state)
{
    const GbText text = mixedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(countWithCollectors(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(BM_CopyFloor)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorTextChanged)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorTextChanged_Backup)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountText)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountWithCollectors)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace penlark
