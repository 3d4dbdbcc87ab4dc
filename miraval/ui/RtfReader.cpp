#include "miraval/ui/RtfReader.h"

#include "win32/CodePage1252.h"

#include <cctype>
#include <cstdint>
#include <set>

namespace {

// Characters of a UTF-8 text: every byte that does not continue a sequence starts one.
std::size_t Zeichen(std::string_view text)
{
    std::size_t n = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    }
    return n;
}

// Byte offset of character index n (the end when n is past it).
std::size_t ByteVon(std::string_view text, std::size_t n)
{
    std::size_t zeichen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (zeichen == n)
                return i;
            ++zeichen;
        }
    }
    return text.size();
}

std::string Utf8(char32_t cp)
{
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

bool IstZiel(const std::string& wort)
{
    static const std::set<std::string> ziele = {
        "fonttbl", "colortbl", "stylesheet", "info",   "pict",    "header",  "footer",
        "headerl", "headerr",  "headerf",    "footerl", "footerr", "footerf", "listtable",
        "listoverridetable", "rsidtbl", "generator", "themedata", "latentstyles", "object",
        "fldinst", "datastore", "xmlnstbl", "filetbl", "revtbl", "pgdsctbl",
    };
    return ziele.count(wort) != 0;
}

struct TGruppe {
    TRtfFormat format;
    bool ueberspringen = false;
    int uc = 1; // characters that stand in for a \u character
};

class TLeser {
public:
    explicit TLeser(std::string_view rtf) : m_rtf(rtf) {}

    TRtfDokument Lese()
    {
        m_stapel.push_back(TGruppe());
        while (m_pos < m_rtf.size()) {
            const char c = m_rtf[m_pos];
            if (c == '{') {
                ++m_pos;
                m_stapel.push_back(m_stapel.back());
                m_gruppenAnfang = true;
            } else if (c == '}') {
                ++m_pos;
                if (m_stapel.size() > 1)
                    m_stapel.pop_back();
                m_gruppenAnfang = false;
            } else if (c == '\\') {
                Steuerung();
            } else if (c == '\r' || c == '\n') {
                ++m_pos;
            } else {
                ++m_pos;
                Text(std::string(1, c), true);
                m_gruppenAnfang = false;
            }
        }
        return m_dok;
    }

private:
    TGruppe& Aktuell() { return m_stapel.back(); }

    // Text from the file: raw bytes are Windows-1252.
    void Text(const std::string& text, bool cp1252)
    {
        if (m_ueberspringeZeichen > 0) {
            --m_ueberspringeZeichen;
            return;
        }
        if (Aktuell().ueberspringen)
            return;
        m_dok.Anhaengen(cp1252 ? Cp1252ToUtf8(text) : text, Aktuell().format);
    }

    void Steuerung()
    {
        ++m_pos; // the backslash
        if (m_pos >= m_rtf.size())
            return;
        const char c = m_rtf[m_pos];
        const bool anfang = m_gruppenAnfang;
        m_gruppenAnfang = false;
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_pos;
            switch (c) {
            case '\\': case '{': case '}':
                Text(std::string(1, c), true);
                break;
            case '~':
                Text("\xC2\xA0", false);
                break;
            case '_':
                Text("-", false);
                break;
            case '-':
                break;
            case '*':
                Aktuell().ueberspringen = true;
                break;
            case '\'':
                if (m_pos + 2 <= m_rtf.size()) {
                    const std::string hex(m_rtf.substr(m_pos, 2));
                    m_pos += 2;
                    char* ende = nullptr;
                    const long wert = std::strtol(hex.c_str(), &ende, 16);
                    if (ende == hex.c_str() + 2)
                        Text(std::string(1, static_cast<char>(wert)), true);
                }
                break;
            case '\r': case '\n':
                Absatz();
                break;
            default:
                break;
            }
            return;
        }
        std::string wort;
        while (m_pos < m_rtf.size() && std::isalpha(static_cast<unsigned char>(m_rtf[m_pos])))
            wort += m_rtf[m_pos++];
        bool hatZahl = false;
        long zahl = 0;
        bool negativ = false;
        if (m_pos < m_rtf.size() && m_rtf[m_pos] == '-') {
            negativ = true;
            ++m_pos;
        }
        while (m_pos < m_rtf.size() && std::isdigit(static_cast<unsigned char>(m_rtf[m_pos]))) {
            hatZahl = true;
            if (zahl < 1000000)
                zahl = zahl * 10 + (m_rtf[m_pos] - '0');
            ++m_pos;
        }
        if (negativ)
            zahl = -zahl;
        if (m_pos < m_rtf.size() && m_rtf[m_pos] == ' ')
            ++m_pos;
        Wort(wort, hatZahl, zahl, anfang);
    }

    void Absatz()
    {
        if (!Aktuell().ueberspringen)
            m_dok.Anhaengen("\r\n", Aktuell().format);
    }

    void Wort(const std::string& wort, bool hatZahl, long zahl, bool gruppenAnfang)
    {
        TRtfFormat& f = Aktuell().format;
        const bool an = !hatZahl || zahl != 0;
        if (gruppenAnfang && IstZiel(wort)) {
            Aktuell().ueberspringen = true;
        } else if (wort == "par") {
            Absatz();
        } else if (wort == "line") {
            Text("\n", false);
        } else if (wort == "tab") {
            Text("\t", false);
        } else if (wort == "b") {
            f.Fett = an;
        } else if (wort == "i") {
            f.Kursiv = an;
        } else if (wort == "ul") {
            f.Unterstrichen = an;
        } else if (wort == "ulnone") {
            f.Unterstrichen = false;
        } else if (wort == "fs") {
            f.Groesse = hatZahl && zahl > 0 ? static_cast<int>(zahl) : 24;
        } else if (wort == "plain") {
            f = TRtfFormat();
        } else if (wort == "uc") {
            Aktuell().uc = hatZahl && zahl >= 0 ? static_cast<int>(zahl) : 1;
        } else if (wort == "u" && hatZahl) {
            const long cp = zahl < 0 ? zahl + 65536 : zahl;
            Text(Utf8(static_cast<char32_t>(cp)), false);
            m_ueberspringeZeichen = Aktuell().uc;
        } else if (wort == "emdash") {
            Text("\xE2\x80\x94", false);
        } else if (wort == "endash") {
            Text("\xE2\x80\x93", false);
        } else if (wort == "bullet") {
            Text("\xE2\x80\xA2", false);
        } else if (wort == "lquote" || wort == "rquote") {
            Text(wort == "lquote" ? "\xE2\x80\x98" : "\xE2\x80\x99", false);
        } else if (wort == "ldblquote" || wort == "rdblquote") {
            Text(wort == "ldblquote" ? "\xE2\x80\x9C" : "\xE2\x80\x9D", false);
        }
    }

    std::string_view m_rtf;
    std::size_t m_pos = 0;
    std::vector<TGruppe> m_stapel;
    TRtfDokument m_dok;
    bool m_gruppenAnfang = false;
    int m_ueberspringeZeichen = 0;
};

} // namespace

void TRtfDokument::Anhaengen(std::string_view text, const TRtfFormat& format)
{
    if (text.empty())
        return;
    if (!m_laeufe.empty() && m_laeufe.back().Format == format)
        m_laeufe.back().Text += text;
    else
        m_laeufe.push_back({std::string(text), format});
}

std::string TRtfDokument::Text() const
{
    std::string text;
    for (const TRtfLauf& lauf : m_laeufe)
        text += lauf.Text;
    return text;
}

std::size_t TRtfDokument::Laenge() const
{
    std::size_t n = 0;
    for (const TRtfLauf& lauf : m_laeufe)
        n += Zeichen(lauf.Text);
    return n;
}

TRtfDokument TRtfDokument::Ausschnitt(std::size_t von, std::size_t bis) const
{
    TRtfDokument teil;
    std::size_t anfang = 0;
    for (const TRtfLauf& lauf : m_laeufe) {
        const std::size_t laenge = Zeichen(lauf.Text);
        const std::size_t ende = anfang + laenge;
        if (ende > von && anfang < bis) {
            const std::size_t a = von > anfang ? von - anfang : 0;
            const std::size_t b = std::min(bis, ende) - anfang;
            const std::size_t ba = ByteVon(lauf.Text, a);
            const std::size_t bb = ByteVon(lauf.Text, b);
            teil.Anhaengen(std::string_view(lauf.Text).substr(ba, bb - ba), lauf.Format);
        }
        anfang = ende;
    }
    return teil;
}

TRtfDokument TRtfReader::Lese(std::string_view rtf)
{
    return TLeser(rtf).Lese();
}
