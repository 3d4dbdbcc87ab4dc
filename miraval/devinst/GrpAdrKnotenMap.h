#pragma once
// TGrpAdrKnotenMap: the group-address nodes of one level, owned, by the ETS id of their group,
// walked in id order as an ordered map would be.
//
// A sorted vector rather than a map: a read of the project's tree makes tens of thousands of
// nodes, and a map would cost one allocation per entry and a cache miss per look-up. A read
// hands its nodes over at once (Aufnehmen: one sort for the lot); a single node made later
// (emplace) is shifted into place. Only const iterators are handed out, so the order by id
// cannot be broken from outside; the nodes themselves stay changeable. Iterators and
// references to entries end with the next change of the map, the node pointers do not.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

template <class TKnoten>
class TGrpAdrKnotenMap {
public:
    using key_type = std::int32_t;
    using mapped_type = std::unique_ptr<TKnoten>;
    using value_type = std::pair<key_type, mapped_type>;
    using const_iterator = typename std::vector<value_type>::const_iterator;
    using iterator = const_iterator;

    const_iterator begin() const { return m_eintraege.begin(); }
    const_iterator end() const { return m_eintraege.end(); }
    std::size_t size() const { return m_eintraege.size(); }
    bool empty() const { return m_eintraege.empty(); }
    void clear() { m_eintraege.clear(); }

    const_iterator find(key_type id) const
    {
        const auto it = Stelle(id);
        return it != end() && it->first == id ? it : end();
    }
    bool contains(key_type id) const { return find(id) != end(); }
    // As std::map::at: std::out_of_range for an id without a node.
    const mapped_type& at(key_type id) const
    {
        const auto it = find(id);
        if (it == end())
            throw std::out_of_range("TGrpAdrKnotenMap: no node for the ETS id " + std::to_string(id));
        return it->second;
    }

    // As std::map::emplace: an id that has a node keeps it (the given one is dropped); the
    // entry under the id and whether the given node was taken.
    std::pair<const_iterator, bool> emplace(key_type id, mapped_type knoten)
    {
        const auto it = Stelle(id);
        if (it != end() && it->first == id)
            return {it, false};
        return {m_eintraege.emplace(it, id, std::move(knoten)), true};
    }

    // Takes the nodes of a read over: as emplace for each in turn (an id that has a node
    // keeps it, and of repeats among the new ones the first is taken), at the cost of one
    // sort of the new ones and one merge.
    void Aufnehmen(std::vector<value_type> neue)
    {
        if (neue.empty())
            return;
        const auto kleiner = [](const value_type& a, const value_type& b) { return a.first < b.first; };
        const auto gleich = [](const value_type& a, const value_type& b) { return a.first == b.first; };
        // Stable, so that of equal ids the one there first, then the one handed first, is
        // the one std::unique keeps.
        if (!std::is_sorted(neue.begin(), neue.end(), kleiner))
            std::stable_sort(neue.begin(), neue.end(), kleiner);
        if (m_eintraege.empty()) {
            m_eintraege = std::move(neue);
        } else {
            const auto alt = static_cast<std::ptrdiff_t>(m_eintraege.size());
            m_eintraege.reserve(m_eintraege.size() + neue.size());
            std::move(neue.begin(), neue.end(), std::back_inserter(m_eintraege));
            std::inplace_merge(m_eintraege.begin(), m_eintraege.begin() + alt, m_eintraege.end(), kleiner);
        }
        m_eintraege.erase(std::unique(m_eintraege.begin(), m_eintraege.end(), gleich), m_eintraege.end());
    }

private:
    typename std::vector<value_type>::const_iterator Stelle(key_type id) const
    {
        return std::lower_bound(m_eintraege.begin(), m_eintraege.end(), id,
                                [](const value_type& eintrag, key_type key) { return eintrag.first < key; });
    }

    std::vector<value_type> m_eintraege;
};
