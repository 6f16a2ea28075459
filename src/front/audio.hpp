// The sound device: opened quietly at start-up, fed by the soundscape from SDL's audio thread,
// and silent, without a word, where the machine has no device to open.
#pragma once

#include "app/soundevents.hpp"
#include "front/soundscape.hpp"

#include <SDL.h>

#include <memory>

namespace wh::front {

class Audio {
public:
    Audio(int volume, bool muted);
    ~Audio();
    Audio(const Audio&) = delete;
    Audio& operator=(const Audio&) = delete;

    // The pass's events, heard from the view at the playfield's Left and Top; returns at once.
    void hear(const SoundEvents& events, float left, float top);

    void setVolume(int percent);
    int volume() const { return volume_; }
    void setMuted(bool muted);
    bool muted() const { return muted_; }

    bool hasDevice() const { return device_ != 0; }
    // The device's rate and the frames of one buffer it asks for; 0 without a device.
    int sampleRate() const { return rate_; }
    int bufferFrames() const { return bufferFrames_; }
    // Sounds started since the device opened; 0 without a device.
    uint64_t soundsStarted() const;

private:
    static void SDLCALL fill(void* self, Uint8* stream, int bytes);
    bool open();

    SDL_AudioDeviceID device_ = 0;
    bool ownDriver_ = false; // the driver was started here by name, and is stopped here
    int rate_ = 0;
    int bufferFrames_ = 0;
    std::unique_ptr<Soundscape> scape_;
    int volume_;
    bool muted_;
};

} // namespace wh::front
