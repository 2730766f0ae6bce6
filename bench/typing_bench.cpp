// Typing one character into a long document in the real window: from the input event to the
// status bar showing the new count, including the repaint that follows.
#include "app/app.h"
#include "platform/form_binding.h"
#include "platform/form_widgets.h"
#include "platform/qt_ui_services.h"
#include "test_app.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

namespace {

using namespace penlark;

GbText mixedText(std::size_t characters)
{
    const std::string unit = "春眠不觉晓，处处闻啼鸟。Spring sleep 2015 年。";
    std::string utf8;
    while (utf8.size() < characters * 2) utf8 += unit + (utf8.size() % 4000 < 60 ? "\n" : "");
    return GbText::fromUtf8(utf8).substr(0, characters * 2);
}

void typingOneCharacter(benchmark::State& state)
{
    test::TempDir programDir;
    test::WorkingDirectory cwd(programDir.path());
    SettingsStore settings(programDir.path());
    QtUiServices ui;
    test::FixedClock clock;
    RealFileSystem files;
    App app(settings, ui, clock, files);
    wireMainWindow(app);
    FormBinding binding(app.view);
    ui.setMainWindow(binding.window(), &app.view);
    app.view.raise("MainWindow", EventKind::Created);
    binding.window()->show();
    app.state.pointsBalance = 10;  // the detailed count runs too

    app.view.setText("章节名称", GbText::fromUtf8("长篇"));
    app.view.userClick("开始书写按钮");
    app.view.setText("编辑框1", mixedText(static_cast<std::size_t>(state.range(0))));
    auto* editor = qobject_cast<QPlainTextEdit*>(binding.widget("编辑框1"));
    auto* status = dynamic_cast<StatusBarWidget*>(binding.widget("状态条1"));
    editor->setFocus();
    editor->moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();

    for (auto _ : state) {
        QInputMethodEvent event;
        event.setCommitString(QStringLiteral("字"));
        QApplication::sendEvent(editor, &event);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(status->panelText(0));
    }
    app.view.setEnabled("编辑框1", false);  // no save question when the window goes
}
BENCHMARK(typingOneCharacter)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    penlark::initPlatformResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
