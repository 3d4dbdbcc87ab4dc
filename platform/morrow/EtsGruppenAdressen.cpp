#include "morrow/EtsGruppenAdressen.h"

#include "kestrin/Ets2Cdi.h"

#include <algorithm>
#include <map>
#include <stdexcept>

TEtsGruppenAdressen::TEtsGruppenAdressen(TEts2Cdi* ets)
    : m_ets(ets)
{
}

TEtsGruppenAdressen::~TEtsGruppenAdressen() = default;

bool TEtsGruppenAdressen::Einlesen(std::int32_t deviceId)
{
    m_before = std::move(m_mains);
    m_mains.clear();
    m_subs.clear();
    m_cursor = 0;
    m_deviceId = deviceId;
    m_read = false;
    if (!m_ets)
        return false;

    // The tree is built from the rows as the store streams them. The store keeps it
    // consistent (each address word lies in its middle group); a tree that is not (a store
    // edited by hand) is refused whole rather than half shown. Parents are found by ETS id;
    // the sub groups come grouped by their middle group, so the last one found answers
    // almost every look-up.
    std::map<std::int32_t, TEtsMainGroup*> mains;
    std::map<std::int32_t, TEtsMiddleGroup*> middles;
    TEtsMiddleGroup* middle = nullptr;
    const auto onRow = [&](TEtsGroupLevel level, const TEtsGroupRow& row) {
        if (level == TEtsGroupLevel::Main) {
            m_mains.push_back(std::make_unique<TEtsMainGroup>(row.Id, row.Number, row.Name));
            mains[row.Id] = m_mains.back().get();
        } else if (level == TEtsGroupLevel::Middle) {
            TEtsMainGroup* main = mains.at(row.ParentId);
            middles[row.Id] = main->AddMiddleGroup(
                std::make_unique<TEtsMiddleGroup>(row.Id, main->GetNumber(), row.Number, row.Name));
        } else {
            if (middle == nullptr || middle->GetEtsId() != row.ParentId)
                middle = middles.at(row.ParentId);
            m_subs.emplace_back(row.Id, middle->AddSubGroup(std::make_unique<TEtsSubGroup>(
                                            row.Id, static_cast<std::uint16_t>(row.Number), row.Name,
                                            row.ObjectType, m_dreiEbenen)));
        }
    };
    bool read = false;
    try {
        read = m_ets->ReadGroupTree(deviceId, onRow);
    } catch (const std::exception&) {
        read = false;
    }
    if (!read) {
        m_mains.clear();
        m_subs.clear();
        return false;
    }
    // The rows come in address order; ids mostly follow it, so this is rarely more than a check.
    if (!std::is_sorted(m_subs.begin(), m_subs.end(), KleinereId))
        std::sort(m_subs.begin(), m_subs.end(), KleinereId);
    m_read = true;
    return true;
}

bool TEtsGruppenAdressen::KleinereId(const TSubEintrag& a, const TSubEintrag& b)
{
    return a.first < b.first;
}

std::vector<TEtsGruppenAdressen::TSubEintrag>::const_iterator TEtsGruppenAdressen::SubStelle(std::int32_t id) const
{
    return std::lower_bound(m_subs.begin(), m_subs.end(), TSubEintrag(id, nullptr), KleinereId);
}

TEtsMainGroup* TEtsGruppenAdressen::GetMainGroupFirst()
{
    m_cursor = 0;
    return GetMainGroupNext();
}

TEtsMainGroup* TEtsGruppenAdressen::GetMainGroupNext()
{
    return m_cursor < m_mains.size() ? m_mains[m_cursor++].get() : nullptr;
}

TEtsMainGroup* TEtsGruppenAdressen::MainGroup(std::int32_t id, std::int16_t number, const std::string& name)
{
    for (const auto& main : m_mains)
        if (main->GetEtsId() == id)
            return main.get();
    // Kept in number order; the objects themselves do not move.
    const auto place = std::find_if(m_mains.begin(), m_mains.end(),
                                    [number](const auto& main) { return main->GetNumber() > number; });
    return m_mains.insert(place, std::make_unique<TEtsMainGroup>(id, number, name))->get();
}

bool TEtsGruppenAdressen::CreateGroupAddress(TEtsSubGroup*& sub, std::int16_t main, std::int16_t middle,
                                             std::int16_t subAddress, const std::string& name)
{
    sub = nullptr;
    if (!m_ets || !m_read)
        return false;
    // The address dialogs hand over the parsed triple in both level styles: a two-level
    // "1/515" arrives as main 1, middle 2, sub 3. With two levels a plain sub address
    // 0-2047 under middle 0 is taken as well; both give the same word.
    const bool plainTwoLevels = !m_dreiEbenen && middle == 0 && subAddress <= 2047;
    if (main < 0 || main > 15 || middle < 0 || middle > 7 || subAddress < 0
        || (subAddress > 255 && !plainTwoLevels))
        return false;
    const auto word = static_cast<std::uint16_t>(main << 11 | middle << 8 | subAddress);
    TEtsGroupPath path;
    if (word == 0 || !m_ets->CreateGroupAddress(m_deviceId, word, name, path))
        return false;

    if (auto* known = FindSubGroup(path.Sub.Id)) {
        sub = known;
        return true;
    }
    TEtsMainGroup* mainGroup = MainGroup(path.Main.Id, path.Main.Number, path.Main.Name);
    TEtsMiddleGroup* middleGroup = nullptr;
    for (const auto& candidate : mainGroup->MiddleGroups())
        if (candidate->GetEtsId() == path.Middle.Id)
            middleGroup = candidate.get();
    if (!middleGroup)
        middleGroup = mainGroup->AddMiddleGroup(std::make_unique<TEtsMiddleGroup>(
            path.Middle.Id, mainGroup->GetNumber(), path.Middle.Number, path.Middle.Name));
    sub = middleGroup->AddSubGroup(
        std::make_unique<TEtsSubGroup>(path.Sub.Id, word, path.Sub.Name, path.Sub.ObjectType, m_dreiEbenen));
    m_subs.insert(SubStelle(path.Sub.Id), {path.Sub.Id, sub});
    return true;
}

TEtsSubGroup* TEtsGruppenAdressen::FindSubGroup(std::int32_t subGroupId) const
{
    const auto found = SubStelle(subGroupId);
    return found != m_subs.end() && found->first == subGroupId ? found->second : nullptr;
}

std::uint16_t TEtsGruppenAdressen::GetGrpAddr(std::int32_t subGroupId)
{
    if (const auto* sub = FindSubGroup(subGroupId))
        return sub->GetGrpAddr();
    std::uint16_t word = 0;
    if (m_ets && m_ets->GetGroupAddressWord(subGroupId, word))
        return word;
    return 0;
}

std::string TEtsGruppenAdressen::GrpAddrString(std::int32_t subGroupId)
{
    const std::uint16_t word = GetGrpAddr(subGroupId);
    return word == 0 ? std::string() : GrpAddrString(word, m_dreiEbenen);
}

std::string TEtsGruppenAdressen::GrpAddrString(std::uint16_t word, bool dreiEbenen)
{
    const std::string main = std::to_string((word & 0x7800) >> 11);
    if (dreiEbenen)
        return main + "/" + std::to_string((word & 0x700) >> 8) + "/" + std::to_string(word & 0xFF);
    return main + "/" + std::to_string(word & 0x7FF);
}
