// Quiet passes are gathered into one `pass N` line; a pass with inputs or a clock reading is
// written as `work`, its lines, then `tick`, which is the order the window delivers them in.
#include "session/recorder.hpp"

#include "app/statehash.hpp"

namespace wh::session {

Recorder::Recorder(Session& session, std::ostream& out) : session_(&session), out_(out) {
    out_ << lineText(HeaderLine{kReplayVersion}) << "\n";
    out_ << "# A Wreckhaul session: play it again with wreckhaul --replay FILE, or without a "
            "window with wreckhaul-sim FILE\n";
    session_->setListener(this);
}

Recorder::~Recorder() {
    finish();
}

void Recorder::write(const Line& line) {
    out_ << lineText(line) << "\n";
}

void Recorder::flushQuiet() {
    if (quiet_ > 0) {
        write(PassLine{static_cast<int64_t>(quiet_)});
        quiet_ = 0;
    }
}

void Recorder::writeInPass(const Line& line) {
    flushQuiet();
    if (inPass_ && !passWritten_) {
        write(WorkLine{});
        passWritten_ = true;
    }
    write(line);
}

void Recorder::started(uint64_t seed) {
    flushQuiet();
    inPass_ = false;
    passWritten_ = false;
    write(SeedLine{seed});
}

void Recorder::clockRead(uint32_t ms) {
    writeInPass(ClockLine{ms});
}

void Recorder::worked() {
    inPass_ = true;
    passWritten_ = false;
}

void Recorder::delivered(const Input& input) {
    writeInPass(input);
}

void Recorder::ticked() {
    if (passWritten_) {
        write(TickLine{});
    } else if (inPass_) {
        ++quiet_;
    }
    inPass_ = false;
    passWritten_ = false;
    const uint64_t passes = session_->passes();
    if (passes % kCheckEveryPasses == 0) {
        flushQuiet();
        write(CheckLine{passes, stateHash(session_->game())});
    }
    if (passes % kFlushEveryPasses == 0) {
        flushQuiet();
        out_.flush();
    }
}

void Recorder::finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    session_->setListener(nullptr);
    flushQuiet();
    if (inPass_ && !passWritten_) {
        // The session ended after a pass's work and before its event step (the window closed):
        // the work ran, the tick never did.
        write(WorkLine{});
    }
    write(CheckLine{session_->passes(), stateHash(session_->game())});
    out_.flush();
}

} // namespace wh::session
