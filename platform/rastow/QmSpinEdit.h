#pragma once
// The editor the grid opens on a spin cell. Node handlers recognise it by its class name
// "TQmSpinEdit" and take its 16-bit Value, sign-extended. Value is what the field holds
// (typed, possibly outside the limits until the cell is committed); Position is the spin
// buttons' position and stays within Min..Max. When the cell is committed the grid puts the
// value within the limits, so a node that reads Value in OnExitCell always gets a value
// within Min..Max.

#include "vcl/Object.h"

#include <cstdint>
#include <string>

class TQmSpinEdit : public TObject {
public:
    ~TQmSpinEdit() override;

    std::string ClassName() const override { return "TQmSpinEdit"; }
    bool InheritsFrom(std::string_view name) const override
    {
        return name == "TSpinEdit" || TObject::InheritsFrom(name);
    }

    int16_t Value = 0;
    int16_t Position = 0;
    int16_t Min = 0;
    int16_t Max = 0;
    int16_t Increment = 1;
};
