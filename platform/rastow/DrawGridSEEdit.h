#pragma once
// The editor the grid opens on an edit cell. Node handlers recognise it by its class name
// "TDrawGridSEEdit" and read the typed text from it.

#include "vcl/Object.h"

#include <string>

class TDrawGridSEEdit : public TObject {
public:
    ~TDrawGridSEEdit() override;

    std::string ClassName() const override { return "TDrawGridSEEdit"; }
    bool InheritsFrom(std::string_view name) const override
    {
        return name == "TEdit" || TObject::InheritsFrom(name);
    }

    std::string Text;  // what the field holds now (UTF-8)
    int MaxLength = 0; // characters; 0 for no limit. The grid cuts typed text to it.
};
