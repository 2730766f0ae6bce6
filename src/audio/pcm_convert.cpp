#include "audio/pcm_convert.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace penlark {

int PcmLayout::bytesPerSample() const
{
    switch (kind) {
    case SampleKind::UInt8: return 1;
    case SampleKind::Int16: return 2;
    case SampleKind::Int32:
    case SampleKind::Float: return 4;
    }
    return 2;
}

float decodeSample(const unsigned char* at, SampleKind kind)
{
    switch (kind) {
    case SampleKind::UInt8: return (static_cast<float>(at[0]) - 128.0f) / 128.0f;
    case SampleKind::Int16: {
        std::int16_t v;
        std::memcpy(&v, at, sizeof v);
        return static_cast<float>(v) / 32768.0f;
    }
    case SampleKind::Int32: {
        std::int32_t v;
        std::memcpy(&v, at, sizeof v);
        return static_cast<float>(static_cast<double>(v) / 2147483648.0);
    }
    case SampleKind::Float: {
        float v;
        std::memcpy(&v, at, sizeof v);
        return std::isfinite(v) ? v : 0.0f;
    }
    }
    return 0.0f;
}

void encodeSample(float value, SampleKind kind, std::string& out)
{
    const double v = std::clamp(static_cast<double>(value), -1.0, 1.0);
    switch (kind) {
    case SampleKind::UInt8:
        out.push_back(static_cast<char>(static_cast<unsigned char>(std::clamp(std::lrint(v * 128.0 + 128.0), 0L, 255L))));
        return;
    case SampleKind::Int16: {
        const auto s = static_cast<std::int16_t>(std::clamp(std::lrint(v * 32768.0), -32768L, 32767L));
        out.append(reinterpret_cast<const char*>(&s), sizeof s);
        return;
    }
    case SampleKind::Int32: {
        const auto s = static_cast<std::int32_t>(std::clamp(std::llrint(v * 2147483648.0), -2147483648LL, 2147483647LL));
        out.append(reinterpret_cast<const char*>(&s), sizeof s);
        return;
    }
    case SampleKind::Float: {
        const auto f = static_cast<float>(v);
        out.append(reinterpret_cast<const char*>(&f), sizeof f);
        return;
    }
    }
}

PcmConverter::PcmConverter(PcmLayout from, PcmLayout to) : from_(from), to_(to)
{
    from_.channels = std::max(from_.channels, 1);
    to_.channels = std::max(to_.channels, 1);
    from_.sampleRate = std::max(from_.sampleRate, 1);
    to_.sampleRate = std::max(to_.sampleRate, 1);
    mapped_.assign(static_cast<std::size_t>(to_.channels), 0.0f);
    reset();
}

void PcmConverter::reset()
{
    partial_.clear();
    previous_.assign(static_cast<std::size_t>(to_.channels), 0.0f);
    sum_.assign(static_cast<std::size_t>(to_.channels), 0.0);
    inputIndex_ = 0;
    outputIndex_ = 0;
    summed_ = 0;
}

void PcmConverter::convert(const char* bytes, std::size_t count, std::string& out)
{
    if (from_ == to_) {
        out.append(bytes, count);
        return;
    }
    const auto frameBytes = static_cast<std::size_t>(from_.bytesPerFrame());
    const auto sampleBytes = static_cast<std::size_t>(from_.bytesPerSample());
    std::vector<float> frame(static_cast<std::size_t>(from_.channels));

    auto take = [&](const unsigned char* at) {
        for (std::size_t c = 0; c < frame.size(); ++c) frame[c] = decodeSample(at + c * sampleBytes, from_.kind);
        emitFrame(frame.data(), out);
    };

    // Finish a frame split across the last call and this one.
    if (!partial_.empty()) {
        const std::size_t need = std::min(frameBytes - partial_.size(), count);
        partial_.append(bytes, need);
        bytes += need;
        count -= need;
        if (partial_.size() < frameBytes) return;
        take(reinterpret_cast<const unsigned char*>(partial_.data()));
        partial_.clear();
    }
    const auto* at = reinterpret_cast<const unsigned char*>(bytes);
    const std::size_t whole = count / frameBytes;
    out.reserve(out.size() + whole * static_cast<std::size_t>(to_.bytesPerFrame()) * static_cast<std::size_t>(to_.sampleRate) /
                                 static_cast<std::size_t>(from_.sampleRate) + 16);
    for (std::size_t i = 0; i < whole; ++i) take(at + i * frameBytes);
    partial_.assign(bytes + whole * frameBytes, count - whole * frameBytes);
}

void PcmConverter::emitFrame(const float* frame, std::string& out)
{
    const int in = from_.channels;
    const int outChannels = to_.channels;
    if (in == outChannels) {
        std::copy(frame, frame + in, mapped_.begin());
    } else if (outChannels == 1) {
        float sum = 0;
        for (int c = 0; c < in; ++c) sum += frame[c];
        mapped_[0] = sum / static_cast<float>(in);
    } else {
        for (int c = 0; c < outChannels; ++c) mapped_[static_cast<std::size_t>(c)] = frame[c % in];
    }
    resampleFrame(mapped_.data(), out);
}

void PcmConverter::resampleFrame(const float* frame, std::string& out)
{
    const auto channels = static_cast<std::size_t>(to_.channels);
    const auto fromRate = static_cast<std::uint64_t>(from_.sampleRate);
    const auto toRate = static_cast<std::uint64_t>(to_.sampleRate);

    if (fromRate == toRate) {
        for (std::size_t c = 0; c < channels; ++c) encodeSample(frame[c], to_.kind, out);
        return;
    }
    if (fromRate > toRate) {
        // Input sample i belongs to output period i * to / from; a period closes when the
        // next one begins.
        const std::uint64_t period = inputIndex_ * toRate / fromRate;
        if (period != outputIndex_ && summed_ > 0) {
            for (std::size_t c = 0; c < channels; ++c) {
                encodeSample(static_cast<float>(sum_[c] / summed_), to_.kind, out);
                sum_[c] = 0;
            }
            summed_ = 0;
        }
        outputIndex_ = period;
        for (std::size_t c = 0; c < channels; ++c) sum_[c] += frame[c];
        ++summed_;
        ++inputIndex_;
        return;
    }
    // Raising: output k sits at input position k * from / to; those between the previous
    // input sample and this one are drawn on the line joining them.
    if (inputIndex_ > 0) {
        const std::uint64_t i = inputIndex_;
        while (outputIndex_ * fromRate < i * toRate) {
            const double fraction =
                static_cast<double>(outputIndex_ * fromRate - (i - 1) * toRate) / static_cast<double>(toRate);
            for (std::size_t c = 0; c < channels; ++c) {
                const double value = previous_[c] + (frame[c] - previous_[c]) * fraction;
                encodeSample(static_cast<float>(value), to_.kind, out);
            }
            ++outputIndex_;
        }
    }
    std::copy(frame, frame + channels, previous_.begin());
    ++inputIndex_;
}

} // namespace penlark
