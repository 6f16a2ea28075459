// The model of the "Rocks" panel: the two one-row lists, their code labels, the text boxes and
// the check boxes the spawner reads. The front end draws it and writes back what the user does.
#pragma once

#include <string>
#include <vector>

namespace wh {

struct ListBox {
    std::vector<std::string> entries;
    int selected = -1; // position of the selected entry, -1 while none is
};

struct Panel {
    bool visible = false; // Frame1 starts hidden

    ListBox typelist;
    ListBox subtypelist;
    std::string typelbl = "0"; // the chosen codes live only in these captions
    std::string subtypelbl = "0";

    std::string xdis = "100";
    std::string ydis = "100";
    std::string xt = "0";
    std::string yt = "0";
    std::string counttext = "100";
    std::string fullcount = "10";
    std::string countstep = "1";
    std::string number = "1";

    bool rndxdis = false;
    bool rndydis = false;
    bool rndcount = false;
    bool rndfullcount = false;
};

} // namespace wh
