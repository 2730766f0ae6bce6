#pragma once

#include <filesystem>
#include <string>

namespace penlark {

// Why a sound operation failed. The handlers turn it into the message the user sees.
enum class AudioFault {
    None,
    FileUnreadable,     // the file is missing or cannot be read
    NotWav,             // not a RIFF WAVE file at all
    Damaged,            // truncated, or chunk sizes and fields that cannot be right
    UnsupportedFormat,  // a WAV encoding the player does not decode
    NoDevice,           // no sound output or input to use
    DeviceFailed,       // the sound system refused the device or failed while using it
    WriteFailed,        // a recording could not be written
};

struct AudioResult {
    AudioFault fault = AudioFault::None;
    std::string detail;  // UTF-8, what the system or the reader said; may be empty

    bool ok() const { return fault == AudioFault::None; }
    static AudioResult success() { return {}; }
    static AudioResult failure(AudioFault fault, std::string detail = {}) { return {fault, std::move(detail)}; }
};

enum class PlaybackState { Closed, Stopped, Playing, Paused };

// The sound system as the program uses it: the audio player `媒体播放1` and the audio
// recorder `录音1` of the main window. Every call returns at once; playing and capturing go
// on in the background. Tests replace it with a scripted double.
class AudioServices {
public:
    virtual ~AudioServices() = default;

    // Playback. Opening closes whatever was open first; a file that is refused leaves nothing
    // open. Play starts from the beginning after opening or stopping and from the paused
    // position after a pause. Reaching the end is not reported: the state stays Playing.
    virtual AudioResult openMedia(const std::filesystem::path& path) = 0;
    virtual AudioResult play() = 0;
    virtual void pause() = 0;
    virtual void stopPlayback() = 0;
    virtual void closeMedia() = 0;
    virtual PlaybackState playbackState() const = 0;

    // Capture from the default input as PCM mono 8000 Hz 16-bit. Starting drops the sound
    // kept from before; when the input cannot be opened the reason is returned and an empty
    // recording is kept. The sound goes to a spool file as it arrives, so memory does not
    // grow with the length of a recording.
    virtual AudioResult startRecording() = 0;
    // Stops capturing and keeps what was captured, the last partial buffer included. Returns
    // the reason when capturing failed on the way (what came before the failure is kept).
    virtual AudioResult stopRecording() = 0;
    // Writes the kept sound to path as a WAV file (the canonical 44-byte header, then the
    // samples), replacing an existing file whole or leaving it untouched on failure.
    virtual AudioResult saveRecording(const std::filesystem::path& path) = 0;
    virtual bool isRecording() const = 0;
};

} // namespace penlark
