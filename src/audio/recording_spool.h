#pragma once

#include "audio/audio_services.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <mutex>

namespace penlark {

// The kept sound of the recorder, on disk rather than in memory: a WAV file whose header is
// written with zero sizes when a recording begins, whose samples are appended as the capture
// delivers them, and whose sizes are filled in when it ends. Saving copies it.
//
// `append` may be called from the capture thread while the GUI thread does nothing else
// with the spool; every other call belongs to the GUI thread.
class RecordingSpool {
public:
    explicit RecordingSpool(std::filesystem::path spoolFile);
    ~RecordingSpool();
    RecordingSpool(const RecordingSpool&) = delete;
    RecordingSpool& operator=(const RecordingSpool&) = delete;

    // Drops the sound kept from before and opens an empty recording.
    AudioResult begin();
    // Samples as captured (16-bit little-endian). A byte left over from an odd-sized buffer
    // waits for its partner. Past the longest length a WAV file can describe, samples are
    // dropped and `end` reports it.
    void append(const char* bytes, std::size_t count);
    // Writes the sizes into the header and closes the file. Returns the first write failure
    // since `begin`, if any.
    AudioResult end();
    // Copies the kept sound to target through a temporary file beside it, so an existing file
    // is replaced whole or not at all. With nothing kept (no recording, or its spool could not
    // be written) the file holds the 44-byte header and no samples.
    AudioResult saveTo(const std::filesystem::path& target) const;

    bool isOpen() const;
    std::uint64_t sampleBytes() const;
    const std::filesystem::path& spoolFile() const { return spoolFile_; }

private:
    void failOnce(AudioFault fault, std::string detail);

    std::filesystem::path spoolFile_;
    mutable std::mutex mutex_;
    std::FILE* file_ = nullptr;
    std::uint64_t sampleBytes_ = 0;
    bool complete_ = false;  // the spool holds a finished recording
    bool pendingByte_ = false;
    char pending_ = 0;
    AudioResult failure_;
};

} // namespace penlark
