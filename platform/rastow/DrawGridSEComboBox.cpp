#include "rastow/DrawGridSEComboBox.h"

TDrawGridSEComboBox::~TDrawGridSEComboBox() = default;

bool TDrawGridSEComboBox::ItemValue(int32_t& value) const
{
    if (ItemIndex < 0 || ItemIndex >= static_cast<int>(Items.size()))
        return false;
    value = Items[static_cast<std::size_t>(ItemIndex)].Wert;
    return true;
}
