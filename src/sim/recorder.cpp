// Quiet passes are gathered into one `pass N` line; a pass with events is written as `work`,
// its events, then `tick`, which is the order the window delivers them in.
#include "recorder.hpp"

#include <cstdio>

namespace wh::sim {

namespace {

// Nine significant digits carry every float exactly through the runner's reading.
std::string number(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

} // namespace

Recorder::Recorder(std::ostream& out, uint64_t seed) : out_(out) {
    out_ << "# A Wreckhaul session: play it again with wreckhaul --replay FILE, or without a "
            "window with wreckhaul-sim FILE\n";
    out_ << "seed " << seed << "\n";
}

Recorder::~Recorder() {
    finish();
}

void Recorder::passWorked() {
    inPass_ = true;
    passWritten_ = false;
}

void Recorder::passTicked() {
    if (passWritten_) {
        out_ << "tick\n";
    } else if (inPass_) {
        ++quiet_;
    }
    inPass_ = false;
    passWritten_ = false;
}

void Recorder::flushQuiet() {
    if (quiet_ > 0) {
        out_ << "pass " << quiet_ << "\n";
        quiet_ = 0;
    }
}

std::ostream& Recorder::event() {
    flushQuiet();
    if (inPass_ && !passWritten_) {
        out_ << "work\n";
        passWritten_ = true;
    }
    return out_;
}

void Recorder::keyDown(int16_t vk) {
    event() << "keydown " << vk << "\n";
}

void Recorder::keyUp(int16_t vk) {
    event() << "keyup " << vk << "\n";
}

void Recorder::character(int16_t code) {
    event() << "char " << code << "\n";
}

void Recorder::click(float x, float y, int16_t button) {
    event() << "click " << number(x) << " " << number(y) << " " << button << "\n";
}

void Recorder::mouse(std::string_view command, int16_t buttons, float x, float y) {
    event() << command << " " << buttons << " " << number(x) << " " << number(y) << "\n";
}

void Recorder::mouseDown(int16_t button, float x, float y) {
    mouse("mousedown", button, x, y);
}

void Recorder::mouseMove(int16_t buttons, float x, float y) {
    mouse("mousemove", buttons, x, y);
}

void Recorder::mouseUp(int16_t button, float x, float y) {
    mouse("mouseup", button, x, y);
}

void Recorder::select(std::string_view list, int position) {
    event() << "select " << list << " " << position << "\n";
}

// The runner takes everything after one blank as the text, so any text but a line break
// survives; the panel's boxes hold a single line.
void Recorder::text(std::string_view field, std::string_view typed) {
    event() << "text " << field << " " << typed << "\n";
}

void Recorder::check(std::string_view field, bool ticked) {
    event() << "check " << field << " " << (ticked ? 1 : 0) << "\n";
}

void Recorder::finish() {
    flushQuiet();
    if (inPass_ && !passWritten_) {
        // The session ended after a pass's work and before its event step (the window closed):
        // the work ran, the tick never did.
        out_ << "work\n";
    }
    inPass_ = false;
    passWritten_ = false;
    out_.flush();
}

} // namespace wh::sim
