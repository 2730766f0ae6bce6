#include "audio/recording_spool.h"

#include "audio/wav_header.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace penlark {

namespace {

std::string reasonOf(int error) { return std::generic_category().message(error); }

// A name beside the target that no other file has; opened exclusively, so an existing file
// (or a link planted under that name) is never written through.
std::FILE* openTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& chosen)
{
    std::random_device seed;
    for (int attempt = 0; attempt < 16; ++attempt) {
        chosen = target;
        chosen += ".part" + std::to_string(seed() % 1000000000u);
        if (std::FILE* file = std::fopen(chosen.c_str(), "wbx")) return file;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

} // namespace

RecordingSpool::RecordingSpool(std::filesystem::path spoolFile) : spoolFile_(std::move(spoolFile)) {}

RecordingSpool::~RecordingSpool()
{
    if (file_ != nullptr) std::fclose(file_);
    std::error_code ignored;
    std::filesystem::remove(spoolFile_, ignored);
}

void RecordingSpool::failOnce(AudioFault fault, std::string detail)
{
    if (failure_.ok()) failure_ = AudioResult::failure(fault, std::move(detail));
}

AudioResult RecordingSpool::begin()
{
    std::lock_guard lock(mutex_);
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    sampleBytes_ = 0;
    complete_ = false;
    pendingByte_ = false;
    failure_ = {};

    std::error_code ignored;
    std::filesystem::remove(spoolFile_, ignored);
    file_ = std::fopen(spoolFile_.c_str(), "wb");
    if (file_ == nullptr) {
        failOnce(AudioFault::WriteFailed, reasonOf(errno));
        return failure_;
    }
    const auto header = recordingWavHeader(0);
    if (std::fwrite(header.data(), 1, header.size(), file_) != header.size()) {
        failOnce(AudioFault::WriteFailed, reasonOf(errno));
        std::fclose(file_);
        file_ = nullptr;
    }
    return failure_;
}

void RecordingSpool::append(const char* bytes, std::size_t count)
{
    std::lock_guard lock(mutex_);
    if (file_ == nullptr || count == 0 || !failure_.ok()) return;

    // Whole samples only: a byte left over from the last buffer goes first.
    std::vector<char> joined;
    if (pendingByte_) {
        joined.reserve(count + 1);
        joined.push_back(pending_);
        joined.insert(joined.end(), bytes, bytes + count);
        bytes = joined.data();
        count = joined.size();
        pendingByte_ = false;
    }
    if (count % 2 != 0) {
        pending_ = bytes[count - 1];
        pendingByte_ = true;
        --count;
    }
    if (sampleBytes_ + count > kMaxRecordingSampleBytes) {
        count = static_cast<std::size_t>(kMaxRecordingSampleBytes - sampleBytes_);
        failOnce(AudioFault::WriteFailed, "the recording reached the longest length a WAV file can hold");
        pendingByte_ = false;
    }
    const std::size_t written = std::fwrite(bytes, 1, count, file_);
    sampleBytes_ += written - written % 2;
    if (written != count) failOnce(AudioFault::WriteFailed, reasonOf(errno));
}

AudioResult RecordingSpool::end()
{
    std::lock_guard lock(mutex_);
    pendingByte_ = false;
    if (file_ == nullptr) return failure_;

    // A short write may have left half a sample; the header counts whole samples only.
    bool written = std::fflush(file_) == 0;
    const auto header = recordingWavHeader(static_cast<std::uint32_t>(sampleBytes_));
    written = written && std::fseek(file_, 0, SEEK_SET) == 0 &&
              std::fwrite(header.data(), 1, header.size(), file_) == header.size() && std::fflush(file_) == 0;
    const int error = errno;
    written = (std::fclose(file_) == 0) && written;
    file_ = nullptr;
    if (!written) {
        failOnce(AudioFault::WriteFailed, reasonOf(error));
        return failure_;
    }
    complete_ = true;
    return failure_;
}

AudioResult RecordingSpool::saveTo(const std::filesystem::path& target) const
{
    std::lock_guard lock(mutex_);
    std::filesystem::path temporary;
    std::FILE* out = openTemporaryBeside(target, temporary);
    if (out == nullptr) return AudioResult::failure(AudioFault::WriteFailed, reasonOf(errno));

    bool ok = true;
    int error = 0;
    std::uint64_t remaining = complete_ ? kWavHeaderSize + sampleBytes_ : 0;
    if (remaining > 0) {
        std::FILE* in = std::fopen(spoolFile_.c_str(), "rb");
        ok = in != nullptr;
        std::vector<char> buffer(1 << 16);
        while (ok && remaining > 0) {
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, buffer.size()));
            const std::size_t got = std::fread(buffer.data(), 1, want, in);
            ok = got == want && std::fwrite(buffer.data(), 1, got, out) == got;
            remaining -= got;
        }
        if (!ok) error = errno;
        if (in != nullptr) std::fclose(in);
    } else {
        const auto header = recordingWavHeader(0);
        ok = std::fwrite(header.data(), 1, header.size(), out) == header.size();
        if (!ok) error = errno;
    }
    if (ok && std::fflush(out) != 0) {
        ok = false;
        error = errno;
    }
    if (std::fclose(out) != 0 && ok) {
        ok = false;
        error = errno;
    }

    std::error_code renameError;
    if (ok) std::filesystem::rename(temporary, target, renameError);
    if (!ok || renameError) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return AudioResult::failure(AudioFault::WriteFailed, renameError ? renameError.message() : reasonOf(error));
    }
    return AudioResult::success();
}

bool RecordingSpool::isOpen() const
{
    std::lock_guard lock(mutex_);
    return file_ != nullptr;
}

std::uint64_t RecordingSpool::sampleBytes() const
{
    std::lock_guard lock(mutex_);
    return sampleBytes_;
}

} // namespace penlark
