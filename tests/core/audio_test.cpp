#include "audio/audio_services.h"
#include "audio/pcm_convert.h"
#include "audio/recording_spool.h"
#include "audio/sound_recorder.h"
#include "audio/wav_header.h"
#include "audio/wav_player.h"
#include "audio/wav_reader.h"
#include "test_app.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <random>

namespace penlark::test {
namespace {

// The canonical header, byte by byte, as a reader of the format would write it down.
std::string handBuiltHeader(std::uint32_t n)
{
    auto le32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    };
    return "RIFF" + le32(36 + n) + "WAVEfmt " + le32(16) + std::string("\x01\x00\x01\x00", 4) + le32(8000) +
           le32(16000) + std::string("\x02\x00\x10\x00", 4) + "data" + le32(n);
}

std::string samplesOf(std::size_t bytes)
{
    std::string s(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i) s[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return s;
}

std::uint32_t le32At(const std::string& bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

TEST(WavHeader, matchesTheCanonicalLayoutByteForByte)
{
    for (const std::uint32_t n : {0u, 2u, 16000u, 0x12345678u}) {
        const auto header = recordingWavHeader(n);
        EXPECT_EQ(std::string(header.begin(), header.end()), handBuiltHeader(n)) << n;
    }
    const auto odd = recordingWavHeader(16001);
    EXPECT_EQ(std::string(odd.begin(), odd.end()), handBuiltHeader(16000));
}

// ---- The spool: what the recorder keeps and saves.

struct Spool : ::testing::Test {
    TempDir dir;
    RecordingSpool spool{dir / "spool.wav"};
};

TEST_F(Spool, oneSecondInOddBuffersSavesAs16044BytesWithHeaderSizes)
{
    const std::string samples = samplesOf(16000);
    ASSERT_TRUE(spool.begin().ok());
    // Buffers of odd sizes split samples between calls; none of them is lost or doubled.
    for (std::size_t at = 0; at < samples.size();) {
        const std::size_t n = std::min<std::size_t>(samples.size() - at, 333);
        spool.append(samples.data() + at, n);
        at += n;
    }
    ASSERT_TRUE(spool.end().ok());
    ASSERT_TRUE(spool.saveTo(dir / "out.wav").ok());

    const std::string file = readBytes(dir / "out.wav");
    ASSERT_EQ(file.size(), 16044u);
    EXPECT_EQ(le32At(file, 4), 16036u);
    EXPECT_EQ(le32At(file, 40), 16000u);
    EXPECT_EQ(file, handBuiltHeader(16000) + samples);
}

TEST_F(Spool, aTrailingHalfSampleIsDropped)
{
    ASSERT_TRUE(spool.begin().ok());
    spool.append("abc", 3);
    ASSERT_TRUE(spool.end().ok());
    ASSERT_TRUE(spool.saveTo(dir / "out.wav").ok());
    EXPECT_EQ(readBytes(dir / "out.wav"), handBuiltHeader(2) + "ab");
}

TEST_F(Spool, aNewRecordingDropsTheOneBefore_andSavingReplacesAnExistingFileWhole)
{
    spool.begin();
    spool.append(samplesOf(4000).data(), 4000);
    spool.end();
    spool.begin();
    spool.append("\x01\x02\x03\x04", 4);
    spool.end();

    writeBytes(dir / "old.wav", std::string(100000, 'x'));
    ASSERT_TRUE(spool.saveTo(dir / "old.wav").ok());
    EXPECT_EQ(readBytes(dir / "old.wav"), handBuiltHeader(4) + "\x01\x02\x03\x04");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 2);
}

TEST_F(Spool, nothingKeptSavesTheBareHeader)
{
    ASSERT_TRUE(spool.saveTo(dir / "empty.wav").ok());
    EXPECT_EQ(readBytes(dir / "empty.wav"), handBuiltHeader(0));

    // A spool that cannot be created keeps nothing either; saving still gives a valid file.
    RecordingSpool unwritable(dir / "missing-folder" / "spool.wav");
    EXPECT_EQ(unwritable.begin().fault, AudioFault::WriteFailed);
    unwritable.append("abcd", 4);
    unwritable.end();
    ASSERT_TRUE(unwritable.saveTo(dir / "empty2.wav").ok());
    EXPECT_EQ(readBytes(dir / "empty2.wav"), handBuiltHeader(0));
}

TEST_F(Spool, savingWhereNoFileCanBeCreatedFailsAndLeavesNothing)
{
    spool.begin();
    spool.end();
    const AudioResult result = spool.saveTo(dir / "no-such-folder" / "x.wav");
    EXPECT_EQ(result.fault, AudioFault::WriteFailed);
    EXPECT_FALSE(result.detail.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "no-such-folder"));
}

TEST_F(Spool, removesItsFileWhenDone)
{
    {
        RecordingSpool scoped(dir / "scoped.wav");
        scoped.begin();
        EXPECT_TRUE(std::filesystem::exists(dir / "scoped.wav"));
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "scoped.wav"));
}

// ---- The reader's checks.

std::string le16(std::uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
std::string le32(std::uint32_t v) { return le16(static_cast<std::uint16_t>(v & 0xFFFF)) + le16(static_cast<std::uint16_t>(v >> 16)); }

std::string chunk(const char* id, const std::string& body)
{
    std::string c = std::string(id, 4) + le32(static_cast<std::uint32_t>(body.size())) + body;
    if (body.size() % 2 != 0) c += '\0';
    return c;
}

std::string fmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    const std::uint16_t align = static_cast<std::uint16_t>(channels * (bits / 8));
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) + le16(bits);
}

std::string riff(const std::string& chunks) { return "RIFF" + le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks; }

std::string wav(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::size_t frames)
{
    return riff(chunk("fmt ", fmtBody(tag, channels, rate, bits)) +
                chunk("data", std::string(frames * channels * (bits / 8), '\x11')));
}

std::string extensible(std::uint16_t subtag, std::uint16_t channels, std::uint16_t bits)
{
    std::string body = fmtBody(0xFFFE, channels, 44100, bits) + le16(22) + le16(bits) + le32(3) + le16(subtag) +
                       std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    return riff(chunk("fmt ", body) + chunk("data", std::string(8 * channels * (bits / 8), '\0')));
}

TEST(WavReader, acceptsEveryCommonPcmAndFloatLayout)
{
    struct Case {
        const char* name;
        std::string bytes;
        WavEncoding encoding;
        int channels;
        int bits;
    };
    const Case cases[] = {
        {"8-bit mono", wav(1, 1, 8000, 8, 10), WavEncoding::PcmInteger, 1, 8},
        {"16-bit stereo", wav(1, 2, 44100, 16, 10), WavEncoding::PcmInteger, 2, 16},
        {"24-bit", wav(1, 2, 48000, 24, 10), WavEncoding::PcmInteger, 2, 24},
        {"32-bit", wav(1, 1, 96000, 32, 10), WavEncoding::PcmInteger, 1, 32},
        {"float", wav(3, 2, 44100, 32, 10), WavEncoding::Float, 2, 32},
        {"double", wav(3, 1, 22050, 64, 10), WavEncoding::Float, 1, 64},
        {"mu-law", wav(7, 1, 8000, 8, 10), WavEncoding::MuLaw, 1, 8},
        {"extensible float", extensible(3, 2, 32), WavEncoding::Float, 2, 32},
        {"extensible pcm", extensible(1, 6, 24), WavEncoding::PcmInteger, 6, 24},
        {"no samples", wav(1, 1, 8000, 16, 0), WavEncoding::PcmInteger, 1, 16},
        // Other chunks before and after, an odd-sized one padded, a RIFF size that overstates.
        {"list chunks", riff(chunk("LIST", "abc") + chunk("fmt ", fmtBody(1, 1, 8000, 16)) + chunk("data", "xxxx") +
                             chunk("LIST", "zz")),
         WavEncoding::PcmInteger, 1, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WavCheck check = checkWavBytes(c.bytes);
        ASSERT_TRUE(check.result.ok()) << check.result.detail;
        EXPECT_EQ(check.info.encoding, c.encoding);
        EXPECT_EQ(check.info.channels, c.channels);
        EXPECT_EQ(check.info.bitsPerSample, c.bits);
        EXPECT_LE(check.info.dataOffset + check.info.dataBytes, c.bytes.size());
    }
    std::string overstated = wav(1, 1, 8000, 16, 4);
    overstated[4] = '\x7F';
    EXPECT_TRUE(checkWavBytes(overstated).result.ok());
}

TEST(WavReader, refusesWhatCannotBePlayedWithAReason)
{
    const std::string good = wav(1, 1, 8000, 16, 100);
    std::string dataTooLong = good;
    dataTooLong.resize(good.size() - 10);  // the data chunk runs past the end of the file
    std::string hugeFmt = good;
    hugeFmt.replace(16, 4, le32(0xFFFFFFF0u));
    std::string wrongAlign = good;
    wrongAlign.replace(32, 2, le16(3));
    std::string noChannels = good;
    noChannels.replace(22, 2, le16(0));

    struct Case {
        const char* name;
        std::string bytes;
        AudioFault fault;
    };
    const Case cases[] = {
        {"empty", "", AudioFault::NotWav},
        {"text", "just some text, long enough", AudioFault::NotWav},
        {"RIFF of another kind", "RIFF" + le32(4) + "AVI ", AudioFault::NotWav},
        {"cut inside the header", good.substr(0, 8), AudioFault::Damaged},
        {"cut before the data chunk", good.substr(0, 36), AudioFault::Damaged},
        {"cut inside the samples", dataTooLong, AudioFault::Damaged},
        {"format chunk larger than the file", hugeFmt, AudioFault::Damaged},
        {"block alignment wrong", wrongAlign, AudioFault::Damaged},
        {"no channels", noChannels, AudioFault::Damaged},
        {"format chunk too short", riff(chunk("fmt ", "abcd") + chunk("data", "xx")), AudioFault::Damaged},
        {"no format chunk", riff(chunk("data", "xxxx")), AudioFault::Damaged},
        {"ADPCM", wav(2, 1, 8000, 16, 10), AudioFault::UnsupportedFormat},
        {"12-bit", wav(1, 1, 8000, 12, 10), AudioFault::UnsupportedFormat},
        {"absurd rate", wav(1, 1, 0x7FFFFFFF, 16, 1), AudioFault::UnsupportedFormat},
        {"too many channels", wav(1, 64, 8000, 16, 1), AudioFault::UnsupportedFormat},
        {"big-endian RIFX", "RIFX" + good.substr(4), AudioFault::UnsupportedFormat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WavCheck check = checkWavBytes(c.bytes);
        EXPECT_EQ(check.result.fault, c.fault);
        EXPECT_FALSE(check.result.detail.empty());
    }

    // Thousands of empty chunks before any format: refused after a bounded walk.
    std::string many;
    for (int i = 0; i < 5000; ++i) many += chunk("junk", "");
    EXPECT_EQ(checkWavBytes(riff(many + chunk("fmt ", fmtBody(1, 1, 8000, 16)) + chunk("data", "xx"))).result.fault,
              AudioFault::Damaged);
}

TEST(WavReader, readsFilesFromDiskAndReportsMissingOnes)
{
    TempDir dir;
    writeBytes(dir / "a.wav", wav(1, 2, 44100, 16, 100));
    const WavCheck check = checkWavFile(dir / "a.wav");
    ASSERT_TRUE(check.result.ok());
    EXPECT_EQ(check.info.frames(), 100u);
    EXPECT_EQ(check.info.dataOffset, 44u);
    EXPECT_EQ(checkWavFile(dir / "none.wav").result.fault, AudioFault::FileUnreadable);
    EXPECT_EQ(checkWavFile(dir.path()).result.fault, AudioFault::FileUnreadable);
}

// Mutated files of every kind: the reader never reads outside the bytes (AddressSanitizer
// watches), never loops, and whatever it accepts is a layout a decoder can trust.
TEST(WavReader, survivesThousandsOfMutatedFiles)
{
    const std::string seeds[] = {
        wav(1, 1, 8000, 16, 64), wav(3, 2, 44100, 32, 32), extensible(1, 2, 24),
        riff(chunk("LIST", "info") + chunk("fmt ", fmtBody(1, 2, 22050, 8)) + chunk("data", std::string(40, 'a'))),
    };
    std::mt19937 random(20150901);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string bytes = seeds[static_cast<std::size_t>(round) % std::size(seeds)];
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = bytes.empty() ? 0 : random() % bytes.size();
            switch (random() % 6) {
            case 0:  // flip a bit
                if (!bytes.empty()) bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8)));
                break;
            case 1: {  // a boundary value in a size or count field
                static const std::uint32_t values[] = {0, 1, 2, 3, 4, 15, 16, 17, 40, 0x7FFFFFFF, 0x80000000, 0xFFFFFFF8,
                                                       0xFFFFFFFF};
                const std::string v = le32(values[random() % std::size(values)]);
                if (at + 4 <= bytes.size()) bytes.replace(at, 4, v);
                break;
            }
            case 2:  // cut the file short
                bytes.resize(at);
                break;
            case 3:  // insert a chunk header with a random size
                bytes.insert(std::min(bytes.size(), at), std::string(random() % 2 ? "data" : "fmt ") + le32(random()));
                break;
            case 4:  // random bytes
                for (int k = 0; k < 8 && at + static_cast<std::size_t>(k) < bytes.size(); ++k)
                    bytes[at + static_cast<std::size_t>(k)] = static_cast<char>(random());
                break;
            default:  // duplicate a slice
                bytes.insert(at, bytes.substr(at, random() % 64));
                break;
            }
        }
        // An exact-size copy, so reading one byte too far is caught.
        const std::unique_ptr<char[]> exact(new char[bytes.size() + 1]);
        std::memcpy(exact.get(), bytes.data(), bytes.size());
        const WavCheck check = checkWavBytes(std::string_view(exact.get(), bytes.size()));
        if (!check.result.ok()) {
            EXPECT_NE(check.result.fault, AudioFault::None);
            continue;
        }
        ++accepted;
        const WavInfo& info = check.info;
        ASSERT_LE(info.dataOffset + info.dataBytes, bytes.size());
        ASSERT_GE(info.channels, 1);
        ASSERT_LE(info.channels, 8);
        ASSERT_GE(info.sampleRate, 1000);
        ASSERT_LE(info.sampleRate, 384000);
        ASSERT_EQ(info.blockAlign, info.channels * (info.bitsPerSample / 8));
    }
    // The mutations left a share of valid files, so both paths were exercised.
    EXPECT_GT(accepted, 500);
    EXPECT_LT(accepted, 19500);
}

// ---- Sample conversion for devices that refuse the wanted format.

std::string sine(PcmLayout layout, double hz, double seconds)
{
    std::string out;
    const auto frames = static_cast<int>(layout.sampleRate * seconds);
    for (int i = 0; i < frames; ++i) {
        const double v = 0.5 * std::sin(2 * std::numbers::pi * hz * i / layout.sampleRate);
        for (int c = 0; c < layout.channels; ++c) encodeSample(static_cast<float>(v), layout.kind, out);
    }
    return out;
}

// Amplitude of one frequency in 16-bit mono samples (the Goertzel filter).
double amplitudeAt(const std::string& int16Samples, int rate, double hz)
{
    const std::size_t n = int16Samples.size() / 2;
    double re = 0;
    double im = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::int16_t s;
        std::memcpy(&s, int16Samples.data() + 2 * i, 2);
        const double phase = 2 * std::numbers::pi * hz * static_cast<double>(i) / rate;
        re += s * std::cos(phase);
        im += s * std::sin(phase);
    }
    return 2 * std::hypot(re, im) / static_cast<double>(n) / 32768.0;
}

TEST(PcmConverter, deviceFormatsBecomeRecordingFormatKeepingTheTone)
{
    const PcmLayout recording{8000, 1, SampleKind::Int16};
    const PcmLayout devices[] = {
        {48000, 2, SampleKind::Float}, {44100, 2, SampleKind::Int16}, {16000, 1, SampleKind::Int32},
        {8000, 1, SampleKind::UInt8},  {4000, 1, SampleKind::Int16},  {8000, 1, SampleKind::Int16},
    };
    for (const PcmLayout& device : devices) {
        SCOPED_TRACE(device.sampleRate * 10 + device.channels);
        const std::string input = sine(device, 440, 1.0);
        PcmConverter converter(device, recording);
        std::string whole;
        converter.convert(input.data(), input.size(), whole);

        // The same stream in ragged buffers converts to the same samples.
        PcmConverter ragged(device, recording);
        std::string pieces;
        for (std::size_t at = 0, step = 1; at < input.size(); at += step, step = step * 3 % 997 + 1)
            ragged.convert(input.data() + at, std::min(step, input.size() - at), pieces);
        EXPECT_EQ(pieces, whole);

        EXPECT_NEAR(static_cast<double>(whole.size()), 16000.0, 4.0);
        EXPECT_NEAR(amplitudeAt(whole, 8000, 440), 0.5, 0.03);
        EXPECT_LT(amplitudeAt(whole, 8000, 1000), 0.01);
    }
}

TEST(PcmConverter, identicalLayoutsPassBytesThrough_andResetForgetsAPartialFrame)
{
    const PcmLayout layout{44100, 2, SampleKind::Int16};
    PcmConverter same(layout, layout);
    std::string out;
    same.convert("\x01\x02\x03", 3, out);
    EXPECT_EQ(out, "\x01\x02\x03");

    PcmConverter mono({8000, 2, SampleKind::Int16}, {8000, 1, SampleKind::Int16});
    out.clear();
    mono.convert("\x00\x10\x00", 3, out);  // three bytes of a four-byte frame
    mono.reset();
    mono.convert("\x00\x10\x00\x30", 4, out);
    ASSERT_EQ(out.size(), 2u);
    std::int16_t s;
    std::memcpy(&s, out.data(), 2);
    EXPECT_EQ(s, 0x2000);  // the mix of 0x1000 and 0x3000
}

// ---- The WAV player and the recorder, over a scripted sound system.

class FakeAudio : public AudioServices {
public:
    explicit FakeAudio(const std::filesystem::path& spoolFile) : spool(spoolFile) {}

    std::vector<std::string> calls;
    AudioResult openResult;
    AudioResult startResult;
    AudioResult stopResult;
    std::string captured;  // what the microphone hears during the next recording
    RecordingSpool spool;
    PlaybackState state = PlaybackState::Closed;

    AudioResult openMedia(const std::filesystem::path& path) override
    {
        calls.push_back("open " + path.filename().string());
        state = openResult.ok() ? PlaybackState::Stopped : PlaybackState::Closed;
        return openResult;
    }
    AudioResult play() override
    {
        calls.push_back("play");
        state = PlaybackState::Playing;
        return {};
    }
    void pause() override
    {
        calls.push_back("pause");
        state = PlaybackState::Paused;
    }
    void stopPlayback() override
    {
        calls.push_back("stop");
        if (state != PlaybackState::Closed) state = PlaybackState::Stopped;
    }
    void closeMedia() override
    {
        calls.push_back("close");
        state = PlaybackState::Closed;
    }
    PlaybackState playbackState() const override { return state; }

    AudioResult startRecording() override
    {
        calls.push_back("record");
        const AudioResult begun = spool.begin();
        recording_ = startResult.ok() && begun.ok();
        return begun.ok() ? startResult : begun;
    }
    AudioResult stopRecording() override
    {
        calls.push_back("stop recording");
        if (recording_) spool.append(captured.data(), captured.size());
        recording_ = false;
        spool.end();
        return stopResult;
    }
    AudioResult saveRecording(const std::filesystem::path& path) override
    {
        calls.push_back("save");
        return spool.saveTo(path);
    }
    bool isRecording() const override { return recording_; }

private:
    bool recording_ = false;
};

struct Sound : ::testing::Test {
    TestApp t;
    TempDir spoolDir;
    FakeAudio audio{spoolDir / "spool.wav"};

    Sound()
    {
        t.app->audio = &audio;
        t.start();
    }
    void openWav(const std::filesystem::path& path)
    {
        t.ui.dialogAnswers.push_back(path);
        t.view().userClick("打开按钮");
    }
    void pressMicrophone() { t.view().userLeftButtonDown("录音按钮"); }
};

TEST_F(Sound, openedWavShowsThePanelAndPlaysFromTheStart)
{
    EXPECT_FALSE(t.view().visible("wav播放器"));
    openWav("/music/第一首.歌.wav");
    EXPECT_TRUE(t.view().visible("wav播放器"));
    EXPECT_EQ(t.view().text("wav地址"), "第一首"_gb);
    EXPECT_EQ(t.state().wavPlayerState, 1);
    EXPECT_EQ(audio.calls, (std::vector<std::string>{"open 第一首.歌.wav", "play"}));
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(Sound, playPauseAlternates_andStopHidesThePanelKeepingTheState)
{
    t.view().userClick("音乐相关2");  // nothing opened yet: nothing happens
    EXPECT_TRUE(audio.calls.empty());

    openWav("/music/a.wav");
    for (int press = 0; press < 3; ++press) t.view().userClick("音乐相关2");
    EXPECT_EQ(t.state().wavPlayerState, 2);
    EXPECT_EQ(audio.calls, (std::vector<std::string>{"open a.wav", "play", "pause", "play", "pause"}));

    t.view().userClick("音乐相关3");
    EXPECT_FALSE(t.view().visible("wav播放器"));
    EXPECT_EQ(t.view().text("wav地址"), "wav文件未打开"_gb);
    EXPECT_EQ(t.state().wavPlayerState, 2);
    EXPECT_EQ(audio.state, PlaybackState::Closed);

    openWav("/music/a.wav");  // opened again: from the start
    EXPECT_EQ(t.state().wavPlayerState, 1);
    EXPECT_EQ(audio.calls.back(), "play");
    EXPECT_EQ(audio.calls[audio.calls.size() - 2], "open a.wav");
}

TEST_F(Sound, aFileThatCannotBePlayedSaysWhyAndLeavesThePanelUsable)
{
    audio.openResult = AudioResult::failure(AudioFault::Damaged, "数据块的长度超出了文件");
    openWav("/music/坏.wav");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_NE(t.ui.messages[0].text.find("已经损坏"_gb), GbText::npos);
    EXPECT_NE(t.ui.messages[0].text.find("坏.wav"_gb), GbText::npos);
    EXPECT_EQ(t.ui.messages[0].title, "Penlark"_gb);
    EXPECT_TRUE(t.view().visible("wav播放器"));
    EXPECT_EQ(t.view().text("wav地址"), "坏"_gb);

    // The buttons still work, and a good file plays afterwards.
    t.view().userClick("音乐相关2");
    t.view().userClick("音乐相关2");
    EXPECT_EQ(t.ui.messages.size(), 1u);
    audio.openResult = {};
    openWav("/music/好.wav");
    EXPECT_EQ(audio.calls.back(), "play");
    EXPECT_EQ(t.view().text("wav地址"), "好"_gb);
}

TEST(WavPlayerMessages, everyFaultHasItsOwnWords)
{
    const AudioFault faults[] = {AudioFault::FileUnreadable, AudioFault::NotWav,   AudioFault::Damaged,
                                 AudioFault::UnsupportedFormat, AudioFault::NoDevice, AudioFault::DeviceFailed};
    std::vector<GbText> seen;
    for (const AudioFault fault : faults) {
        const GbText text = playbackFailureMessage(AudioResult::failure(fault), "/x/y.wav");
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(std::find(seen.begin(), seen.end(), text), seen.end());
        seen.push_back(text);
    }
    EXPECT_TRUE(playbackFailureMessage({}, "/x/y.wav").empty());
}

TEST_F(Sound, recordingStartsWithMarkerAndPicture_andIsSavedUnderTheDatedName)
{
    audio.captured = samplesOf(16000);
    pressMicrophone();
    EXPECT_TRUE(t.state().recording);
    EXPECT_EQ(t.view().picture("录音按钮"), Picture::MicrophoneRecording);
    EXPECT_EQ(t.setting("软件设置", "录音"), "201591"_gb);
    EXPECT_TRUE(t.ui.saveRequests.empty());

    const auto target = t.programDir / "2015年9月1日by：Penlark录音.wav";
    t.ui.dialogAnswers.push_back(target);
    pressMicrophone();
    EXPECT_FALSE(t.state().recording);
    EXPECT_EQ(t.view().picture("录音按钮"), Picture::Microphone);
    ASSERT_EQ(t.ui.saveRequests.size(), 1u);
    const FileDialogRequest& request = t.ui.saveRequests[0];
    EXPECT_EQ(request.initialDirectory, t.programDir.path());
    EXPECT_EQ(request.proposedName, std::filesystem::path("2015年9月1日by：Penlark录音"));
    EXPECT_EQ(request.filter, "Penlark录音（*.wav）|*.wav|"_gb);
    EXPECT_EQ(request.defaultExtension, "wav"_gb);

    EXPECT_EQ(readBytes(target), handBuiltHeader(16000) + audio.captured);
    EXPECT_EQ(audio.calls, (std::vector<std::string>{"record", "stop recording", "save"}));
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(Sound, cancelledSaveWritesNothing_andTheNextRecordingHoldsOnlyItsOwnSound)
{
    audio.captured = samplesOf(800);
    pressMicrophone();
    pressMicrophone();  // the dialog is cancelled
    EXPECT_EQ(t.view().picture("录音按钮"), Picture::Microphone);
    for (const auto& entry : std::filesystem::directory_iterator(t.programDir.path()))
        EXPECT_NE(entry.path().extension(), ".wav") << entry.path();

    t.settings.writeValue(SettingsLocation::ProgramDirectory, "软件设置"_gb, "录音"_gb, "0"_gb);
    audio.captured = "\x05\x06";
    pressMicrophone();
    EXPECT_EQ(t.setting("软件设置", "录音"), "201591"_gb);  // written again at every start
    t.ui.dialogAnswers.push_back(t.programDir / "second.wav");
    pressMicrophone();
    EXPECT_EQ(readBytes(t.programDir / "second.wav"), handBuiltHeader(2) + "\x05\x06");
}

TEST_F(Sound, withoutAnInputTheRecorderSaysSoAndSavesTheBareHeader)
{
    audio.startResult = AudioResult::failure(AudioFault::NoDevice);
    audio.captured = samplesOf(100);
    pressMicrophone();
    EXPECT_TRUE(t.state().recording);
    EXPECT_EQ(t.view().picture("录音按钮"), Picture::MicrophoneRecording);
    EXPECT_EQ(t.setting("软件设置", "录音"), "201591"_gb);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_NE(t.ui.messages[0].text.find("没有找到可用的录音设备"_gb), GbText::npos);

    t.ui.dialogAnswers.push_back(t.programDir / "empty.wav");
    pressMicrophone();
    const std::string file = readBytes(t.programDir / "empty.wav");
    EXPECT_EQ(file, handBuiltHeader(0));
    EXPECT_EQ(le32At(file, 4), 36u);
    EXPECT_EQ(le32At(file, 40), 0u);
}

TEST_F(Sound, aFailureWhileCapturingOrSavingIsShownAndTheRecorderStaysIdle)
{
    audio.stopResult = AudioResult::failure(AudioFault::DeviceFailed, "IOError");
    audio.captured = samplesOf(10);
    pressMicrophone();
    t.ui.dialogAnswers.push_back(t.programDir / "no-such-folder" / "x.wav");
    pressMicrophone();
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_NE(t.ui.messages[0].text.find("录音中途出错"_gb), GbText::npos);
    EXPECT_NE(t.ui.messages[1].text.find("录音保存失败"_gb), GbText::npos);
    EXPECT_FALSE(t.state().recording);
    EXPECT_EQ(t.view().picture("录音按钮"), Picture::Microphone);
}

TEST(SoundRecorder, proposedNameHasNoLeadingZeros_andNoSoundSystemStillSavesAFile)
{
    EXPECT_EQ(proposedRecordingName({2015, 9, 1, 0, 0, 0}), "2015年9月1日by：Penlark录音"_gb);
    EXPECT_EQ(proposedRecordingName({2026, 12, 31, 0, 0, 0}), "2026年12月31日by：Penlark录音"_gb);

    TestApp t;
    t.start();
    t.view().userLeftButtonDown("录音按钮");
    t.ui.dialogAnswers.push_back(t.programDir / "r.wav");
    t.view().userLeftButtonDown("录音按钮");
    EXPECT_EQ(readBytes(t.programDir / "r.wav"), handBuiltHeader(0));
}

} // namespace
} // namespace penlark::test
