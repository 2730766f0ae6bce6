#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace penlark {

enum class SampleKind { UInt8, Int16, Int32, Float };

// Interleaved PCM as a device or a decoder gives or takes it (native little-endian samples).
struct PcmLayout {
    int sampleRate = 8000;
    int channels = 1;
    SampleKind kind = SampleKind::Int16;

    int bytesPerSample() const;
    int bytesPerFrame() const { return bytesPerSample() * channels; }
    friend bool operator==(const PcmLayout&, const PcmLayout&) = default;
};

// Converts a stream of PCM from one layout to another, buffer by buffer, keeping partial
// frames and the resampler's position between calls so the seams do not click or drift:
// the sample kind, the channel count (a mix to mono, a copy from mono, the first channels
// otherwise) and the rate (an average over each output period when lowering it, which
// keeps voices clear of aliasing well enough; a straight line between samples when raising
// it). Identical layouts pass the bytes through untouched.
class PcmConverter {
public:
    PcmConverter(PcmLayout from, PcmLayout to);

    // Appends the converted form of `bytes` to `out`.
    void convert(const char* bytes, std::size_t count, std::string& out);
    // Forgets the stream so far (partial frame, resampler position), as after a seek.
    void reset();

    const PcmLayout& from() const { return from_; }
    const PcmLayout& to() const { return to_; }

private:
    void emitFrame(const float* frame, std::string& out);
    void resampleFrame(const float* frame, std::string& out);

    PcmLayout from_;
    PcmLayout to_;
    std::string partial_;          // bytes of an incomplete input frame
    std::vector<float> mapped_;    // one input frame in the output's channels
    std::vector<float> previous_;  // raising: the last input frame
    std::vector<double> sum_;      // lowering: the running sum of the current output period
    std::uint64_t inputIndex_ = 0;
    std::uint64_t outputIndex_ = 0;
    std::uint32_t summed_ = 0;
};

// Decodes one sample to -1..1 and encodes one back (clamped), for the kinds above.
float decodeSample(const unsigned char* at, SampleKind kind);
void encodeSample(float value, SampleKind kind, std::string& out);

} // namespace penlark
