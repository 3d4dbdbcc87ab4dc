#pragma once
// The editor the grid opens on a combo cell. Node handlers recognise it by its class name
// "TDrawGridSEComboBox" and read either the chosen position (ItemIndex), the chosen entry's
// value (ItemValue) or, for an editable combo, the text of its edit field (Text).

#include "rastow/Cell.h"
#include "rastow/ComboWert.h"
#include "vcl/Object.h"

#include <cstdint>
#include <string>
#include <vector>

class TDrawGridSEComboBox : public TObject {
public:
    ~TDrawGridSEComboBox() override;

    std::string ClassName() const override { return "TDrawGridSEComboBox"; }
    bool InheritsFrom(std::string_view name) const override
    {
        return name == "TComboBox" || TObject::InheritsFrom(name);
    }

    // The value of the chosen entry. False, and the value untouched, when no entry is chosen
    // (ItemIndex -1 or outside the entries, e.g. after a typed text that matches none).
    bool ItemValue(int32_t& value) const;

    // True when the style lets the user type a text of his own.
    bool IsEditable() const { return Style == csDropDown || Style == csSimple; }

    std::vector<TComboWert> Items;
    int ItemIndex = -1;
    std::string Text; // the edit field: the chosen entry's text or what was typed
    TComboBoxStyle Style = csDropDownList;
};
