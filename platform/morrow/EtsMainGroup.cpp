#include "morrow/EtsMainGroup.h"

#include <stdexcept>

TEtsMainGroup::TEtsMainGroup(std::int32_t etsId, std::int16_t number, std::string name)
    : m_etsId(etsId)
    , m_number(number)
    , m_name(std::move(name))
{
    if (number < 0 || number > 15)
        throw std::out_of_range("TEtsMainGroup: no main group " + std::to_string(number));
}

TEtsMiddleGroup* TEtsMainGroup::AddMiddleGroup(std::unique_ptr<TEtsMiddleGroup> middle)
{
    if (middle->GetMainNumber() != m_number)
        throw std::invalid_argument("TEtsMainGroup: the middle group belongs to main group "
                                    + std::to_string(middle->GetMainNumber()));
    m_middles.push_back(std::move(middle));
    return m_middles.back().get();
}

TEtsMiddleGroup* TEtsMainGroup::GetMiddleGroupFirst()
{
    m_cursor = 0;
    return GetMiddleGroupNext();
}

TEtsMiddleGroup* TEtsMainGroup::GetMiddleGroupNext()
{
    if (m_cursor >= m_middles.size())
        return nullptr;
    return m_middles[m_cursor++].get();
}
