#include "audio/wav_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>

namespace penlark {

namespace {

constexpr int kMostChunks = 4096;
constexpr int kMostChannels = 8;
constexpr int kLowestRate = 1000;
constexpr int kHighestRate = 384000;

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagALaw = 6;
constexpr std::uint16_t kTagMuLaw = 7;
constexpr std::uint16_t kTagExtensible = 0xFFFE;
// The tail every KSDATAFORMAT_SUBTYPE GUID of a plain WAVE tag shares.
constexpr std::array<unsigned char, 14> kSubtypeTail = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint16_t u16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t u32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

WavCheck refuse(AudioFault fault, const char* detail) { return {AudioResult::failure(fault, detail), {}}; }

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, void* into, std::size_t count) override
    {
        if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
        std::memcpy(into, bytes_.data() + offset, count);
        return true;
    }

private:
    std::string_view bytes_;
};

class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::filesystem::path& path) : in_(path, std::ios::binary)
    {
        std::error_code error;
        const bool regular = std::filesystem::is_regular_file(path, error);
        if (regular) size_ = std::filesystem::file_size(path, error);
        if (!regular || error) in_.close();
    }
    bool isOpen() const { return in_.is_open(); }
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, void* into, std::size_t count) override
    {
        if (offset > size_ || count > size_ - offset) return false;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(static_cast<char*>(into), static_cast<std::streamsize>(count));
        return in_.gcount() == static_cast<std::streamsize>(count);
    }

private:
    std::ifstream in_;
    std::uint64_t size_ = 0;
};

// Reads the format chunk's fields into info; returns the refusal, if any.
WavCheck checkFormat(const unsigned char* fmt, std::uint32_t size, WavInfo info)
{
    std::uint16_t tag = u16(fmt);
    info.channels = u16(fmt + 2);
    const std::uint32_t rate = u32(fmt + 4);
    info.blockAlign = u16(fmt + 12);
    info.bitsPerSample = u16(fmt + 14);

    if (tag == kTagExtensible) {
        if (size < 40 || u16(fmt + 16) < 22) return refuse(AudioFault::Damaged, "扩展格式块不完整");
        if (!std::equal(kSubtypeTail.begin(), kSubtypeTail.end(), fmt + 26))
            return refuse(AudioFault::UnsupportedFormat, "不支持的扩展编码");
        tag = u16(fmt + 24);
    }
    if (info.channels == 0) return refuse(AudioFault::Damaged, "声道数为0");
    if (rate == 0) return refuse(AudioFault::Damaged, "采样率为0");
    if (info.blockAlign == 0) return refuse(AudioFault::Damaged, "块对齐为0");
    if (info.channels > kMostChannels) return refuse(AudioFault::UnsupportedFormat, "声道太多");
    if (rate < kLowestRate || rate > kHighestRate) return refuse(AudioFault::UnsupportedFormat, "采样率超出范围");
    info.sampleRate = static_cast<int>(rate);

    const int bits = info.bitsPerSample;
    switch (tag) {
    case kTagPcm:
        if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
            return refuse(AudioFault::UnsupportedFormat, "不支持的采样位数");
        info.encoding = WavEncoding::PcmInteger;
        break;
    case kTagFloat:
        if (bits != 32 && bits != 64) return refuse(AudioFault::UnsupportedFormat, "不支持的浮点位数");
        info.encoding = WavEncoding::Float;
        break;
    case kTagALaw:
    case kTagMuLaw:
        if (bits != 8) return refuse(AudioFault::UnsupportedFormat, "不支持的采样位数");
        info.encoding = tag == kTagALaw ? WavEncoding::ALaw : WavEncoding::MuLaw;
        break;
    default:
        return refuse(AudioFault::UnsupportedFormat, "不支持的压缩编码");
    }
    if (info.blockAlign != info.channels * (bits / 8)) return refuse(AudioFault::Damaged, "块对齐与声道和位数不符");
    return {AudioResult::success(), info};
}

} // namespace

WavCheck checkWav(ByteSource& source)
{
    const std::uint64_t fileSize = source.size();
    if (fileSize == 0) return refuse(AudioFault::NotWav, "文件为空");
    unsigned char head[12] = {};
    if (!source.read(0, head, std::min<std::uint64_t>(fileSize, 12))) return refuse(AudioFault::Damaged, "读取失败");
    if (fileSize < 4 || std::memcmp(head, "RIFF", 4) != 0) {
        if (fileSize >= 4 && (std::memcmp(head, "RIFX", 4) == 0 || std::memcmp(head, "RF64", 4) == 0))
            return refuse(AudioFault::UnsupportedFormat, "不支持的RIFX/RF64文件");
        return refuse(AudioFault::NotWav, "文件开头不是RIFF");
    }
    if (fileSize < 12) return refuse(AudioFault::Damaged, "文件头不完整");
    if (std::memcmp(head + 8, "WAVE", 4) != 0) return refuse(AudioFault::NotWav, "RIFF文件的类型不是WAVE");

    const std::uint32_t riffSize = u32(head + 4);
    if (riffSize < 4) return refuse(AudioFault::Damaged, "RIFF长度太小");
    const std::uint64_t end = std::min<std::uint64_t>(fileSize, 8 + static_cast<std::uint64_t>(riffSize));

    WavInfo info;
    bool haveFormat = false;
    bool haveData = false;
    std::uint64_t pos = 12;
    for (int chunk = 0; !(haveFormat && haveData); ++chunk) {
        if (chunk >= kMostChunks) return refuse(AudioFault::Damaged, "数据块太多");
        if (pos + 8 > end) {
            return refuse(AudioFault::Damaged, haveFormat ? "文件不完整：缺少数据块" : "文件不完整：缺少格式块");
        }
        unsigned char header[8];
        if (!source.read(pos, header, 8)) return refuse(AudioFault::Damaged, "读取失败");
        const std::uint32_t size = u32(header + 4);
        const std::uint64_t body = pos + 8;
        if (size > end - body) {
            if (std::memcmp(header, "data", 4) == 0) return refuse(AudioFault::Damaged, "文件不完整：声音数据被截断");
            return refuse(AudioFault::Damaged, "数据块的长度超出了文件");
        }

        if (std::memcmp(header, "fmt ", 4) == 0 && !haveFormat) {
            if (size < 16) return refuse(AudioFault::Damaged, "格式块太短");
            unsigned char fmt[40] = {};
            if (!source.read(body, fmt, std::min<std::uint32_t>(size, sizeof fmt)))
                return refuse(AudioFault::Damaged, "读取失败");
            WavCheck checked = checkFormat(fmt, size, info);
            if (!checked.result.ok()) return checked;
            info = checked.info;
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0 && !haveData) {
            info.dataOffset = body;
            info.dataBytes = size;
            haveData = true;
        }
        // Chunks are padded to an even length; a missing pad byte at the very end is harmless.
        pos = body + size + (size & 1u);
    }
    return {AudioResult::success(), info};
}

WavCheck checkWavBytes(std::string_view bytes)
{
    MemorySource source(bytes);
    return checkWav(source);
}

WavCheck checkWavFile(const std::filesystem::path& path)
{
    FileSource source(path);
    if (!source.isOpen()) return refuse(AudioFault::FileUnreadable, "");
    return checkWav(source);
}

} // namespace penlark
