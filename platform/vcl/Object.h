#pragma once
// The root of the class library's objects. Event handlers receive their sender as a TObject*
// and tell senders apart by class name ("TDrawGridSEEdit", "TQmSpinEdit", "TListView", ...),
// so every class that is passed as a sender reports its name here.

#include <string>
#include <string_view>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    virtual ~TObject() = default;

    // The class's own name, e.g. "TDrawGridSEComboBox".
    virtual std::string ClassName() const { return "TObject"; }
    // Exact, case-sensitive comparison with ClassName().
    bool ClassNameIs(std::string_view name) const { return ClassName() == name; }
    // True for the class's own name and the names of the library classes it stands in for
    // (a grid edit field is also a "TEdit").
    virtual bool InheritsFrom(std::string_view name) const
    {
        return name == "TObject" || ClassNameIs(name);
    }
};
