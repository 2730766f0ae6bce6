#include "audio/wav_player.h"

#include "app/app.h"
#include "writing/document_opening.h"

namespace penlark {

namespace {

const GbText& programTitle() { return "Penlark"_gb; }

GbText withDetail(const std::string& detail)
{
    return detail.empty() ? GbText() : "（"_gb + GbText::fromUtf8(detail) + "）"_gb;
}

void reportFailure(App& app, const AudioResult& result, const std::filesystem::path& path)
{
    if (result.ok()) return;
    app.ui.messageBox(playbackFailureMessage(result, path), mb::Ok | mb::IconWarning, programTitle());
}

} // namespace

GbText playbackFailureMessage(const AudioResult& result, const std::filesystem::path& path)
{
    const GbText name = GbText::fromUtf8(path.filename().string());
    const GbText detail = withDetail(result.detail);
    switch (result.fault) {
    case AudioFault::None: return {};
    case AudioFault::FileUnreadable: return "无法播放：找不到这个文件，或者没有权限读取它。\r\n"_gb + name;
    case AudioFault::NotWav: return "无法播放：这个文件不是wav音频文件"_gb + detail + "。\r\n"_gb + name;
    case AudioFault::Damaged: return "无法播放：这个wav文件已经损坏或不完整"_gb + detail + "。\r\n"_gb + name;
    case AudioFault::UnsupportedFormat:
        return "无法播放：不支持这个wav文件的声音格式"_gb + detail + "。\r\n支持PCM（8/16/24/32位）和32/64位浮点的wav文件。\r\n"_gb + name;
    case AudioFault::NoDevice: return "无法播放：没有找到可用的声音输出设备。"_gb;
    case AudioFault::DeviceFailed: return "无法播放：声音设备出错"_gb + detail + "。"_gb;
    case AudioFault::WriteFailed: break;
    }
    return "无法播放"_gb + detail + "。"_gb;
}

void playWavFile(App& app, const std::filesystem::path& path)
{
    app.view.setVisible("wav播放器", true);
    AudioResult result;
    if (app.audio != nullptr) {
        result = app.audio->openMedia(path);
        if (result.ok()) result = app.audio->play();
    }
    app.state.wavPlayerState = 1;
    app.view.setText("wav地址", titleFromPath(path));
    reportFailure(app, result, path);
}

void togglePlayPause(App& app)
{
    AppState& state = app.state;
    if (state.wavPlayerState == 1) {
        if (app.audio != nullptr) app.audio->pause();
        state.wavPlayerState = 2;
    } else if (state.wavPlayerState == 2) {
        AudioResult result;
        if (app.audio != nullptr && app.audio->playbackState() != PlaybackState::Closed) result = app.audio->play();
        state.wavPlayerState = 1;
        if (!result.ok()) {
            app.ui.messageBox(playbackFailureMessage(result, {}), mb::Ok | mb::IconWarning, programTitle());
        }
    }
}

void stopWav(App& app)
{
    if (app.audio != nullptr) {
        app.audio->stopPlayback();
        app.audio->closeMedia();
    }
    app.view.setVisible("wav播放器", false);
    app.view.setText("wav地址", "wav文件未打开"_gb);
}

void wireWavPlayer(App& app)
{
    app.view.on("音乐相关2", EventKind::Clicked, [&app](Event&) { togglePlayPause(app); });
    app.view.on("音乐相关3", EventKind::Clicked, [&app](Event&) { stopWav(app); });
}

} // namespace penlark
