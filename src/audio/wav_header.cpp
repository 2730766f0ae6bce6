#include "audio/wav_header.h"

#include <cstring>

namespace penlark {

namespace {

void putU16(unsigned char* at, std::uint16_t value)
{
    at[0] = static_cast<unsigned char>(value & 0xFF);
    at[1] = static_cast<unsigned char>(value >> 8);
}

void putU32(unsigned char* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::array<unsigned char, kWavHeaderSize> recordingWavHeader(std::uint32_t sampleBytes)
{
    sampleBytes &= ~1u;
    if (sampleBytes > kMaxRecordingSampleBytes) sampleBytes = static_cast<std::uint32_t>(kMaxRecordingSampleBytes);
    std::array<unsigned char, kWavHeaderSize> header{};
    unsigned char* p = header.data();
    std::memcpy(p, "RIFF", 4);
    putU32(p + 4, 36 + sampleBytes);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    putU32(p + 16, 16);
    putU16(p + 20, 1);
    putU16(p + 22, RecordingFormat::channels);
    putU32(p + 24, RecordingFormat::sampleRate);
    putU32(p + 28, RecordingFormat::bytesPerSecond);
    putU16(p + 32, RecordingFormat::blockAlign);
    putU16(p + 34, RecordingFormat::bitsPerSample);
    std::memcpy(p + 36, "data", 4);
    putU32(p + 40, sampleBytes);
    return header;
}

} // namespace penlark
