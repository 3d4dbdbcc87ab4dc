#include "pellam/System.h"

#include "tamsel/Tamsel.h"

#include <utility>

TSystem::TSystem(HWND owner, int32_t system, int32_t parent, std::string name, int32_t art,
                 bool geraet)
    : TDataBasis(owner, system, parent, std::move(name), art), m_geraet(geraet)
{
    LOG_FKT("TSystem::TSystem");
    MarkAsSystemNode();
}

TSystem::~TSystem()
{
    LOG_FKT("TSystem::~TSystem");
}
