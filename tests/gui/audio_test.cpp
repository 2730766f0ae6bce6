// Real sound through Qt Multimedia. With PulseAudio reachable (tests/audio/start-pulseaudio.sh
// starts a private one: a null sink, a virtual microphone hearing it, and a tone playing into
// it), the recorder records the tone and the player plays to the sink. Without PulseAudio the
// tests that need a device skip, and the one that needs none checks the failures are clean.
#include "audio/wav_header.h"
#include "gui_fixture.h"
#include "gui_main.h"
#include "platform/qt_audio.h"

#include <QMediaDevices>
#include <QElapsedTimer>
#include <QTest>

#include <cmath>
#include <cstring>
#include <numbers>

using namespace penlark;
using namespace penlark::test;

namespace {

std::uint32_t le32At(const std::string& bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

// Amplitude (0..1) of one frequency in 16-bit mono samples, by the Goertzel sum.
double amplitudeAt(const char* samples, std::size_t count, int rate, double hz)
{
    double re = 0;
    double im = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::int16_t s;
        std::memcpy(&s, samples + 2 * i, 2);
        const double phase = 2 * std::numbers::pi * hz * static_cast<double>(i) / rate;
        re += s * std::cos(phase);
        im += s * std::sin(phase);
    }
    return 2 * std::hypot(re, im) / static_cast<double>(count) / 32768.0;
}

// A sine WAV of the given layout, written by hand so the test depends on no encoder.
std::string sineWav(int rate, int channels, int bits, bool isFloat, double seconds)
{
    auto le = [](std::uint32_t v, int bytes) {
        std::string s;
        for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    std::string data;
    const int frames = static_cast<int>(rate * seconds);
    for (int i = 0; i < frames; ++i) {
        const double v = 0.4 * std::sin(2 * std::numbers::pi * 440 * i / rate);
        for (int c = 0; c < channels; ++c) {
            if (isFloat) {
                const auto f = static_cast<float>(v);
                data.append(reinterpret_cast<const char*>(&f), 4);
            } else if (bits == 8) {
                data += static_cast<char>(static_cast<int>(std::lround(v * 127)) + 128);
            } else {
                const auto s = static_cast<std::int64_t>(std::llround(v * std::ldexp(1.0, bits - 1)));
                data += le(static_cast<std::uint32_t>(s), bits / 8);
            }
        }
    }
    const int align = channels * bits / 8;
    const std::string fmt = le(isFloat ? 3 : 1, 2) + le(static_cast<std::uint32_t>(channels), 2) +
                            le(static_cast<std::uint32_t>(rate), 4) + le(static_cast<std::uint32_t>(rate * align), 4) +
                            le(static_cast<std::uint32_t>(align), 2) + le(static_cast<std::uint32_t>(bits), 2);
    return "RIFF" + le(static_cast<std::uint32_t>(4 + 8 + fmt.size() + 8 + data.size()), 4) + "WAVEfmt " +
           le(static_cast<std::uint32_t>(fmt.size()), 4) + fmt + "data" + le(static_cast<std::uint32_t>(data.size()), 4) + data;
}

// Waits until the condition holds or the time is up, keeping the event loop running.
template <typename Condition>
bool waitFor(Condition condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) return false;
        QTest::qWait(20);
    }
    return true;
}

} // namespace

class AudioTest : public QObject {
    Q_OBJECT

private slots:
    void recorderRecordsTheToneFromTheDefaultInput()
    {
        if (QMediaDevices::audioInputs().isEmpty()) QSKIP("no sound input (PulseAudio not reachable)");
        const int toneHz = qEnvironmentVariableIntValue("PENLARK_TEST_TONE_HZ");
        if (toneHz <= 0) QSKIP("no test tone playing (start tests/audio/start-pulseaudio.sh first)");

        GuiApp gui;
        QtAudio audio;
        gui.app->audio = &audio;
        gui.start();
        QWidget* microphone = gui.widget("录音按钮");

        QTest::mousePress(microphone, Qt::LeftButton);
        QVERIFY(gui.app->state.recording);
        QVERIFY(audio.isRecording());
        QVERIFY2(gui.ui.messages.empty(), "the input could not be opened");
        // A second of sound, once the first samples are in.
        QVERIFY(waitFor([&] { return audio.recordedBytes() > 0; }, 5000));
        QTest::qWait(1000);

        const std::filesystem::path target = gui.programDir / "2015年9月1日by：Penlark录音.wav";
        gui.ui.dialogAnswers.push_back(target);
        QTest::mousePress(microphone, Qt::LeftButton);
        QVERIFY(!gui.app->state.recording);
        QVERIFY(!audio.isRecording());
        QVERIFY(gui.ui.messages.empty());

        const std::string file = readBytes(target);
        QVERIFY(file.size() > kWavHeaderSize);
        const std::uint32_t n = le32At(file, 40);
        QCOMPARE(std::size_t(n), file.size() - kWavHeaderSize);
        const auto header = recordingWavHeader(n);
        QCOMPARE(file.substr(0, kWavHeaderSize), std::string(header.begin(), header.end()));
        qInfo("recorded %u sample bytes in about a second (input format %d Hz, %d channels, format %d)", n,
              audio.inputFormat().sampleRate(), audio.inputFormat().channelCount(), int(audio.inputFormat().sampleFormat()));
        QVERIFY2(n >= 12000 && n <= 40000, "about a second at 16000 bytes a second");

        // The tone is there, far above what any other frequency holds.
        const std::size_t samples = n / 2;
        const std::size_t window = std::min<std::size_t>(samples, 4000);
        const char* tail = file.data() + kWavHeaderSize + 2 * (samples - window);
        const double tone = amplitudeAt(tail, window, 8000, toneHz);
        const double other = amplitudeAt(tail, window, 8000, 1234);
        qInfo("tone amplitude %.3f, at 1234 Hz %.4f", tone, other);
        QVERIFY(tone > 0.1);
        QVERIFY(tone > 20 * other);
    }

    void playerPlaysPausesResumesAndStops()
    {
        if (QMediaDevices::audioOutputs().isEmpty()) QSKIP("no sound output (PulseAudio not reachable)");
        GuiApp gui;
        QtAudio audio;
        gui.app->audio = &audio;
        gui.start();
        const std::filesystem::path wav = gui.programDir / "三秒.wav";
        writeBytes(wav, sineWav(44100, 2, 16, false, 3.0));

        gui.ui.dialogAnswers.push_back(wav);
        QTest::mouseClick(gui.widget("打开按钮"), Qt::LeftButton);
        QVERIFY(gui.ui.messages.empty());
        QVERIFY(gui.widget("wav播放器")->isVisible());
        QCOMPARE(gui.app->state.wavPlayerState, 1);
        QCOMPARE(audio.playbackState(), PlaybackState::Playing);
        QVERIFY(waitFor([&] { return audio.playedMicroseconds() > 200000; }, 5000));

        QTest::mouseClick(gui.widget("音乐相关2"), Qt::LeftButton);
        QCOMPARE(gui.app->state.wavPlayerState, 2);
        QCOMPARE(audio.playbackState(), PlaybackState::Paused);
        QTest::qWait(150);
        const qint64 paused = audio.playedMicroseconds();
        QTest::qWait(400);
        QVERIFY2(audio.playedMicroseconds() - paused < 50000, "playback went on while paused");

        QTest::mouseClick(gui.widget("音乐相关2"), Qt::LeftButton);
        QCOMPARE(gui.app->state.wavPlayerState, 1);
        QCOMPARE(audio.playbackState(), PlaybackState::Playing);
        QVERIFY(waitFor([&] { return audio.playedMicroseconds() > paused + 200000; }, 5000));

        QTest::mouseClick(gui.widget("音乐相关3"), Qt::LeftButton);
        QCOMPARE(audio.playbackState(), PlaybackState::Closed);
        QVERIFY(!gui.widget("wav播放器")->isVisible());
        QCOMPARE(gui.view().text("wav地址"), "wav文件未打开"_gb);
        QVERIFY(gui.ui.messages.empty());
    }

    void everyCommonLayoutPlaysToTheEnd_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("isFloat");
        QTest::newRow("8-bit mono 8000") << 8000 << 1 << 8 << false;
        QTest::newRow("16-bit mono 8000 (a recording)") << 8000 << 1 << 16 << false;
        QTest::newRow("24-bit stereo 48000") << 48000 << 2 << 24 << false;
        QTest::newRow("32-bit mono 96000") << 96000 << 1 << 32 << false;
        QTest::newRow("float stereo 44100") << 44100 << 2 << 32 << true;
        QTest::newRow("float 6 channels 22050") << 22050 << 6 << 32 << true;
    }

    void everyCommonLayoutPlaysToTheEnd()
    {
        if (QMediaDevices::audioOutputs().isEmpty()) QSKIP("no sound output (PulseAudio not reachable)");
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(bool, isFloat);
        TempDir dir;
        writeBytes(dir / "t.wav", sineWav(rate, channels, bits, isFloat, 0.3));

        QtAudio audio;
        const AudioResult opened = audio.openMedia(dir / "t.wav");
        QVERIFY2(opened.ok(), opened.detail.c_str());
        QVERIFY(audio.play().ok());
        QVERIFY(waitFor([&] { return audio.playedToEnd() && audio.playedMicroseconds() >= 250000; }, 5000));
        // The end is not reported: still "playing", and opening again plays from the start.
        QCOMPARE(audio.playbackState(), PlaybackState::Playing);
        QVERIFY(audio.openMedia(dir / "t.wav").ok());
        QVERIFY(audio.play().ok());
        QVERIFY(!audio.playedToEnd());
        audio.closeMedia();
    }

    void damagedFileIsRefusedWithAMessageBeforeAnyDeviceIsTouched()
    {
        GuiApp gui;
        QtAudio audio;
        gui.app->audio = &audio;
        gui.start();
        std::string damaged = sineWav(8000, 1, 16, false, 1.0);
        damaged.resize(damaged.size() / 2);
        const std::filesystem::path wav = gui.programDir / "坏.wav";
        writeBytes(wav, damaged);

        gui.ui.dialogAnswers.push_back(wav);
        QTest::mouseClick(gui.widget("打开按钮"), Qt::LeftButton);
        QCOMPARE(gui.ui.messages.size(), std::size_t(1));
        QVERIFY(gui.ui.messages[0].find("已经损坏或不完整"_gb) != GbText::npos);
        QCOMPARE(audio.playbackState(), PlaybackState::Closed);
        QVERIFY(gui.widget("wav播放器")->isVisible());
        QTest::mouseClick(gui.widget("音乐相关2"), Qt::LeftButton);
        QTest::mouseClick(gui.widget("音乐相关3"), Qt::LeftButton);
        QVERIFY(!gui.widget("wav播放器")->isVisible());
        QCOMPARE(gui.ui.messages.size(), std::size_t(1));
    }

    void withoutASoundSystemTheRecorderAndPlayerFailCleanly()
    {
        if (!QMediaDevices::audioInputs().isEmpty() || !QMediaDevices::audioOutputs().isEmpty())
            QSKIP("sound devices are present");
        GuiApp gui;
        QtAudio audio;
        gui.app->audio = &audio;
        gui.start();

        QTest::mousePress(gui.widget("录音按钮"), Qt::LeftButton);
        QVERIFY(gui.app->state.recording);
        QCOMPARE(gui.view().picture("录音按钮"), Picture::MicrophoneRecording);
        QCOMPARE(gui.setting("软件设置", "录音"), "201591"_gb);
        QCOMPARE(gui.ui.messages.size(), std::size_t(1));
        QVERIFY(gui.ui.messages[0].find("没有找到可用的录音设备"_gb) != GbText::npos);
        gui.ui.dialogAnswers.push_back(gui.programDir / "空.wav");
        QTest::mousePress(gui.widget("录音按钮"), Qt::LeftButton);
        const auto header = recordingWavHeader(0);
        QCOMPARE(readBytes(gui.programDir / "空.wav"), std::string(header.begin(), header.end()));

        const std::filesystem::path wav = gui.programDir / "歌.wav";
        writeBytes(wav, sineWav(8000, 1, 16, false, 0.5));
        gui.ui.dialogAnswers.push_back(wav);
        QTest::mouseClick(gui.widget("打开按钮"), Qt::LeftButton);
        QCOMPARE(gui.ui.messages.size(), std::size_t(2));
        QVERIFY(gui.ui.messages[1].find("没有找到可用的声音输出设备"_gb) != GbText::npos);
        QVERIFY(gui.widget("wav播放器")->isVisible());
    }
};

PENLARK_GUI_TEST_MAIN(AudioTest)
#include "audio_test.moc"
