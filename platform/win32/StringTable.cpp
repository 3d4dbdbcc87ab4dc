#include "win32/StringTable.h"

#include <charconv>

namespace {

std::string unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            switch (text[i + 1]) {
            case 'n':
                out += '\n';
                ++i;
                continue;
            case 'r':
                out += '\r';
                ++i;
                continue;
            case 't':
                out += '\t';
                ++i;
                continue;
            case '\\':
                out += '\\';
                ++i;
                continue;
            default:
                break;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

TStringTable TStringTable::FromTsv(std::string_view tsv)
{
    TStringTable table;
    while (!tsv.empty()) {
        auto end = tsv.find('\n');
        std::string_view line = tsv.substr(0, end);
        tsv = end == std::string_view::npos ? std::string_view{} : tsv.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        auto tab = line.find('\t');
        if (tab == std::string_view::npos)
            continue;
        int id = 0;
        auto [ptr, ec] = std::from_chars(line.data(), line.data() + tab, id);
        if (ec != std::errc{} || ptr != line.data() + tab)
            continue;
        table.m_texts[id] = unescape(line.substr(tab + 1));
    }
    return table;
}

std::string TStringTable::LoadStr(int id) const
{
    auto it = m_texts.find(id);
    return it == m_texts.end() ? std::string{} : it->second;
}
