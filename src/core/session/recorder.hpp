// Writes a session as it is played: the header, the seed, every clock reading, pass and input in
// the order the game received it, and the state hash every ten seconds of passes and at the end,
// so a replay reaches the very same state and says where it no longer does.
#pragma once

#include "session/lines.hpp"
#include "session/session.hpp"

#include <cstdint>
#include <ostream>

namespace wh::session {

// Ten seconds of passes between checks of the state hash.
inline constexpr uint64_t kCheckEveryPasses = 10000 / kPassMillis;
// The recording is flushed at least this often, so a game that dies loses at most a second.
inline constexpr uint64_t kFlushEveryPasses = 1000 / kPassMillis;

class Recorder : public Listener {
public:
    // Listens to `session` from now on and writes the header; the seed comes with start().
    Recorder(Session& session, std::ostream& out);
    ~Recorder() override;
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    void started(uint64_t seed) override;
    void clockRead(uint32_t ms) override;
    void worked() override;
    void delivered(const Input& input) override;
    void ticked() override;

    // Writes what is still held back (quiet passes, a work without its tick), the final check,
    // and flushes; the session is no longer heard. Called again, it does nothing.
    void finish();

private:
    void write(const Line& line);
    // A line inside a pass: the pass's work is written first.
    void writeInPass(const Line& line);
    void flushQuiet();

    Session* session_;
    std::ostream& out_;
    uint64_t quiet_ = 0;       // whole passes without a line of their own, not yet written
    bool inPass_ = false;      // between a work and its tick
    bool passWritten_ = false; // this pass's `work` line is out
    bool finished_ = false;
};

} // namespace wh::session
