#pragma once

#include <span>
#include <string>
#include <string_view>

// What a craft's deeds may be made of: the kind decides the material text of a deed that names
// no special material, and which material lines belong to it.
enum class MaterialKind { Ingots, Leather, Cloth, Wood, None };

// One list of small-deed items of a craft, as the deed prints them in lower case, with the
// category that the deed is filed under in the tree.
struct CraftItemGroup {
    std::string_view trade;
    std::string_view category;
    MaterialKind material;
    std::span<const std::string_view> items;
    // The game never asks these exceptional, nor in a special material.
    bool bNeverRaised;
};

namespace CraftItems {

std::span<const CraftItemGroup> Groups();

// The group that lists `item` (lower case, single blanks), or null. A jewelry item named with
// its gem ("ruby ring") is found under its plain name.
const CraftItemGroup* FindGroup(std::string_view item);

// Whether item is a jewel without its gem: "ring", "bracelet" or "earrings".
bool IsJewel(std::string_view item);
// The gems a jewel is named with ("ruby ring"), in the game's order.
std::span<const std::string_view> Gems();

// The name as the lists spell it when `name` (lower case, single blanks) names a listed item
// with or without a leading article: newer game clients print "a three tiered cake" and "a
// runic atlas", and "greater heal potion" is the potion "a greater heal potion". Any other name
// comes back as it is.
std::string_view ListedName(std::string_view name);

// Whether a deed of this material asks for no special one: "iron", "normal leather", "cloth",
// "wood" or "no material".
bool IsPlainMaterial(std::string_view material);

// The material text of a deed of this kind that asks for no special material: "iron",
// "normal leather", "cloth", "wood", or "no material" for crafts that never use one.
std::string_view PlainMaterial(MaterialKind kind);

// `item` without a leading jewelry gem ("ruby ring" gives "ring"); other names unchanged.
std::string_view WithoutGem(std::string_view item);

} // namespace CraftItems
