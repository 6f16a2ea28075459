// The state hash feeds every field in by value, one at a time, never raw struct bytes (padding
// has no defined contents). Each step is a bijection of the running value for a fixed input
// word, so changing any single word always changes the result.
#include "app/statehash.hpp"

#include "tools/panelfields.hpp"

#include <cstring>
#include <string>
#include <vector>

namespace wh {

namespace {

constexpr uint64_t kHashStart = 0xcbf29ce484222325ULL; // FNV-1a's 64-bit offset basis
constexpr uint64_t kHashMultiplier = 0x9e3779b97f4a7c15ULL;
constexpr uint64_t kFinalMultiplier = 0xff51afd7ed558ccdULL; // MurmurHash3's fmix64

// The bits of a value of another type of the same size; std::bit_cast is missing from some
// libraries the game builds with.
template <typename To, typename From> To bitsOf(From v) {
    static_assert(sizeof(To) == sizeof(From));
    To bits{};
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

class Hasher {
public:
    void word(uint64_t v) {
        h_ ^= v;
        h_ *= kHashMultiplier;
        h_ ^= h_ >> 32;
    }
    void integer(int64_t v) { word(static_cast<uint64_t>(v)); }
    void real(double v) { word(bitsOf<uint64_t>(v)); }
    void real(float v) { word(bitsOf<uint32_t>(v)); }
    void flag(bool v) { word(v ? 1 : 0); }
    // The length first, so neighbouring texts cannot trade characters.
    void text(const std::string& s) {
        word(s.size());
        uint64_t packed = 0;
        int filled = 0;
        for (const char c : s) {
            packed |= uint64_t{static_cast<unsigned char>(c)} << (8 * filled);
            if (++filled == 8) {
                word(packed);
                packed = 0;
                filled = 0;
            }
        }
        if (filled != 0) {
            word(packed);
        }
    }
    uint64_t result() const {
        uint64_t h = h_;
        h ^= h >> 33;
        h *= kFinalMultiplier;
        h ^= h >> 33;
        return h;
    }

private:
    uint64_t h_ = kHashStart;
};

void hashPlayfield(Hasher& h, const Playfield& p) {
    // Two colour values per word; the level picture behind Cls is a constant of the program.
    const std::vector<Colour>& px = p.pixels();
    h.word(px.size());
    size_t i = 0;
    for (; i + 1 < px.size(); i += 2) {
        h.word(uint64_t{static_cast<uint32_t>(px[i])} |
               (uint64_t{static_cast<uint32_t>(px[i + 1])} << 32));
    }
    if (i < px.size()) {
        h.word(static_cast<uint32_t>(px[i]));
    }
    h.integer(p.drawWidth());
    h.integer(p.drawMode);
    h.real(p.Left);
    h.real(p.Top);
}

void hashRocks(Hasher& h, const RockTable& t) {
    h.integer(t.rockcount);
    h.integer(t.crowdClean);
    for (const Rock& r : t.rocks) {
        h.integer(r.xt);
        h.integer(r.yt);
        h.integer(r.x);
        h.integer(r.y);
        h.integer(r.xdis);
        h.integer(r.ydis);
        h.integer(r.type);
        h.integer(r.subtype);
        h.integer(r.count);
        h.integer(r.fullcount);
        h.integer(r.countstep);
    }
}

void hashVehicle(Hasher& h, const Vehicle& v) {
    for (const int64_t field :
         {int64_t{v.bodyx1},    int64_t{v.bodyy1},   int64_t{v.bodyx2},     int64_t{v.bodyy2},
          int64_t{v.xspeed},    int64_t{v.yspeed},   int64_t{v.bodylength}, int64_t{v.bodyangle},
          int64_t{v.bodydy},    int64_t{v.bodydx},   int64_t{v.speeddiv},   int64_t{v.airborne},
          int64_t{v.gunx},      int64_t{v.guny},     int64_t{v.guntipx},    int64_t{v.guntipy},
          int64_t{v.gunlength}, int64_t{v.gunangle}, int64_t{v.gundy},      int64_t{v.gundx}}) {
        h.integer(field);
    }
}

void hashKeys(Hasher& h, const KeyFlags& k) {
    for (const int16_t flag :
         {k.leftkey, k.rightkey, k.gunleftkey, k.gunrightkey, k.firekey, k.trigger}) {
        h.integer(flag);
    }
}

void hashList(Hasher& h, const ListBox& l) {
    h.word(l.entries.size());
    for (const std::string& e : l.entries) {
        h.text(e);
    }
    h.integer(l.selected);
}

void hashPanel(Hasher& h, const Panel& p) {
    h.flag(p.visible);
    hashList(h, p.typelist);
    hashList(h, p.subtypelist);
    h.text(p.typelbl);
    h.text(p.subtypelbl);
    for (const PanelTextField& f : kPanelTextFields) {
        h.text(p.*f.text);
    }
    for (const PanelCheckField& f : kPanelCheckFields) {
        h.flag(p.*f.ticked);
    }
}

} // namespace

uint64_t stateHash(const Game& g) {
    Hasher h;
    hashPlayfield(h, g.picground);
    hashRocks(h, g.rocks);
    hashVehicle(h, g.vehicle);
    hashKeys(h, g.keys);
    hashPanel(h, g.panel);
    h.word(g.timer2.interval);
    h.flag(g.timer2.enabled);
    h.word(g.timer2.since);
    h.word(g.rng.state);
    h.word(g.rng.inc);
    h.integer(g.passstart);
    h.integer(g.aimangle);
    h.real(g.pi);
    h.real(g.degtorad);
    for (const int16_t v : {g.paused, g.passthrough, g.weapon, g.paintmode, g.brushwidth,
                            g.dropbullets, g.dropping, g.painting, g.stage}) {
        h.integer(v);
    }
    h.word(g.now);
    h.word(g.beeps);
    h.flag(g.ended);
    // g.sounds is left out: it is the front end's news of the world, not the world. It is emptied
    // when the front end has heard it and fills up in the runner, which never does, so hashing it
    // would tell the two apart while they play the very same game.
    return h.result();
}

} // namespace wh
