#include "audio/sound_recorder.h"

#include "app/app.h"
#include "app/day_stamp.h"
#include "audio/audio_services.h"
#include "audio/wav_header.h"

#include <string>

namespace penlark {

namespace {

const GbText& programTitle() { return "Penlark"_gb; }

GbText withDetail(const std::string& detail)
{
    return detail.empty() ? GbText() : "（"_gb + GbText::fromUtf8(detail) + "）"_gb;
}

// The recording goes on without sound when the input cannot be opened; saying so at once
// spares the writer a long dictation that was never heard.
void reportStartFailure(App& app, const AudioResult& result)
{
    if (result.ok()) return;
    GbText text;
    if (result.fault == AudioFault::NoDevice) {
        text = "没有找到可用的录音设备，这次录音不会录下声音。\r\n请连接麦克风后再试。"_gb;
    } else if (result.fault == AudioFault::WriteFailed) {
        text = "无法写入录音的临时文件"_gb + withDetail(result.detail) + "，这次录音不会录下声音。"_gb;
    } else {
        text = "录音设备无法打开"_gb + withDetail(result.detail) + "，这次录音不会录下声音。"_gb;
    }
    app.ui.messageBox(text, mb::Ok | mb::IconWarning, programTitle());
}

void startRecording(App& app)
{
    app.state.recording = true;
    app.view.setPicture("录音按钮", Picture::MicrophoneRecording);
    app.settings.writeValue(SettingsLocation::ProgramDirectory, "软件设置"_gb, "录音"_gb, todayStamp(app.clock));
    if (app.audio != nullptr) reportStartFailure(app, app.audio->startRecording());
}

// Where no sound system is bound nothing was captured: the file is the bare header.
AudioResult saveRecording(App& app, const std::filesystem::path& path)
{
    if (app.audio != nullptr) return app.audio->saveRecording(path);
    const auto header = recordingWavHeader(0);
    const std::optional<std::string> failure =
        app.files.writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(header.data()), header.size()));
    return failure ? AudioResult::failure(AudioFault::WriteFailed, *failure) : AudioResult::success();
}

void stopAndSave(App& app)
{
    app.state.recording = false;
    app.view.setPicture("录音按钮", Picture::Microphone);
    if (app.audio != nullptr) {
        const AudioResult stopped = app.audio->stopRecording();
        if (!stopped.ok()) {
            app.ui.messageBox("录音中途出错"_gb + withDetail(stopped.detail) + "，出错之前录下的声音仍然可以保存。"_gb,
                              mb::Ok | mb::IconWarning, programTitle());
        }
    }

    const Control& dialog = app.view.control("通用对话框3");
    FileDialogRequest request;
    request.initialDirectory = app.settings.programDirectory();
    request.proposedName = std::filesystem::path(proposedRecordingName(app.clock.now()).toUtf8());
    request.filter = dialog.filter;
    // The file is WAV whatever its name; a name typed without an extension gets the right one.
    request.defaultExtension = "wav"_gb;
    const std::optional<std::filesystem::path> chosen = app.ui.saveFileDialog(request);
    if (!chosen) return;

    const AudioResult saved = saveRecording(app, *chosen);
    if (!saved.ok()) {
        app.ui.messageBox("录音保存失败，文件没有写入：\r\n"_gb + GbText::fromUtf8(chosen->string()) + "\r\n"_gb +
                              GbText::fromUtf8(saved.detail),
                          mb::Ok | mb::IconError, programTitle());
    }
}

} // namespace

GbText proposedRecordingName(const LocalDateTime& date)
{
    return textFromInt(date.year) + "年"_gb + textFromInt(date.month) + "月"_gb + textFromInt(date.day) +
           "日by：Penlark录音"_gb;
}

void toggleRecording(App& app)
{
    if (app.state.recording) {
        stopAndSave(app);
    } else {
        startRecording(app);
    }
}

void wireSoundRecorder(App& app)
{
    app.view.on("录音按钮", EventKind::LeftButtonDown, [&app](Event&) { toggleRecording(app); });
}

} // namespace penlark
