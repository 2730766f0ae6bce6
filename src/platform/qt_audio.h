#pragma once

#include "audio/audio_services.h"

#include <QAudio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QObject>

#include <cstdint>
#include <memory>

class QAudioSink;
class QAudioSource;
class QIODevice;
class QTemporaryDir;

namespace penlark {

class DecodedWavStream;
class RecordingSpool;
class PcmConverter;

// AudioServices on Qt Multimedia. Playback: the file is checked by the WAV reader, decoded by
// libsndfile and fed as PCM to a QAudioSink on the default output, in a format the device
// takes. Capture: a QAudioSource on the default input, in the recording format when the
// device takes it and converted from its own format otherwise, spooled to a file in a
// private temporary folder as the samples arrive. Everything runs on the GUI thread's event
// loop; no call waits for the sound system.
class QtAudio final : public QObject, public AudioServices {
    Q_OBJECT

public:
    explicit QtAudio(QObject* parent = nullptr);
    ~QtAudio() override;

    AudioResult openMedia(const std::filesystem::path& path) override;
    AudioResult play() override;
    void pause() override;
    void stopPlayback() override;
    void closeMedia() override;
    PlaybackState playbackState() const override { return playback_; }

    AudioResult startRecording() override;
    AudioResult stopRecording() override;
    AudioResult saveRecording(const std::filesystem::path& path) override;
    bool isRecording() const override { return source_ != nullptr; }

    // For tests and diagnostics: how much of the open file the device has played, whether
    // the whole file has been handed to it, the format the output was opened in, the sample
    // bytes kept of the current or last recording, and the format the input delivers.
    qint64 playedMicroseconds() const;
    bool playedToEnd() const;
    QAudioFormat outputFormat() const { return outputFormat_; }
    std::uint64_t recordedBytes() const;
    QAudioFormat inputFormat() const { return inputFormat_; }

private:
    void sinkStateChanged(QAudio::State state);
    void sourceStateChanged(QAudio::State state);
    void drainCapture();
    void releaseSink();
    void releaseSource();
    RecordingSpool& spool();

    // Playback.
    QAudioDevice outputDevice_;
    QAudioFormat outputFormat_;
    std::unique_ptr<DecodedWavStream> stream_;
    QAudioSink* sink_ = nullptr;
    PlaybackState playback_ = PlaybackState::Closed;

    // Capture.
    std::unique_ptr<QTemporaryDir> spoolFolder_;
    std::unique_ptr<RecordingSpool> spool_;
    std::unique_ptr<PcmConverter> captureConverter_;
    QAudioFormat inputFormat_;
    QAudioSource* source_ = nullptr;
    QIODevice* captured_ = nullptr;  // owned by source_
    AudioResult captureFailure_;
};

} // namespace penlark
