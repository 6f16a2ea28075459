// The named variables, under the game's own names, in the order the dump lists them. The
// playfield's Left and Top are `left` and `top`; Frame1's visibility is `frame1`.
#include "variables.hpp"

#include "session/numbers.hpp"
#include "tools/panelfields.hpp"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cstddef>
#include <limits>
#include <utility>

namespace wh::sim {

using session::readInteger;
using session::readReal;

namespace {

// Pen widths the playfield takes.
constexpr int64_t kMinPenWidth = 1;

#define WH_FIELD(expr) [](Game& g) -> Field { return expr; }

constexpr std::array kGameVariables = {
    Variable{"rockcount", WH_FIELD(&g.rocks.rockcount), Access::set, 0, kLastRockIndex},
    Variable{"passstart", WH_FIELD(&g.passstart), Access::dumpOnly},
    Variable{"now", WH_FIELD(&g.now), Access::dumpOnly},
    Variable{"aimangle", WH_FIELD(&g.aimangle)},
    Variable{"pi", WH_FIELD(&g.pi)},
    Variable{"degtorad", WH_FIELD(&g.degtorad)},
    Variable{"paused", WH_FIELD(&g.paused)},
    Variable{"passthrough", WH_FIELD(&g.passthrough)},
    Variable{"weapon", WH_FIELD(&g.weapon)},
    Variable{"paintmode", WH_FIELD(&g.paintmode)},
    Variable{"brushwidth", WH_FIELD(&g.brushwidth)},
    Variable{"dropbullets", WH_FIELD(&g.dropbullets)},
    Variable{"dropping", WH_FIELD(&g.dropping)},
    Variable{"painting", WH_FIELD(&g.painting)},
    Variable{"stage", WH_FIELD(&g.stage)},
    Variable{"left", WH_FIELD(&g.picground.Left)},
    Variable{"top", WH_FIELD(&g.picground.Top)},
    Variable{"drawwidth", WH_FIELD(PenWidth{&g.picground}), Access::set, kMinPenWidth,
             kMaxPenWidth},
    Variable{"drawmode", WH_FIELD(&g.picground.drawMode)},
    Variable{"bodyx1", WH_FIELD(&g.vehicle.bodyx1)},
    Variable{"bodyy1", WH_FIELD(&g.vehicle.bodyy1)},
    Variable{"bodyx2", WH_FIELD(&g.vehicle.bodyx2)},
    Variable{"bodyy2", WH_FIELD(&g.vehicle.bodyy2)},
    Variable{"xspeed", WH_FIELD(&g.vehicle.xspeed)},
    Variable{"yspeed", WH_FIELD(&g.vehicle.yspeed)},
    Variable{"bodylength", WH_FIELD(&g.vehicle.bodylength)},
    Variable{"bodyangle", WH_FIELD(&g.vehicle.bodyangle)},
    Variable{"bodydy", WH_FIELD(&g.vehicle.bodydy)},
    Variable{"bodydx", WH_FIELD(&g.vehicle.bodydx)},
    Variable{"speeddiv", WH_FIELD(&g.vehicle.speeddiv)},
    Variable{"airborne", WH_FIELD(&g.vehicle.airborne)},
    Variable{"gunx", WH_FIELD(&g.vehicle.gunx)},
    Variable{"guny", WH_FIELD(&g.vehicle.guny)},
    Variable{"guntipx", WH_FIELD(&g.vehicle.guntipx)},
    Variable{"guntipy", WH_FIELD(&g.vehicle.guntipy)},
    Variable{"gunlength", WH_FIELD(&g.vehicle.gunlength)},
    Variable{"gunangle", WH_FIELD(&g.vehicle.gunangle)},
    Variable{"gundy", WH_FIELD(&g.vehicle.gundy)},
    Variable{"gundx", WH_FIELD(&g.vehicle.gundx)},
    Variable{"leftkey", WH_FIELD(&g.keys.leftkey)},
    Variable{"rightkey", WH_FIELD(&g.keys.rightkey)},
    Variable{"gunleftkey", WH_FIELD(&g.keys.gunleftkey)},
    Variable{"gunrightkey", WH_FIELD(&g.keys.gunrightkey)},
    Variable{"firekey", WH_FIELD(&g.keys.firekey)},
    Variable{"trigger", WH_FIELD(&g.keys.trigger)},
    Variable{"beeps", WH_FIELD(&g.beeps), Access::dumpOnly},
    Variable{"timer2", WH_FIELD((TimerEnabled{&g.timer2, &g.now}))},
    Variable{"frame1", WH_FIELD(&g.panel.visible)},
    Variable{"typelist", WH_FIELD(&g.panel.typelist.selected), Access::dumpOnly},
    Variable{"subtypelist", WH_FIELD(&g.panel.subtypelist.selected), Access::dumpOnly},
    Variable{"typelbl", WH_FIELD(&g.panel.typelbl), Access::dumpOnly},
    Variable{"subtypelbl", WH_FIELD(&g.panel.subtypelbl), Access::dumpOnly},
};

#undef WH_FIELD

// The panel's text boxes and check boxes follow, named and ordered by the panel's own table.
template <size_t I> Field panelText(Game& g) {
    return &(g.panel.*kPanelTextFields[I].text);
}
template <size_t I> Field panelCheck(Game& g) {
    return &(g.panel.*kPanelCheckFields[I].ticked);
}
template <size_t... I> constexpr auto panelTextVariables(std::index_sequence<I...>) {
    return std::array{Variable{kPanelTextFields[I].name, &panelText<I>, Access::text}...};
}
template <size_t... I> constexpr auto panelCheckVariables(std::index_sequence<I...>) {
    return std::array{Variable{kPanelCheckFields[I].name, &panelCheck<I>, Access::check}...};
}

// The arrays one after another.
template <typename T, size_t... N> constexpr auto joined(const std::array<T, N>&... parts) {
    std::array<T, (N + ...)> all{};
    auto next = all.begin();
    ((next = std::copy(parts.begin(), parts.end(), next)), ...);
    return all;
}

constexpr auto kVariables =
    joined(kGameVariables, panelTextVariables(std::make_index_sequence<kPanelTextFields.size()>{}),
           panelCheckVariables(std::make_index_sequence<kPanelCheckFields.size()>{}));

const std::array kRockFields = {
    RockFieldName{"type", &Rock::type},
    RockFieldName{"subtype", &Rock::subtype},
    RockFieldName{"x", &Rock::x},
    RockFieldName{"y", &Rock::y},
    RockFieldName{"xdis", &Rock::xdis},
    RockFieldName{"ydis", &Rock::ydis},
    RockFieldName{"count", &Rock::count},
    RockFieldName{"fullcount", &Rock::fullcount},
    RockFieldName{"countstep", &Rock::countstep},
    RockFieldName{"xt", &Rock::xt},
    RockFieldName{"yt", &Rock::yt},
};

template <typename T>
std::string storeInteger(const Variable& v, T* field, std::string_view value) {
    const int64_t lo = std::max<int64_t>(v.lo, std::numeric_limits<T>::min());
    const int64_t hi = std::min<int64_t>(v.hi, std::numeric_limits<T>::max());
    int64_t n = 0;
    std::string err = readInteger(v.name, value, lo, hi, n);
    if (err.empty()) {
        *field = static_cast<T>(n);
    }
    return err;
}

std::string readFlag(std::string_view name, std::string_view value, bool& out) {
    if (value == "1" || value == "true") {
        out = true;
    } else if (value == "0" || value == "false") {
        out = false;
    } else {
        return std::string(name) + " must be 0 or 1, got '" + std::string(value) + "'";
    }
    return {};
}

} // namespace

std::span<const Variable> variables() {
    return kVariables;
}

const Variable* findVariable(std::string_view name) {
    for (const Variable& v : kVariables) {
        if (v.name == name) {
            return &v;
        }
    }
    return nullptr;
}

std::string storeValue(const Variable& v, Game& g, std::string_view value) {
    struct Store {
        const Variable& v;
        std::string_view value;
        std::string operator()(int16_t* f) const { return storeInteger(v, f, value); }
        std::string operator()(int32_t* f) const { return storeInteger(v, f, value); }
        std::string operator()(uint32_t* f) const { return storeInteger(v, f, value); }
        std::string operator()(float* f) const {
            double d = 0;
            std::string err = readReal(v.name, value, FLT_MAX, d);
            if (err.empty()) {
                *f = static_cast<float>(d);
            }
            return err;
        }
        std::string operator()(double* f) const { return readReal(v.name, value, DBL_MAX, *f); }
        std::string operator()(bool* f) const { return readFlag(v.name, value, *f); }
        std::string operator()(std::string* f) const {
            *f = value;
            return {};
        }
        std::string operator()(TimerEnabled t) const {
            bool on = false;
            std::string err = readFlag(v.name, value, on);
            if (err.empty()) {
                t.timer->setEnabled(on, *t.now);
            }
            return err;
        }
        std::string operator()(PenWidth p) const {
            int32_t width = 0;
            std::string err = storeInteger(v, &width, value);
            if (err.empty()) {
                p.playfield->setDrawWidth(width);
            }
            return err;
        }
    };
    return std::visit(Store{v, value}, v.field(g));
}

std::span<const RockFieldName> rockFields() {
    return kRockFields;
}

} // namespace wh::sim
