#pragma once

#include <array>

// The items of the main window's navigation bar, in order: the group they
// stand in, the caption (also the hint), the index of the 32x32 icon and
// the page they open. The tax-records item (page 2) is shown only with that
// module; the bookkeeping and travel groups only with theirs.
enum class TNavGroup { Moduly, Ucetnictvi, Cestaky };

struct TNavItem
{
    TNavGroup group;
    const char16_t* caption;
    int icon;
    int page;
};

inline constexpr std::array<TNavItem, 18> NavigationItems = {{
    {TNavGroup::Moduly, u"Info", 0, 0},
    {TNavGroup::Moduly, u"Seznam členů", 1, 1},
    {TNavGroup::Moduly, u"Daňová evidence", 3, 2},
    {TNavGroup::Moduly, u"Majetek", 2, 3},
    {TNavGroup::Moduly, u"Akce", 6, 4},
    {TNavGroup::Moduly, u"Kalendář", 5, 5},
    {TNavGroup::Moduly, u"Formuláře", 4, 6},
    {TNavGroup::Ucetnictvi, u"Účetní deník", 3, 7},
    {TNavGroup::Ucetnictvi, u"Pokladna", 13, 8},
    {TNavGroup::Ucetnictvi, u"Banka", 16, 9},
    {TNavGroup::Ucetnictvi, u"Faktury přijaté", 15, 10},
    {TNavGroup::Ucetnictvi, u"Faktury vydané", 14, 11},
    {TNavGroup::Ucetnictvi, u"Interní doklady", 10, 12},
    {TNavGroup::Ucetnictvi, u"Dotace", 18, 13},
    {TNavGroup::Cestaky, u"Vozidla", 19, 14},
    {TNavGroup::Cestaky, u"Smlouvy", 17, 15},
    {TNavGroup::Cestaky, u"Cestovní příkazy", 21, 16},
    {TNavGroup::Cestaky, u"Cestovní příkazy (vozidlo)", 20, 17},
}};
