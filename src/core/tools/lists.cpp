// Filling the lists once at start-up and copying a selection into its code label.
#include "tools/lists.hpp"

#include <string>

namespace wh {

namespace {

const char* subtypeEntry(int code) {
    if (code == RockType::skeet) {
        return "skeet";
    }
    if (code == RockType::plane) {
        return "plane";
    }
    return kTypeListEntries[static_cast<size_t>(code)];
}

} // namespace

void liststuff(Game& g) {
    for (const char* entry : kTypeListEntries) {
        g.panel.typelist.entries.emplace_back(entry);
    }
    for (int code = 0; code < kRockTypeCount; ++code) {
        g.panel.subtypelist.entries.emplace_back(subtypeEntry(code));
    }
}

void typelist_Click(Game& g) {
    g.panel.typelbl = std::to_string(g.panel.typelist.selected);
}

void subtypelist_Click(Game& g) {
    g.panel.subtypelbl = std::to_string(g.panel.subtypelist.selected);
}

} // namespace wh
