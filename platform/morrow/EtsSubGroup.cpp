#include "morrow/EtsSubGroup.h"

#include <stdexcept>

TEtsSubGroup::TEtsSubGroup(std::int32_t etsId, std::uint16_t grpAddr, std::string name,
                           std::int16_t objektTyp, bool dreiEbenen)
    : m_etsId(etsId)
    , m_grpAddr(grpAddr)
    , m_number(static_cast<std::int16_t>(grpAddr & (dreiEbenen ? 0xFF : 0x7FF)))
    , m_objektTyp(objektTyp)
    , m_name(std::move(name))
{
    if (grpAddr == 0 || grpAddr > 0x7FFF)
        throw std::out_of_range("TEtsSubGroup: no group address word: " + std::to_string(grpAddr));
}
