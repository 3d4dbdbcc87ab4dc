#pragma once
// One entry of a combo-box cell: the text shown and the value it stands for. Entries built
// from a plain list of texts carry their index as value, so every entry has a value and
// TDrawGridSEComboBox::ItemValue answers for every kind of combo row.

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>

struct TComboWert {
    std::string Text;
    int32_t Wert = 0;

    TComboWert() = default;
    TComboWert(std::string text, int32_t wert) : Text(std::move(text)), Wert(wert) {}

    bool operator==(const TComboWert&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TComboWert& entry)
{
    return out << '{' << entry.Text << " -> " << entry.Wert << '}';
}
