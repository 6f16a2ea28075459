// Opening the sound device without a word on standard error, and feeding it. The device pulls
// 512 frames at a time, about 11 ms, so a pass's sounds start a buffer or two after it.
#include "front/audio.hpp"

#include <dlfcn.h>

#include <algorithm>
#include <span>

namespace wh::front {

namespace {

constexpr int kRate = 48000;
constexpr int kBufferFrames = 512;
constexpr int kChannels = 2;

// The drivers tried when the player names none: the sound servers first, which say nothing when
// there is no server to talk to (PulseAudio first, as PipeWire desktops serve it too); ALSA last,
// quietened below.
constexpr const char* kServerDrivers[] = {"pulseaudio", "pipewire"};
constexpr const char* kAlsaDriver = "alsa";

// alsa-lib reports every failure to open a device on standard error, eight lines at each start
// on a machine with no sound card, and no setting or environment variable stops it: only its
// error handler does. SDL loads the library itself when its ALSA driver starts, so the very same
// library is loaded here first and given a handler that says nothing, for as long as SDL may use
// it (its hot-plug thread reads the device list again now and then, long after the start).
class QuietAlsa {
public:
    QuietAlsa() : library_(dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL)) {
        if (library_ == nullptr) {
            return; // then SDL cannot load it either, and it prints nothing
        }
        setHandler_ = reinterpret_cast<SetHandler>(dlsym(library_, "snd_lib_error_set_handler"));
        if (setHandler_ != nullptr) {
            setHandler_(&sayNothing);
        }
    }
    ~QuietAlsa() {
        if (library_ != nullptr) {
            dlclose(library_);
        }
    }
    QuietAlsa(const QuietAlsa&) = delete;
    QuietAlsa& operator=(const QuietAlsa&) = delete;

private:
    // snd_lib_error_handler_t and snd_lib_error_set_handler, as alsa-lib declares them.
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    static void sayNothing(const char*, int, const char*, int, const char*, ...) {}

    void* library_;
    SetHandler setHandler_ = nullptr;
};

} // namespace

Audio::Audio(int volume, bool muted) : volume_(std::clamp(volume, 0, kMaxVolume)), muted_(muted) {
    if (!open()) {
        return;
    }
    scape_ = std::make_unique<Soundscape>(rate_);
    scape_->setVolume(volume_);
    scape_->setMuted(muted_);
    SDL_PauseAudioDevice(device_, 0);
}

Audio::~Audio() {
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
    }
    if (ownDriver_) {
        SDL_AudioQuit();
    } else if (device_ != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool Audio::open() {
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_S16SYS;
    want.channels = kChannels;
    want.samples = kBufferFrames;
    want.callback = &Audio::fill;
    want.userdata = this;
    SDL_AudioSpec have{};
    // The sounds are made at whatever rate the device runs; SDL converts anything else.
    auto openDevice = [&] {
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        return device_ != 0;
    };
    if (SDL_GetHint(SDL_HINT_AUDIODRIVER) != nullptr) {
        // The player named the driver (SDL_AUDIODRIVER): SDL starts it as asked.
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return false;
        }
        if (!openDevice()) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
    } else {
        for (const char* driver : kServerDrivers) {
            if (SDL_AudioInit(driver) == 0) {
                if (openDevice()) {
                    break;
                }
                SDL_AudioQuit();
            }
        }
        if (device_ == 0) {
            // Kept for the rest of the program: SDL may hold the library until SDL_Quit.
            static QuietAlsa quiet;
            if (SDL_AudioInit(kAlsaDriver) != 0) {
                return false;
            }
            if (!openDevice()) {
                SDL_AudioQuit();
                return false;
            }
        }
        ownDriver_ = true;
    }
    rate_ = have.freq;
    bufferFrames_ = have.samples;
    return true;
}

void SDLCALL Audio::fill(void* self, Uint8* stream, int bytes) {
    auto* audio = static_cast<Audio*>(self);
    std::span<int16_t> out(reinterpret_cast<int16_t*>(stream),
                           static_cast<size_t>(bytes) / sizeof(int16_t));
    if (audio->scape_ != nullptr) {
        audio->scape_->render(out);
    } else {
        std::fill(out.begin(), out.end(), int16_t{0});
    }
}

void Audio::hear(const SoundEvents& events, float left, float top) {
    if (device_ == 0 || events.events().empty()) {
        return;
    }
    SDL_LockAudioDevice(device_);
    scape_->hear(events.events(), left, top);
    SDL_UnlockAudioDevice(device_);
}

uint64_t Audio::soundsStarted() const {
    if (device_ == 0) {
        return 0;
    }
    SDL_LockAudioDevice(device_);
    const uint64_t started = scape_->mixer().started();
    SDL_UnlockAudioDevice(device_);
    return started;
}

void Audio::setVolume(int percent) {
    volume_ = std::clamp(percent, 0, kMaxVolume);
    if (device_ != 0) {
        SDL_LockAudioDevice(device_);
        scape_->setVolume(volume_);
        SDL_UnlockAudioDevice(device_);
    }
}

void Audio::setMuted(bool muted) {
    muted_ = muted;
    if (device_ != 0) {
        SDL_LockAudioDevice(device_);
        scape_->setMuted(muted_);
        SDL_UnlockAudioDevice(device_);
    }
}

} // namespace wh::front
