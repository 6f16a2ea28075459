// A 100 ms square wave queued on an SDL audio device opened once; a beep that finds the queue
// still sounding is not stacked on top, so a burst of beeps stays one short sound.
#include "front/beep.hpp"

#include <vector>

namespace wh::front {

namespace {
constexpr int kRate = 22050;
constexpr int kToneHz = 880;
constexpr int kToneMillis = 100;
constexpr int16_t kAmplitude = 3000;
} // namespace

Beeper::Beeper() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return;
    }
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 512;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ != 0) {
        SDL_PauseAudioDevice(device_, 0);
    }
}

Beeper::~Beeper() {
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Beeper::beep() {
    if (device_ == 0 || SDL_GetQueuedAudioSize(device_) > 0) {
        return;
    }
    constexpr int samples = kRate * kToneMillis / 1000;
    constexpr int halfPeriod = kRate / kToneHz / 2;
    std::vector<int16_t> tone(samples);
    for (int i = 0; i < samples; ++i) {
        tone[static_cast<size_t>(i)] = ((i / halfPeriod) % 2 == 0) ? kAmplitude : -kAmplitude;
    }
    SDL_QueueAudio(device_, tone.data(), static_cast<Uint32>(tone.size() * sizeof(int16_t)));
}

} // namespace wh::front
