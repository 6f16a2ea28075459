// Every control of the panel at its designed place and size (twips / 15), submitted in tab
// order so Tab walks the text boxes as designed. Only what the user does is written back.
#include "front/panelview.hpp"

#include "app/playfield.hpp"
#include "tools/panelfields.hpp"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cfloat>
#include <string>
#include <string_view>

namespace wh::front {

namespace {

constexpr float kTwips = kTwipsPerPixel;

// The panel on the playfield, and its controls on the panel, in twips.
constexpr float kPanelLeft = 0;
constexpr float kPanelTop = 660;
constexpr float kPanelWidth = 3165;
constexpr float kPanelHeight = 2835;
constexpr const char* kPanelCaption = "Rocks";

struct Box {
    float left, top, width, height; // twips, on the panel
};

enum class Kind { label, list, text, check };

struct Control {
    const char* name;
    Kind kind;
    Box box;
};

// Tab order first, then the labels that never take the focus.
constexpr Control kControls[] = {
    {"rndfullcount", Kind::check, {2820, 1290, 285, 285}},
    {"typelist", Kind::list, {930, 450, 1125, 255}},
    {"subtypelist", Kind::list, {930, 720, 1125, 255}},
    {"xdis", Kind::text, {660, 1020, 615, 285}},
    {"ydis", Kind::text, {660, 1290, 615, 285}},
    {"xt", Kind::text, {660, 1590, 615, 285}},
    {"yt", Kind::text, {660, 1860, 615, 285}},
    {"counttext", Kind::text, {2190, 1020, 615, 285}},
    {"fullcount", Kind::text, {2190, 1290, 615, 285}},
    {"countstep", Kind::text, {2190, 1560, 615, 285}},
    {"number", Kind::text, {2190, 1860, 615, 285}},
    {"rndxdis", Kind::check, {1290, 1020, 285, 285}},
    {"rndydis", Kind::check, {1290, 1290, 285, 285}},
    {"rndcount", Kind::check, {2820, 1020, 285, 285}},
    {"Label1", Kind::label, {210, 450, 765, 255}},
    {"typelbl", Kind::label, {2040, 450, 765, 255}},
    {"Label2", Kind::label, {210, 720, 765, 255}},
    {"subtypelbl", Kind::label, {2040, 720, 765, 255}},
    {"Label5", Kind::label, {210, 1020, 525, 285}},
    {"Label9", Kind::label, {1740, 1020, 525, 285}},
    {"Label6", Kind::label, {210, 1290, 525, 285}},
    {"Label10", Kind::label, {1740, 1290, 525, 285}},
    {"Label11", Kind::label, {1740, 1560, 525, 285}},
    {"Label7", Kind::label, {210, 1590, 525, 285}},
    {"Label8", Kind::label, {210, 1860, 525, 285}},
    {"Label3", Kind::label, {1740, 1860, 525, 285}},
};

const std::string* labelText(const Game& g, std::string_view name) {
    static const std::string fixed[][2] = {
        {"Label1", "Type"}, {"Label2", "Subtype"}, {"Label5", "xdis"},  {"Label9", "count"},
        {"Label6", "ydis"}, {"Label10", "full"},   {"Label11", "step"}, {"Label7", "xt"},
        {"Label8", "yt"},   {"Label3", "#"},
    };
    if (name == "typelbl") {
        return &g.panel.typelbl;
    }
    if (name == "subtypelbl") {
        return &g.panel.subtypelbl;
    }
    for (const auto& row : fixed) {
        if (row[0] == name) {
            return &row[1];
        }
    }
    return nullptr;
}

// The game's captions are narrower than the panel's monospace font: a caption drawn at the
// font's own advance would run into the box beside it ("count"), so captions are set a pixel
// tighter, and one that would still touch its neighbour moves left just enough to keep a gap.
constexpr float kCaptionAdvance = 6; // pixels a character, the font's cell less one
constexpr float kCaptionGap = 2;     // pixels kept clear before the control to the right
constexpr float kListRowGap = 4;     // pixels between the rows of an open list
constexpr int kListRowsShown = 16;   // rows an open list shows before it scrolls
constexpr float kCheckInset = 1;     // pixels a check box keeps inside its designed square

float captionWidth(std::string_view text) {
    return kCaptionAdvance * static_cast<float>(text.size());
}

// The left edge of the nearest control to the right of `label` on its row, in twips.
float nextControlLeft(const Control& label);

void caption(ImVec2 at, std::string_view text) {
    ImDrawList* d = ImGui::GetWindowDrawList();
    const ImU32 colour = ImGui::GetColorU32(ImGuiCol_Text);
    for (size_t i = 0; i < text.size(); ++i) {
        d->AddText(ImVec2(at.x + kCaptionAdvance * static_cast<float>(i), at.y), colour,
                   text.data() + i, text.data() + i + 1);
    }
}

ImVec2 pixels(float twipsX, float twipsY) {
    return {twipsX / kTwips, twipsY / kTwips};
}

void list(session::Session& s, std::string_view name) {
    const bool isType = name == session::listName(session::ListId::typelist);
    const ListBox& box = isType ? s.game().panel.typelist : s.game().panel.subtypelist;
    const char* shown = "";
    if (box.selected >= 0 && box.selected < static_cast<int>(box.entries.size())) {
        shown = box.entries[static_cast<size_t>(box.selected)].c_str();
    }
    // Rows a little apart, so no letter's tail is clipped, and a drop-down of whole rows.
    const float rowHeight = ImGui::GetFontSize() + kListRowGap;
    ImGui::SetNextWindowSizeConstraints(ImVec2(0, 0),
                                        ImVec2(FLT_MAX, rowHeight * kListRowsShown + 2));
    if (!ImGui::BeginCombo(isType ? "##typelist" : "##subtypelist", shown)) {
        return;
    }
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(0, kListRowGap));
    for (int i = 0; i < static_cast<int>(box.entries.size()); ++i) {
        ImGui::PushID(i);
        const bool selected = i == box.selected;
        if (ImGui::Selectable(box.entries[static_cast<size_t>(i)].c_str(), selected) && !selected) {
            s.deliver(session::ListSelect{
                isType ? session::ListId::typelist : session::ListId::subtypelist, i});
        }
        if (selected) {
            ImGui::SetItemDefaultFocus();
        }
        ImGui::PopID();
    }
    ImGui::PopStyleVar();
    ImGui::EndCombo();
}

float nextControlLeft(const Control& label) {
    float nearest = kPanelWidth;
    for (const Control& c : kControls) {
        const bool sameRow = c.box.top < label.box.top + label.box.height &&
                             label.box.top < c.box.top + c.box.height;
        if (&c != &label && sameRow && c.box.left > label.box.left) {
            nearest = std::min(nearest, c.box.left);
        }
    }
    return nearest;
}

} // namespace

PanelCaption panelCaption(std::string_view label, std::string_view text) {
    for (const Control& c : kControls) {
        if (c.kind == Kind::label && c.name == label) {
            const float designed = c.box.left / kTwips;
            const float limit = nextControlLeft(c) / kTwips - kCaptionGap;
            const float left = std::min(designed, limit - captionWidth(text));
            return {left, left + captionWidth(text), designed, nextControlLeft(c) / kTwips};
        }
    }
    return {};
}

PanelRect panelRect(const Game& g) {
    return {(g.picground.Left + kPanelLeft) / kTwips, (g.picground.Top + kPanelTop) / kTwips,
            kPanelWidth / kTwips, kPanelHeight / kTwips};
}

void stylePanel() {
    ImGuiStyle& s = ImGui::GetStyle();
    ImGui::StyleColorsLight(&s);
    s.WindowRounding = 0;
    s.FrameRounding = 0;
    s.WindowBorderSize = 0;
    s.FrameBorderSize = 1;
    s.WindowPadding = ImVec2(0, 0);
    s.FramePadding = ImVec2(3, 2);
    s.ItemSpacing = ImVec2(0, 0);
    const ImVec4 face(212 / 255.f, 208 / 255.f, 200 / 255.f, 1);
    const ImVec4 white(1, 1, 1, 1);
    const ImVec4 black(0, 0, 0, 1);
    s.Colors[ImGuiCol_WindowBg] = face;
    s.Colors[ImGuiCol_PopupBg] = white;
    s.Colors[ImGuiCol_Text] = black;
    s.Colors[ImGuiCol_FrameBg] = white;
    s.Colors[ImGuiCol_FrameBgHovered] = white;
    s.Colors[ImGuiCol_FrameBgActive] = white;
    s.Colors[ImGuiCol_Border] = ImVec4(0.5f, 0.5f, 0.5f, 1);
    s.Colors[ImGuiCol_CheckMark] = black;
    s.Colors[ImGuiCol_Button] = face;
    s.Colors[ImGuiCol_ButtonHovered] = face;
    s.Colors[ImGuiCol_Header] = ImVec4(0, 0, 0.5f, 1);
    s.Colors[ImGuiCol_HeaderHovered] = ImVec4(0.2f, 0.3f, 0.8f, 0.6f);
}

void drawPanel(session::Session& s) {
    const Game& g = s.game();
    if (!g.panel.visible) {
        return;
    }
    const PanelRect r = panelRect(g);
    ImGui::SetNextWindowPos(ImVec2(r.x, r.y));
    ImGui::SetNextWindowSize(ImVec2(r.w, r.h));
    constexpr ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                                       ImGuiWindowFlags_NoSavedSettings |
                                       ImGuiWindowFlags_NoBringToFrontOnFocus;
    if (ImGui::Begin("Frame1", nullptr, flags)) {
        // An etched group frame with its caption set into the top edge.
        ImDrawList* d = ImGui::GetWindowDrawList();
        const float captionH = ImGui::GetTextLineHeight();
        const ImVec2 a(r.x + 1, r.y + captionH / 2);
        const ImVec2 b(r.x + r.w - 2, r.y + r.h - 2);
        d->AddRect(a, b, IM_COL32(128, 128, 128, 255));
        d->AddRect(ImVec2(a.x + 1, a.y + 1), ImVec2(b.x + 1, b.y + 1),
                   IM_COL32(255, 255, 255, 255));
        const ImVec2 captionSize = ImGui::CalcTextSize(kPanelCaption);
        const ImVec2 captionAt(r.x + 8, r.y);
        d->AddRectFilled(ImVec2(captionAt.x - 2, captionAt.y),
                         ImVec2(captionAt.x + captionSize.x + 2, captionAt.y + captionSize.y),
                         ImGui::GetColorU32(ImGuiCol_WindowBg));
        d->AddText(captionAt, IM_COL32(0, 0, 0, 255), kPanelCaption);

        for (const Control& c : kControls) {
            ImGui::SetCursorPos(pixels(c.box.left, c.box.top));
            const ImVec2 size = pixels(c.box.width, c.box.height);
            ImGui::PushID(c.name);
            switch (c.kind) {
            case Kind::label:
                if (const std::string* text = labelText(g, c.name)) {
                    const PanelCaption place = panelCaption(c.name, *text);
                    caption(ImVec2(r.x + place.left, ImGui::GetCursorScreenPos().y), *text);
                }
                break;
            case Kind::list:
                ImGui::SetNextItemWidth(size.x);
                list(s, c.name);
                break;
            case Kind::text:
                ImGui::PushStyleVar(ImGuiStyleVar_FramePadding,
                                    ImVec2(3, (size.y - ImGui::GetFontSize()) / 2));
                ImGui::SetNextItemWidth(size.x);
                if (const PanelTextField* f = findPanelTextField(c.name)) {
                    // Edited on a copy: the game's box changes only through the session.
                    std::string text = g.panel.*(f->text);
                    if (ImGui::InputText("##text", &text)) {
                        s.deliver(session::TextEdit{c.name, text});
                    }
                }
                ImGui::PopStyleVar();
                break;
            case Kind::check: {
                // Inset a pixel, so the boxes by the frame's right edge stay clear of it.
                const float pad = (size.y - ImGui::GetFontSize()) / 2 - kCheckInset;
                ImGui::SetCursorPos(ImVec2(ImGui::GetCursorPosX() + kCheckInset,
                                           ImGui::GetCursorPosY() + kCheckInset));
                ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(pad, pad));
                if (const PanelCheckField* f = findPanelCheckField(c.name)) {
                    bool ticked = g.panel.*(f->ticked);
                    if (ImGui::Checkbox("##check", &ticked)) {
                        s.deliver(session::CheckBoxSet{c.name, ticked});
                    }
                }
                ImGui::PopStyleVar();
                break;
            }
            }
            ImGui::PopID();
        }
    }
    ImGui::End();
}

} // namespace wh::front
