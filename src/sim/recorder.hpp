// Writes a played session as a script the runner can play again: the seed, then every pass and
// every event in the order the game received it, so a replay reaches the very same state.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>

namespace wh::sim {

class Recorder {
public:
    // Writes the heading and the seed the game was started with.
    Recorder(std::ostream& out, uint64_t seed);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // A pass's work has run; the events that follow belong to it until passTicked().
    void passWorked();
    // The pass's event step has closed it.
    void passTicked();

    void keyDown(int16_t vk);
    void keyUp(int16_t vk);
    void character(int16_t code);
    void click(float x, float y, int16_t button);     // playfield twips
    void mouseDown(int16_t button, float x, float y); // window twips
    void mouseMove(int16_t buttons, float x, float y);
    void mouseUp(int16_t button, float x, float y);
    void select(std::string_view list, int position);
    void text(std::string_view field, std::string_view typed);
    void check(std::string_view field, bool ticked);

    // Writes what is still held back (the quiet passes at the end) and flushes.
    void finish();

private:
    // Starts an event line: the pass it arrived in is written first.
    std::ostream& event();
    void mouse(std::string_view command, int16_t buttons, float x, float y);
    void flushQuiet();

    std::ostream& out_;
    uint64_t quiet_ = 0;       // whole passes without an event, not yet written
    bool inPass_ = false;      // between passWorked() and passTicked()
    bool passWritten_ = false; // this pass's `work` line is out
};

} // namespace wh::sim
