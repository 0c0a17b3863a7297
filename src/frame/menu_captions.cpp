#include "frame/menu_captions.h"

#include <algorithm>

#include "core/control_names.h"
#include "platform/trim.h"

namespace velm {

namespace {

std::string Trimmed(const std::string& s) { return std::string(TrimChars(s, " ")); }

}  // namespace

std::vector<MenuCaption> MenuCaptions(const LanguageTexts& texts) {
    std::vector<MenuCaption> out;
    static const char* const menus[] = {"mnuFile", "mnuForme", "mnuOpzioni", "mnuVisualizza", "mnuHelp"};
    static const char* const items[] = {"mnuFileItems", nullptr, "mnuOpzioniItems", "mnuVisualizzaItems",
                                        "mnuHelpItems"};
    const int count = std::min<int>(texts.MenuCount, 5);
    for (int k = 1; k <= count; ++k) {
        const MenuRecord& rec = texts.MenuTexts[k];
        const int itemCount = std::clamp<int>(rec.ItemCount, 0, 20);
        out.emplace_back(menus[k - 1], Trimmed(rec.Texts[0]));
        auto item = [&](const char* name, int index, int recordItem) {
            if (recordItem >= 1 && recordItem <= itemCount)
                out.emplace_back(IndexedName(name, index), Trimmed(rec.Texts[recordItem]));
        };
        if (k != 2) {
            for (int i = 1; i <= itemCount; ++i) item(items[k - 1], i, i);
            continue;
        }
        // The shapes record: four menu entries, five frusta, four cylinders,
        // three conical elbows.
        for (int i = 1; i <= itemCount - 12; ++i) item("mnuFormeItems", i, i);
        for (int i = 1; i <= 5; ++i) item("mnuFormeSubItems", i, i + 4);
        for (int i = 1; i <= 4; ++i) item("mnuFormeSub2Items", i, i + 9);
        for (int i = 1; i <= 3; ++i) item("mnuFormeSub3Items", i, i + 13);
    }
    return out;
}

}  // namespace velm
