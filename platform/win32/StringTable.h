#pragma once
// A module's string table: the texts a module loads by id at start (LoadStr). The tables are
// kept as UTF-8 text files in resources/strings and compiled into each module.

#include <map>
#include <string>
#include <string_view>

class TStringTable {
public:
    // Lines "id<TAB>text"; the two-character escapes \n, \r, \t and \\ stand for the
    // character. Blank lines and lines that do not start with a number are ignored.
    static TStringTable FromTsv(std::string_view tsv);

    // The text of the id, or the empty text for an id without a string.
    std::string LoadStr(int id) const;
    bool Has(int id) const { return m_texts.count(id) != 0; }
    std::size_t Count() const { return m_texts.size(); }

    void Set(int id, std::string text) { m_texts[id] = std::move(text); }
    void Remove(int id) { m_texts.erase(id); }

private:
    std::map<int, std::string> m_texts;
};
