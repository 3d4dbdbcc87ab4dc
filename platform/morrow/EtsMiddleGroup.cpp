#include "morrow/EtsMiddleGroup.h"

#include <stdexcept>

TEtsMiddleGroup::TEtsMiddleGroup(std::int32_t etsId, std::int16_t mainNumber, std::int16_t number,
                                 std::string name)
    : m_etsId(etsId)
    , m_mainNumber(mainNumber)
    , m_number(number)
    , m_name(std::move(name))
{
    if (mainNumber < 0 || mainNumber > 15 || number < 0 || number > 7)
        throw std::out_of_range("TEtsMiddleGroup: no middle group " + std::to_string(mainNumber) + "/"
                                + std::to_string(number));
}

TEtsSubGroup* TEtsMiddleGroup::AddSubGroup(std::unique_ptr<TEtsSubGroup> sub)
{
    if (sub->GetMainNumber() != m_mainNumber || sub->GetMiddleNumber() != m_number)
        throw std::invalid_argument("TEtsMiddleGroup: the address word " + std::to_string(sub->GetGrpAddr())
                                    + " does not belong to this middle group");
    m_subs.push_back(std::move(sub));
    return m_subs.back().get();
}

TEtsSubGroup* TEtsMiddleGroup::GetSubGroupFirst()
{
    m_cursor = 0;
    return GetSubGroupNext();
}

TEtsSubGroup* TEtsMiddleGroup::GetSubGroupNext()
{
    if (m_cursor >= m_subs.size())
        return nullptr;
    return m_subs[m_cursor++].get();
}
