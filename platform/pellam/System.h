#pragma once
// The base of device nodes. A device node heads the records of its device: its System handle
// is its own handle, whatever handle it is given, so every record it writes carries
// System == Handle.

#include "pellam/DataBasis.h"

class TSystem : public TDataBasis {
public:
    // The first five arguments are those of TDataBasis (the system argument is not used: the
    // System is the node's own handle); `geraet` is kept (device nodes pass true).
    TSystem(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art,
            bool geraet);
    ~TSystem() override;

    bool GetGeraet() const { return m_geraet; }

private:
    bool m_geraet;
};
