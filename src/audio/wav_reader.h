#pragma once

#include "audio/audio_services.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace penlark {

// The sample encodings the player decodes.
enum class WavEncoding { PcmInteger, Float, ALaw, MuLaw };

// What a WAV file's format and data chunks say, once checked.
struct WavInfo {
    WavEncoding encoding = WavEncoding::PcmInteger;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;
    std::uint64_t dataOffset = 0;  // first sample byte
    std::uint64_t dataBytes = 0;   // as declared, and known to lie inside the file
    std::uint64_t frames() const { return blockAlign > 0 ? dataBytes / static_cast<std::uint64_t>(blockAlign) : 0; }
};

struct WavCheck {
    AudioResult result;  // NotWav, Damaged or UnsupportedFormat when refused
    WavInfo info;
};

// Random access to the bytes being checked.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Reads count bytes at offset; false when they are not all there or cannot be read.
    virtual bool read(std::uint64_t offset, void* into, std::size_t count) = 0;
};

// Checks a RIFF WAVE file before it is handed to a decoder, so that a truncated file, a file
// that is no WAV at all, or one whose chunk sizes or format fields cannot be right is refused
// with a reason instead of reaching the sound system. Reads only the chunk headers and the
// format chunk, skipping the rest, and gives up after a bounded number of chunks.
//
// Accepted: PCM integer of 8, 16, 24 or 32 bits, IEEE float of 32 or 64 bits, A-law and
// µ-law of 8 bits (also inside WAVE_FORMAT_EXTENSIBLE), 1 to 8 channels, 1000 to 384000
// samples a second, a data chunk that lies wholly inside the file. The RIFF size may
// overstate the file (some writers never fix it); trailing bytes beyond it are ignored.
WavCheck checkWav(ByteSource& source);
WavCheck checkWavBytes(std::string_view bytes);
// FileUnreadable when the file cannot be opened.
WavCheck checkWavFile(const std::filesystem::path& path);

} // namespace penlark
