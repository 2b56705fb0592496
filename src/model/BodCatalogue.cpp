#include "model/BodCatalogue.h"

namespace {

constexpr std::array<BodCatalogueRow, BodCatalogue::kRowCount> kRows{{
    {"large battle axe",
     {"large battle axe", "double axe", "battle axe", "two handed axe", "axe", "executioner's axe"},
     6},
    {"cutlass", {"cutlass", "viking sword", "longsword", "scimitar", "broadsword", "katana"}, 6},
    {"dagger", {"dagger", "kryss", "war fork", "short spear", "spear"}, 5},
    {"mace", {"mace", "maul", "war mace", "war hammer", "hammer pick", "war axe"}, 6},
    {"bardiche", {"bardiche", "halberd"}, 2},
    {"bandana", {"bandana", "shirt", "skirt", "thigh boots"}, 4},
    {"bonnet", {"bonnet", "half apron", "fancy dress", "sandals"}, 4},
    {"feathered hat", {"feathered hat", "surcoat", "fancy shirt", "short pants", "thigh boots"}, 5},
    {"floppy hat", {"floppy hat", "full apron", "plain dress", "sandals"}, 4},
    {"jester hat", {"jester hat", "jester suit", "cloak", "shoes"}, 4},
    {"skullcap", {"skullcap", "doublet", "kilt", "shoes"}, 4},
    {"straw hat", {"straw hat", "tunic", "long pants", "boots"}, 4},
    {"wizard's hat", {"wizard's hat", "body sash", "robe", "boots"}, 4},
    {"tricorne hat", {"tricorne hat", "cap", "wide-brim hat", "tall straw hat"}, 4},
    {"leather cap",
     {"leather cap", "leather gloves", "leather gorget", "leather leggings", "leather sleeves",
      "leather tunic"},
     6},
    {"studded gorget",
     {"studded gorget", "studded gloves", "studded leggings", "studded sleeves", "studded tunic"},
     5},
    {"leather skirt",
     {"leather skirt", "leather bustier", "leather shorts", "female leather armor", "studded armor",
      "studded bustier"},
     6},
    {"bone helmet", {"bone helmet", "bone arms", "bone gloves", "bone armor", "bone legs"}, 5},
    {"sandals", {"sandals", "shoes", "boots", "thigh boots"}, 4},
    {"ringmail", {"ringmail gloves", "ringmail sleeves", "ringmail leggings", "ringmail tunic"}, 4},
    {"chainmail", {"chainmail coif", "chainmail leggings", "chainmail tunic"}, 3},
    {"platemail",
     {"platemail gorget", "platemail gloves", "plate helm", "platemail arms", "platemail legs",
      "platemail tunic"},
     6},
}};

} // namespace

namespace BodCatalogue {

std::span<const BodCatalogueRow> Rows() {
    return kRows;
}

const BodCatalogueRow* Find(std::string_view key) {
    for (const BodCatalogueRow& row : kRows) {
        if (row.key == key) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace BodCatalogue
