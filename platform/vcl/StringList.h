#pragma once
// A list of texts with the class library's comma text: the one implementation of the comma
// text that the record line and every other comma-separated form of the system use.
//
// Comma text, writing: the texts are joined by single commas (none after the last, no line
// end). A text holding a byte 0..32 (blank and control characters), a double quote or a comma
// is put in double quotes with every double quote inside doubled; any other text, the empty
// one included, is written as it is. Bytes above 127 (UTF-8 sequences) need no quotes.
//
// Comma text, reading: bytes 1..32 at the start are skipped; a value starting with a double
// quote runs to the closing quote (a doubled quote stands for one; a missing closing quote
// takes the rest of the line); any other value runs up to the first byte 0..32 or comma.
// After a value, bytes 1..32 are skipped, then one comma and the bytes 1..32 after it. Two
// commas in a row give an empty value; a comma at the very end gives no further value (which
// is why the record line ends in a marker value). A NUL byte ends the line.
//
// Bytes are compared as unsigned, so UTF-8 text is never mistaken for control characters.

#include <string>
#include <vector>

class TStringList {
public:
    // Appends the text; answers its index.
    int Add(std::string text);
    int Count() const { return static_cast<int>(m_items.size()); }

    // Index 0..Count()-1; any other index throws Exception "List index out of bounds (i)".
    std::string& Strings(int index);
    const std::string& Strings(int index) const;
    std::string& operator[](int index) { return Strings(index); }
    const std::string& operator[](int index) const { return Strings(index); }

    void Clear() { m_items.clear(); }
    // Index 0..Count()-1, else Exception as for Strings.
    void Delete(int index);
    // Index 0..Count() (Count() appends), else Exception as for Strings.
    void Insert(int index, std::string text);

    // Stable sort, ignoring the case of ASCII letters and of the Latin-1 letters (Ä/ä, Ö/ö,
    // Ü/ü, ...); otherwise byte order. Texts equal but for case keep their order.
    void Sort();
    // First index whose text equals the given one exactly (case-sensitive); -1 if none.
    int IndexOf(const std::string& text) const;

    std::string CommaText() const;
    // Appends one value as CommaText writes it (quoted where it must be); the caller writes
    // the delimiter between values.
    static void AppendCommaValue(std::string& out, const std::string& value);
    // Replaces the list by the values read from the text.
    void SetCommaText(const std::string& text);

private:
    void checkIndex(int index, int limit) const;

    std::vector<std::string> m_items;
};
