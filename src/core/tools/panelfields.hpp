// The panel's text boxes and check boxes by name: one table read by the session's text and check
// inputs, the panel view, the runner's dump and the state hash, in the order the hash takes them.
#pragma once

#include "tools/panel.hpp"

#include <array>
#include <string_view>

namespace wh {

struct PanelTextField {
    std::string_view name;
    std::string Panel::*text;
};

struct PanelCheckField {
    std::string_view name;
    bool Panel::*ticked;
};

inline constexpr std::array kPanelTextFields = {
    PanelTextField{"xdis", &Panel::xdis},
    PanelTextField{"ydis", &Panel::ydis},
    PanelTextField{"xt", &Panel::xt},
    PanelTextField{"yt", &Panel::yt},
    PanelTextField{"counttext", &Panel::counttext},
    PanelTextField{"fullcount", &Panel::fullcount},
    PanelTextField{"countstep", &Panel::countstep},
    PanelTextField{"number", &Panel::number},
};

inline constexpr std::array kPanelCheckFields = {
    PanelCheckField{"rndxdis", &Panel::rndxdis},
    PanelCheckField{"rndydis", &Panel::rndydis},
    PanelCheckField{"rndcount", &Panel::rndcount},
    PanelCheckField{"rndfullcount", &Panel::rndfullcount},
};

// The entry named `name`, or null.
constexpr const PanelTextField* findPanelTextField(std::string_view name) {
    for (const PanelTextField& f : kPanelTextFields) {
        if (f.name == name) {
            return &f;
        }
    }
    return nullptr;
}

constexpr const PanelCheckField* findPanelCheckField(std::string_view name) {
    for (const PanelCheckField& f : kPanelCheckFields) {
        if (f.name == name) {
            return &f;
        }
    }
    return nullptr;
}

} // namespace wh
