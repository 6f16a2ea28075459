// The mixer: a fixed set of voices summed into stereo 16-bit frames under a soft limiter, and
// where a sound sits for the listener: panned by its place across the view, fainter the further
// it is outside it. Plain C++: no SDL, no clock, the same output for the same calls.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace wh::front {

struct Placement {
    float gain = 0; // 0 to 1
    float pan = 0;  // -1 all left, 0 centre, 1 all right
};

// A sound at playfield (x, y) twips, heard with the view's corner at playfield (-left, -top), as
// the playfield's Left and Top place it: across the view it pans from left to right at full
// gain; outside it, it keeps to its side and fades out over a view's width.
Placement placeInView(int32_t x, int32_t y, float left, float top);

class Mixer {
public:
    static constexpr int kMaxVoices = 24;

    explicit Mixer(int sampleRate);

    // Starts a sound of mono samples, which must outlive it, at its gain and pan. With every
    // voice busy it takes the place of the quietest (the softest and furthest gone), unless it
    // would be quieter still: then it is not played, and false says so.
    bool play(std::span<const float> samples, float gain, float pan);
    // The next frames, interleaved left and right. Each voice moves on by as many.
    void mix(std::span<int16_t> stereo);

    // The volume, 0 to 1, applied before the limiter.
    void setMasterGain(float gain) { master_ = gain; }
    float masterGain() const { return master_; }
    int voicesPlaying() const;
    uint64_t framesMixed() const { return framesMixed_; }
    // Sounds started, sounds refused for want of a voice, and voices taken over, since the start.
    uint64_t started() const { return started_; }
    uint64_t refused() const { return refused_; }
    uint64_t stolen() const { return stolen_; }

private:
    struct Voice {
        std::span<const float> samples; // empty: the voice is free
        size_t at = 0;
        float gain = 0;
        float left = 0;
        float right = 0;
    };
    // How loud a voice still is: its gain, times the share of it still to come.
    static float loudness(const Voice& v);

    std::array<Voice, kMaxVoices> voices_{};
    float master_ = 1;
    float envelope_ = 0; // the limiter's measure of the loudest recent sum
    float attack_;       // the share of a rise it follows each frame
    float release_;      // the share of itself it keeps each frame as the sum falls
    uint64_t framesMixed_ = 0;
    uint64_t started_ = 0;
    uint64_t refused_ = 0;
    uint64_t stolen_ = 0;
};

// The limiter's curve: levels up to the knee pass as they are; above it they are bent smoothly
// towards the ceiling, never past it.
float softLimit(float level);
inline constexpr float kLimiterKnee = 0.5F;
inline constexpr float kLimiterCeiling = 0.95F; // of full scale

} // namespace wh::front
