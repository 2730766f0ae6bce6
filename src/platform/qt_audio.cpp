#include "platform/qt_audio.h"

#include "audio/pcm_convert.h"
#include "audio/recording_spool.h"
#include "audio/wav_header.h"
#include "audio/wav_reader.h"

#include <QAudioSink>
#include <QAudioSource>
#include <QDir>
#include <QIODevice>
#include <QMediaDevices>
#include <QTemporaryDir>

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace penlark {

namespace {

const char* errorName(QAudio::Error error)
{
    switch (error) {
    case QAudio::NoError: return "NoError";
    case QAudio::OpenError: return "OpenError";
    case QAudio::IOError: return "IOError";
    case QAudio::UnderrunError: return "UnderrunError";
    case QAudio::FatalError: return "FatalError";
    }
    return "unknown error";
}

SampleKind kindOf(QAudioFormat::SampleFormat format)
{
    switch (format) {
    case QAudioFormat::UInt8: return SampleKind::UInt8;
    case QAudioFormat::Int32: return SampleKind::Int32;
    case QAudioFormat::Float: return SampleKind::Float;
    default: return SampleKind::Int16;
    }
}

PcmLayout layoutOf(const QAudioFormat& format)
{
    return {format.sampleRate(), format.channelCount(), kindOf(format.sampleFormat())};
}

QAudioFormat formatOf(int rate, int channels, QAudioFormat::SampleFormat sampleFormat)
{
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(sampleFormat);
    return format;
}

// The file's own rate and (up to two) channels in float or 16-bit when the device takes
// them, otherwise the device's own format; the stream converts either way.
QAudioFormat outputFormatFor(const QAudioDevice& device, int rate, int channels)
{
    const int wanted = std::clamp(channels, 1, 2);
    for (const auto sampleFormat : {QAudioFormat::Float, QAudioFormat::Int16}) {
        const QAudioFormat format = formatOf(rate, wanted, sampleFormat);
        if (device.isFormatSupported(format)) return format;
    }
    QAudioFormat preferred = device.preferredFormat();
    if (!preferred.isValid()) preferred = formatOf(48000, 2, QAudioFormat::Int16);
    return preferred;
}

} // namespace

// A WAV file decoded by libsndfile as the sink asks for it, converted to the sink's format.
// Reading never blocks for long: a few thousand frames at a time.
class DecodedWavStream final : public QIODevice {
public:
    DecodedWavStream(SNDFILE* file, const SF_INFO& info, const PcmLayout& output)
        : file_(file),
          channels_(std::max(info.channels, 1)),
          converter_({info.samplerate, channels_, SampleKind::Float}, output),
          buffer_(static_cast<std::size_t>(kChunkFrames) * static_cast<std::size_t>(channels_))
    {
    }
    ~DecodedWavStream() override
    {
        close();
        sf_close(file_);
    }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override
    {
        return static_cast<qint64>(pending_.size() - at_) + (finished_ ? 0 : kChunkFrames) + QIODevice::bytesAvailable();
    }
    bool atEnd() const override { return finished_ && at_ == pending_.size(); }
    bool finished() const { return atEnd(); }

    // Back to the first sample, as after opening.
    void rewind()
    {
        sf_seek(file_, 0, SEEK_SET);
        converter_.reset();
        pending_.clear();
        at_ = 0;
        finished_ = false;
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const auto wanted = static_cast<std::size_t>(std::max<qint64>(maxSize, 0));
        while (pending_.size() - at_ < wanted && !finished_) decodeMore();
        const std::size_t count = std::min(wanted, pending_.size() - at_);
        std::memcpy(data, pending_.data() + at_, count);
        at_ += count;
        if (at_ == pending_.size()) {
            pending_.clear();
            at_ = 0;
        }
        return static_cast<qint64>(count);
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    static constexpr int kChunkFrames = 4096;

    void decodeMore()
    {
        if (at_ > 0) {
            pending_.erase(0, at_);
            at_ = 0;
        }
        const sf_count_t frames = sf_readf_float(file_, buffer_.data(), kChunkFrames);
        if (frames <= 0) {
            finished_ = true;
            return;
        }
        converter_.convert(reinterpret_cast<const char*>(buffer_.data()),
                           static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels_) * sizeof(float),
                           pending_);
    }

    SNDFILE* file_;
    int channels_;
    PcmConverter converter_;
    std::vector<float> buffer_;
    std::string pending_;
    std::size_t at_ = 0;
    bool finished_ = false;
};

QtAudio::QtAudio(QObject* parent) : QObject(parent) {}

QtAudio::~QtAudio()
{
    // Leaving while recording writes nothing; the spool goes with its folder.
    releaseSource();
    closeMedia();
}

// ---- Playback.

AudioResult QtAudio::openMedia(const std::filesystem::path& path)
{
    closeMedia();
    const WavCheck check = checkWavFile(path);
    if (!check.result.ok()) return check.result;

    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return AudioResult::failure(AudioFault::NoDevice);

    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) return AudioResult::failure(AudioFault::Damaged, sf_strerror(nullptr));
    if (info.channels < 1 || info.samplerate < 1) {
        sf_close(file);
        return AudioResult::failure(AudioFault::Damaged);
    }

    outputDevice_ = device;
    outputFormat_ = outputFormatFor(device, info.samplerate, info.channels);
    stream_ = std::make_unique<DecodedWavStream>(file, info, layoutOf(outputFormat_));
    stream_->open(QIODevice::ReadOnly);
    playback_ = PlaybackState::Stopped;
    return AudioResult::success();
}

AudioResult QtAudio::play()
{
    switch (playback_) {
    case PlaybackState::Closed:
    case PlaybackState::Playing:
        return AudioResult::success();
    case PlaybackState::Paused:
        sink_->resume();
        playback_ = PlaybackState::Playing;
        if (sink_->error() != QAudio::NoError && sink_->error() != QAudio::UnderrunError)
            return AudioResult::failure(AudioFault::DeviceFailed, errorName(sink_->error()));
        return AudioResult::success();
    case PlaybackState::Stopped:
        break;
    }

    releaseSink();
    stream_->rewind();
    sink_ = new QAudioSink(outputDevice_, outputFormat_, this);
    connect(sink_, &QAudioSink::stateChanged, this, &QtAudio::sinkStateChanged);
    sink_->start(stream_.get());
    if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
        const AudioResult failure = AudioResult::failure(AudioFault::DeviceFailed, errorName(sink_->error()));
        releaseSink();
        return failure;
    }
    playback_ = PlaybackState::Playing;
    return AudioResult::success();
}

void QtAudio::pause()
{
    if (playback_ != PlaybackState::Playing || sink_ == nullptr) return;
    sink_->suspend();
    playback_ = PlaybackState::Paused;
}

void QtAudio::stopPlayback()
{
    if (playback_ == PlaybackState::Closed) return;
    releaseSink();
    stream_->rewind();
    playback_ = PlaybackState::Stopped;
}

void QtAudio::closeMedia()
{
    releaseSink();
    stream_.reset();
    playback_ = PlaybackState::Closed;
}

qint64 QtAudio::playedMicroseconds() const { return sink_ != nullptr ? sink_->processedUSecs() : 0; }

bool QtAudio::playedToEnd() const { return stream_ != nullptr && stream_->finished(); }

void QtAudio::sinkStateChanged(QAudio::State)
{
    // The end of the file and a lost device are not reported to the program: the player is
    // not told, and stays "playing" until the next button press.
}

void QtAudio::releaseSink()
{
    if (sink_ == nullptr) return;
    sink_->disconnect(this);
    sink_->stop();
    delete sink_;
    sink_ = nullptr;
}

// ---- Capture.

RecordingSpool& QtAudio::spool()
{
    if (!spool_) {
        spoolFolder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/penlark-recording-XXXXXX"));
        const QString folder = spoolFolder_->isValid() ? spoolFolder_->path() : QDir::tempPath() + QStringLiteral("/.");
        spool_ = std::make_unique<RecordingSpool>(std::filesystem::path(folder.toStdString()) / "recording.wav");
    }
    return *spool_;
}

AudioResult QtAudio::startRecording()
{
    releaseSource();
    captureFailure_ = {};
    const AudioResult begun = spool().begin();
    if (!begun.ok()) return begun;

    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) return AudioResult::failure(AudioFault::NoDevice);

    const PcmLayout recording{RecordingFormat::sampleRate, RecordingFormat::channels, SampleKind::Int16};
    QAudioFormat format = formatOf(recording.sampleRate, recording.channels, QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) format = device.preferredFormat();
    if (!format.isValid()) return AudioResult::failure(AudioFault::DeviceFailed, "no usable input format");
    inputFormat_ = format;
    captureConverter_ = std::make_unique<PcmConverter>(layoutOf(format), recording);

    source_ = new QAudioSource(device, format, this);
    // Small buffers: the first samples arrive at once, and little is lost at the stop.
    source_->setBufferSize(format.bytesForDuration(100000));
    connect(source_, &QAudioSource::stateChanged, this, &QtAudio::sourceStateChanged);
    captured_ = source_->start();
    if (captured_ == nullptr || source_->error() != QAudio::NoError) {
        const AudioResult failure = AudioResult::failure(AudioFault::DeviceFailed, errorName(source_->error()));
        releaseSource();
        return failure;
    }
    connect(captured_, &QIODevice::readyRead, this, &QtAudio::drainCapture);
    return AudioResult::success();
}

void QtAudio::drainCapture()
{
    if (captured_ == nullptr) return;
    std::string converted;
    for (;;) {
        const QByteArray bytes = captured_->read(1 << 16);
        if (bytes.isEmpty()) break;
        converted.clear();
        captureConverter_->convert(bytes.constData(), static_cast<std::size_t>(bytes.size()), converted);
        spool_->append(converted.data(), converted.size());
    }
}

void QtAudio::sourceStateChanged(QAudio::State)
{
    if (source_ == nullptr || !captureFailure_.ok()) return;
    const QAudio::Error error = source_->error();
    if (error == QAudio::IOError || error == QAudio::FatalError)
        captureFailure_ = AudioResult::failure(AudioFault::DeviceFailed, errorName(error));
}

AudioResult QtAudio::stopRecording()
{
    if (source_ == nullptr) {
        // Nothing was capturing (no input): the empty recording is complete as it is.
        if (spool_) spool_->end();
        return AudioResult::success();
    }
    drainCapture();
    releaseSource();
    const AudioResult ended = spool_->end();
    return captureFailure_.ok() ? ended : captureFailure_;
}

AudioResult QtAudio::saveRecording(const std::filesystem::path& path)
{
    if (source_ != nullptr) stopRecording();
    return spool().saveTo(path);
}

std::uint64_t QtAudio::recordedBytes() const { return spool_ ? spool_->sampleBytes() : 0; }

void QtAudio::releaseSource()
{
    if (source_ == nullptr) return;
    source_->disconnect(this);
    if (captured_ != nullptr) captured_->disconnect(this);
    source_->stop();
    delete source_;
    source_ = nullptr;
    captured_ = nullptr;
}

} // namespace penlark
