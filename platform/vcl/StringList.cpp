#include "vcl/StringList.h"

#include "vcl/Exception.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// Bytes 1..32: what the reader skips around values. NUL is not among them: it ends the line.
bool isSkippable(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
}

bool needsQuotes(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        return isBlankOrControl(c) || c == kQuote || c == kDelimiter;
    });
}

// The sort key: ASCII letters and the two-byte UTF-8 forms of the Latin-1 capitals
// U+00C0..U+00DE (except the multiplication sign U+00D7) folded to lower case.
std::string foldCase(const std::string& text)
{
    std::string out = text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (b >= 'A' && b <= 'Z') {
            out[i] = static_cast<char>(b + 32);
        } else if (b == 0xC3 && i + 1 < out.size()) {
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                out[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return out;
}

} // namespace

int TStringList::Add(std::string text)
{
    m_items.push_back(std::move(text));
    return Count() - 1;
}

void TStringList::checkIndex(int index, int limit) const
{
    if (index < 0 || index >= limit)
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

std::string& TStringList::Strings(int index)
{
    checkIndex(index, Count());
    return m_items[static_cast<std::size_t>(index)];
}

const std::string& TStringList::Strings(int index) const
{
    checkIndex(index, Count());
    return m_items[static_cast<std::size_t>(index)];
}

void TStringList::Delete(int index)
{
    checkIndex(index, Count());
    m_items.erase(m_items.begin() + index);
}

void TStringList::Insert(int index, std::string text)
{
    checkIndex(index, Count() + 1);
    m_items.insert(m_items.begin() + index, std::move(text));
}

void TStringList::Sort()
{
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(m_items.size());
    for (auto& item : m_items)
        keyed.emplace_back(foldCase(item), std::move(item));
    // std::string compares through char_traits<char>, which compares as unsigned char.
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        m_items[i] = std::move(keyed[i].second);
}

int TStringList::IndexOf(const std::string& text) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), text);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TStringList::AppendCommaValue(std::string& out, const std::string& value)
{
    if (!needsQuotes(value)) {
        out += value;
        return;
    }
    out += kQuote;
    for (char c : value) {
        if (c == kQuote)
            out += kQuote;
        out += c;
    }
    out += kQuote;
}

std::string TStringList::CommaText() const
{
    std::string out;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (i > 0)
            out += kDelimiter;
        AppendCommaValue(out, m_items[i]);
    }
    return out;
}

void TStringList::SetCommaText(const std::string& text)
{
    // A NUL byte ends the line: read only what comes before it.
    const std::size_t end = std::min(text.find('\0'), text.size());
    std::size_t p = 0;

    m_items.clear();
    while (p < end && isSkippable(text[p]))
        ++p;
    while (p < end) {
        std::string value;
        if (text[p] == kQuote) {
            ++p;
            while (p < end) {
                if (text[p] == kQuote) {
                    if (p + 1 < end && text[p + 1] == kQuote) {
                        value += kQuote;
                        p += 2;
                        continue;
                    }
                    ++p; // the closing quote
                    break;
                }
                value += text[p++];
            }
        } else {
            const std::size_t start = p;
            while (p < end && !isBlankOrControl(text[p]) && text[p] != kDelimiter)
                ++p;
            value.assign(text, start, p - start);
        }
        m_items.push_back(std::move(value));

        while (p < end && isSkippable(text[p]))
            ++p;
        if (p < end && text[p] == kDelimiter) {
            ++p;
            while (p < end && isSkippable(text[p]))
                ++p;
        }
    }
}
