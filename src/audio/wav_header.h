#pragma once

#include <array>
#include <cstdint>

namespace penlark {

// The one format the recorder writes: PCM, mono, 8000 samples a second, 16-bit signed
// little-endian samples.
struct RecordingFormat {
    static constexpr std::uint16_t channels = 1;
    static constexpr std::uint32_t sampleRate = 8000;
    static constexpr std::uint16_t bitsPerSample = 16;
    static constexpr std::uint16_t blockAlign = 2;
    static constexpr std::uint32_t bytesPerSecond = 16000;
};

constexpr std::size_t kWavHeaderSize = 44;

// The most sample bytes a WAV file can describe: the RIFF size field (36 + samples) is 32-bit
// and the count is kept even. About 74 hours at 16000 bytes a second.
constexpr std::uint64_t kMaxRecordingSampleBytes = 0xFFFFFFFFull - 36 - 1;

// The canonical 44-byte header of a recording holding `sampleBytes` bytes of samples: "RIFF",
// 36 + n, "WAVEfmt ", 16, PCM 1, 1 channel, 8000, 16000, 2, 16, "data", n; all numbers
// little-endian. An odd count is rounded down (the samples are 2 bytes each).
std::array<unsigned char, kWavHeaderSize> recordingWavHeader(std::uint32_t sampleBytes);

} // namespace penlark
