#include "model/CraftItems.h"

#include <algorithm>
#include <array>

namespace {

using Names = std::string_view;

constexpr Names kSmithPlate[] = {"plate helm",      "female plate",     "platemail arms",
                                 "platemail tunic", "platemail gloves", "platemail gorget",
                                 "platemail legs"};
constexpr Names kSmithChain[] = {"chainmail tunic", "chainmail leggings", "chainmail coif"};
constexpr Names kSmithRing[] = {"ringmail sleeves", "ringmail tunic", "ringmail gloves",
                                "ringmail leggings"};
// Helmets and shields carry none of the category words, so they file with the weapons, as an
// imported line of theirs does.
constexpr Names kSmithOther[] = {"bascinet",
                                 "close helmet",
                                 "helmet",
                                 "norse helm",
                                 "bronze shield",
                                 "buckler",
                                 "heater shield",
                                 "metal kite shield",
                                 "metal shield",
                                 "tear kite shield",
                                 "axe",
                                 "battle axe",
                                 "dagger",
                                 "double axe",
                                 "executioner's axe",
                                 "large battle axe",
                                 "two handed axe",
                                 "war axe",
                                 "hammer pick",
                                 "mace",
                                 "maul",
                                 "war hammer",
                                 "war mace",
                                 "bardiche",
                                 "halberd",
                                 "short spear",
                                 "spear",
                                 "war fork",
                                 "broadsword",
                                 "cutlass",
                                 "katana",
                                 "kryss",
                                 "longsword",
                                 "scimitar",
                                 "viking sword"};
constexpr Names kTailorCloth[] = {
    "skullcap",     "bandana",        "floppy hat",   "cap",         "wide-brim hat",
    "straw hat",    "tall straw hat", "wizard's hat", "bonnet",      "feathered hat",
    "tricorne hat", "jester hat",     "doublet",      "shirt",       "fancy shirt",
    "tunic",        "surcoat",        "plain dress",  "fancy dress", "cloak",
    "robe",         "jester suit",    "short pants",  "long pants",  "kilt",
    "skirt",        "body sash",      "half apron",   "full apron"};
constexpr Names kTailorLeather[] = {"leather gorget",
                                    "leather cap",
                                    "leather gloves",
                                    "leather sleeves",
                                    "leather leggings",
                                    "leather tunic",
                                    "studded gorget",
                                    "studded gloves",
                                    "studded sleeves",
                                    "studded leggings",
                                    "studded tunic",
                                    "leather shorts",
                                    "leather skirt",
                                    "leather bustier",
                                    "studded bustier",
                                    "female leather armor",
                                    "studded armor",
                                    "bone helmet",
                                    "bone gloves",
                                    "bone arms",
                                    "bone leggings",
                                    "bone armor",
                                    "boots",
                                    "thigh boots",
                                    "shoes",
                                    "sandals"};
constexpr Names kAlchemy[] = {"a lesser heal potion",
                              "a heal potion",
                              "a greater heal potion",
                              "a lesser cure potion",
                              "a cure potion",
                              "a greater cure potion",
                              "a lesser poison potion",
                              "a poison potion",
                              "a greater poison potion",
                              "parasitic poison",
                              "darkglow poison",
                              "a deadly poison potion",
                              "a lesser explosion potion",
                              "an explosion potion",
                              "a greater explosion potion",
                              "confusion blast",
                              "a conflagration potion",
                              "greater confusion blast",
                              "a greater conflagration potion",
                              "a refresh potion",
                              "a total refreshment potion",
                              "an agility potion",
                              "a greater agility potion",
                              "a strength potion",
                              "a greater strength potion",
                              "nexus core"};
constexpr Names kBows[] = {"bow",
                           "composite bow",
                           "yumi",
                           "crossbow",
                           "heavy crossbow",
                           "repeating crossbow",
                           "magical shortbow",
                           "ranger's shortbow",
                           "lightweight shortbow",
                           "mystical shortbow",
                           "assassin's shortbow",
                           "elven composite longbow",
                           "barbed longbow",
                           "slayer longbow",
                           "frozen longbow",
                           "longbow of might"};
constexpr Names kAmmunition[] = {"arrow", "crossbow bolt", "kindling", "shaft"};
constexpr Names kCarpentry[] = {"foot stool",
                                "barrel staves",
                                "barrel lid",
                                "stool",
                                "gnarled staff",
                                "quarter staff",
                                "shepherd's crook",
                                "tetsubo",
                                "bokuto",
                                "wooden box",
                                "small crate",
                                "medium crate",
                                "large crate",
                                "wooden chest",
                                "wooden shelf",
                                "wooden bench",
                                "wooden throne",
                                "tall cabinet",
                                "short cabinet",
                                "red armoire",
                                "elegant armoire",
                                "maple armoire",
                                "cherry armoire",
                                "lap harp",
                                "lute",
                                "drum",
                                "standing harp",
                                "plain wooden chest",
                                "ornate wooden chest",
                                "gilded wooden chest",
                                "wooden footlocker",
                                "finished wooden chest",
                                "wild staff",
                                "arcanist's wild staff",
                                "ancient wild staff",
                                "thorned wild staff",
                                "hardened wild staff"};
constexpr Names kCooking[] = {"sweet cocoa butter",
                              "sack of flour",
                              "dough",
                              "unbaked fruit pie",
                              "unbaked peach cobbler",
                              "unbaked apple pie",
                              "unbaked pumpkin pie",
                              "pan of cookies",
                              "cake",
                              "muffins",
                              "three tiered cake",
                              "miso soup",
                              "white miso soup",
                              "red miso soup",
                              "awase miso soup",
                              "wasabi clumps",
                              "sushi rolls",
                              "sushi platter",
                              "green tea",
                              "sweet dough",
                              "cake mix",
                              "cookie mix",
                              "unbaked quiche",
                              "unbaked meat pie",
                              "uncooked sausage pizza",
                              "uncooked cheese pizza",
                              "baked quiche",
                              "baked meat pie",
                              "sausage pizza",
                              "cheese pizza",
                              "baked fruit pie",
                              "baked peach cobbler",
                              "baked apple pie",
                              "baked pumpkin pie",
                              "chicken leg"};
// Scripts/Services/BulkOrders/BulkOrderSystem.cs:541 (_ExceptionalExcluded) names the cook's
// plain dishes, the bowyer's ammunition and the tinker's clockwork but the hinge and the sextant
// parts: never exceptional, and no bribe gives them a material.
constexpr Names kCookingRegular[] = {"enchanted apple", "savage kin paint", "grapes of wrath",
                                     "smoke bomb",      "cooked bird",      "fish steak",
                                     "fried eggs",      "leg of lamb",      "cut of ribs"};
constexpr Names kScrolls[] = {"reactive armor",
                              "clumsy",
                              "create food",
                              "feeblemind",
                              "heal",
                              "magic arrow",
                              "night sight",
                              "weaken",
                              "agility",
                              "cunning",
                              "cure",
                              "harm",
                              "magic trap",
                              "magic untrap",
                              "protection",
                              "strength",
                              "bless",
                              "fireball",
                              "magic lock",
                              "poison",
                              "telekinesis",
                              "teleport",
                              "unlock",
                              "wall of stone",
                              "arch cure",
                              "arch protection",
                              "curse",
                              "fire field",
                              "greater heal",
                              "lightning",
                              "mana drain",
                              "recall",
                              "blade spirits",
                              "dispel field",
                              "incognito",
                              "magic reflection",
                              "mind blast",
                              "paralyze",
                              "poison field",
                              "summon creature",
                              "dispel",
                              "energy bolt",
                              "explosion",
                              "invisibility",
                              "mark",
                              "mass curse",
                              "paralyze field",
                              "reveal",
                              "chain lightning",
                              "energy field",
                              "flamestrike",
                              "gate travel",
                              "mana vampire",
                              "mass dispel",
                              "meteor swarm",
                              "polymorph",
                              "earthquake",
                              "energy vortex",
                              "resurrection",
                              "summon air elemental",
                              "summon daemon",
                              "summon earth elemental",
                              "summon fire elemental",
                              "summon water elemental",
                              "animate dead",
                              "blood oath",
                              "corpse skin",
                              "curse weapon",
                              "evil omen",
                              "horrific beast",
                              "lich form",
                              "mind rot",
                              "pain spike",
                              "poison strike",
                              "strangle",
                              "summon familiar",
                              "vampiric embrace",
                              "vengeful spirit",
                              "wither",
                              "wraith form"};
constexpr Names kBooks[] = {"spellbook", "necromancer spellbook", "runebook", "runic atlas"};
constexpr Names kJewelry[] = {"ring", "bracelet", "earrings"};
constexpr Names kTinkerMetal[] = {"key ring",
                                  "iron key",
                                  "globe",
                                  "spyglass",
                                  "barrel tap",
                                  "barrel hoops",
                                  "mortar and pestle",
                                  "smith's hammer",
                                  "skillet",
                                  "sewing kit",
                                  "arrow fletching",
                                  "butcher knife",
                                  "spoon",
                                  "fork",
                                  "plate",
                                  "knife",
                                  "goblet",
                                  "pewter mug",
                                  "clippers",
                                  "tongs",
                                  "sledge hammer",
                                  "saw",
                                  "froe",
                                  "flour sifter",
                                  "nunchaku",
                                  "hatchet",
                                  "pickaxe",
                                  "cleaver",
                                  "pitchfork",
                                  "lantern",
                                  "candelabra",
                                  "scales"};
constexpr Names kTinkerParts[] = {"gears",
                                  "axle",
                                  "springs",
                                  "axle with gears",
                                  "clock parts",
                                  "clock",
                                  "keg",
                                  "clock frame",
                                  "metal container engraving tool"};
constexpr Names kTinkerRegular[] = {"hinge", "sextant parts"};

constexpr std::array<CraftItemGroup, 18> kGroups{{
    {"Smithy", "Platemail", MaterialKind::Ingots, kSmithPlate, false},
    {"Smithy", "Chainmail", MaterialKind::Ingots, kSmithChain, false},
    {"Smithy", "Ringmail", MaterialKind::Ingots, kSmithRing, false},
    {"Smithy", "Weapon", MaterialKind::Ingots, kSmithOther, false},
    {"Tailor", "Cloth", MaterialKind::Cloth, kTailorCloth, false},
    {"Tailor", "Leather", MaterialKind::Leather, kTailorLeather, false},
    {"Alchemy", "Potion", MaterialKind::None, kAlchemy, false},
    {"Bowcraft", "Bow", MaterialKind::Wood, kBows, false},
    {"Bowcraft", "Ammunition", MaterialKind::Wood, kAmmunition, true},
    {"Carpentry", "Woodwork", MaterialKind::Wood, kCarpentry, false},
    {"Cooking", "Food", MaterialKind::None, kCooking, false},
    {"Cooking", "Food", MaterialKind::None, kCookingRegular, true},
    {"Inscription", "Scroll", MaterialKind::None, kScrolls, false},
    {"Inscription", "Book", MaterialKind::None, kBooks, false},
    {"Tinkering", "Jewelry", MaterialKind::Ingots, kJewelry, false},
    {"Tinkering", "Metalware", MaterialKind::Ingots, kTinkerMetal, false},
    {"Tinkering", "Clockwork", MaterialKind::Ingots, kTinkerParts, true},
    {"Tinkering", "Clockwork", MaterialKind::Ingots, kTinkerRegular, false},
}};

constexpr std::array<std::string_view, 9> kGems{"star sapphire", "emerald", "sapphire",
                                                "ruby",          "citrine", "amethyst",
                                                "tourmaline",    "amber",   "diamond"};

} // namespace

namespace CraftItems {

std::span<const CraftItemGroup> Groups() {
    return kGroups;
}

std::string_view WithoutGem(std::string_view item) {
    for (const std::string_view gem : kGems) {
        if (item.size() > gem.size() + 1 && item.starts_with(gem) && item[gem.size()] == ' ') {
            if (const std::string_view plain = item.substr(gem.size() + 1); IsJewel(plain)) {
                return plain;
            }
        }
    }
    return item;
}

bool IsJewel(std::string_view item) {
    return std::find(std::begin(kJewelry), std::end(kJewelry), item) != std::end(kJewelry);
}

std::span<const std::string_view> Gems() {
    return kGems;
}

const CraftItemGroup* FindGroup(std::string_view item) {
    const std::string_view plain = WithoutGem(item);
    for (const CraftItemGroup& group : Groups()) {
        for (const std::string_view name : group.items) {
            if (name == plain) {
                return &group;
            }
        }
    }
    return nullptr;
}

std::string_view ListedName(std::string_view name) {
    if (FindGroup(name) != nullptr) {
        return name;
    }
    for (const std::string_view article : {"a ", "an "}) {
        if (name.starts_with(article) && FindGroup(name.substr(article.size())) != nullptr) {
            return name.substr(article.size());
        }
        for (const CraftItemGroup& group : Groups()) {
            for (const std::string_view listed : group.items) {
                if (listed.size() == article.size() + name.size() && listed.starts_with(article) &&
                    listed.ends_with(name)) {
                    return listed;
                }
            }
        }
    }
    return name;
}

bool IsPlainMaterial(std::string_view material) {
    for (const MaterialKind kind : {MaterialKind::Ingots, MaterialKind::Leather,
                                    MaterialKind::Cloth, MaterialKind::Wood, MaterialKind::None}) {
        if (material == PlainMaterial(kind)) {
            return true;
        }
    }
    return false;
}

std::string_view PlainMaterial(MaterialKind kind) {
    switch (kind) {
    case MaterialKind::Ingots:
        return "iron";
    case MaterialKind::Leather:
        return "normal leather";
    case MaterialKind::Cloth:
        return "cloth";
    case MaterialKind::Wood:
        return "wood";
    case MaterialKind::None:
        break;
    }
    return "no material";
}

} // namespace CraftItems
