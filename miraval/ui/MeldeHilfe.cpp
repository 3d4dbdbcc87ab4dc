#include "miraval/ui/MeldeHilfe.h"

#include "win32/CodePage1252.h"

#include <QList>
#include <QString>

#include <fstream>
#include <sstream>

namespace {

char32_t Klein(char32_t c)
{
    return QChar::toLower(c);
}

std::u32string U32(const std::string& utf8)
{
    const QList<uint> ucs = QString::fromStdString(utf8).toUcs4();
    return std::u32string(ucs.begin(), ucs.end());
}

bool IstZiffer(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

// Where "#id" (any case) stands at or after von; npos when nowhere.
std::size_t FindeAbschnittsAnfang(std::u32string_view text, std::size_t von)
{
    static const std::u32string kennung = U"#id";
    for (std::size_t p = von; p + kennung.size() <= text.size(); ++p) {
        bool gleich = true;
        for (std::size_t i = 0; i < kennung.size() && gleich; ++i)
            gleich = Klein(text[p + i]) == kennung[i];
        if (gleich)
            return p;
    }
    return std::u32string_view::npos;
}

bool LiesDatei(const std::string& datei, std::string& inhalt)
{
    std::ifstream ein(datei, std::ios::binary);
    if (!ein)
        return false;
    std::ostringstream puffer;
    puffer << ein.rdbuf();
    if (ein.bad())
        return false;
    inhalt = puffer.str();
    return true;
}

} // namespace

std::string TMeldeHilfe::Schluessel(int id)
{
    return "#id" + std::to_string(id);
}

TMeldeHilfe::TArt TMeldeHilfe::ArtDerDatei(const std::string& datei)
{
    const std::size_t punkt = datei.rfind('.');
    if (punkt == std::string::npos)
        return TArt::Keine;
    const std::string ext = datei.substr(punkt);
    if (ext == ".txt")
        return TArt::Text;
    if (ext == ".rtf")
        return TArt::Rtf;
    return TArt::Keine;
}

std::size_t TMeldeHilfe::FindeSchluessel(std::u32string_view text, std::u32string_view key, std::size_t von)
{
    if (key.empty())
        return std::u32string_view::npos;
    for (std::size_t p = von; p + key.size() <= text.size(); ++p) {
        bool gleich = true;
        for (std::size_t i = 0; i < key.size() && gleich; ++i)
            gleich = Klein(text[p + i]) == Klein(key[i]);
        if (gleich && (p + key.size() == text.size() || !IstZiffer(text[p + key.size()])))
            return p;
    }
    return std::u32string_view::npos;
}

std::vector<std::string> TMeldeHilfe::TextAbschnitt(const std::vector<std::string>& zeilen, int id)
{
    const QString key = QString::fromStdString(Schluessel(id));
    std::vector<std::string> abschnitt;
    std::size_t i = 0;
    while (i < zeilen.size() && QString::fromStdString(zeilen[i]).toLower() != key)
        ++i;
    if (i == zeilen.size())
        return abschnitt;
    for (++i; i < zeilen.size(); ++i) {
        if (QString::fromStdString(zeilen[i]).left(3).toLower() == QStringLiteral("#id"))
            break;
        abschnitt.push_back(zeilen[i]);
    }
    return abschnitt;
}

TRtfDokument TMeldeHilfe::RtfAbschnitt(const TRtfDokument& dokument, int id)
{
    const std::u32string text = U32(dokument.Text());
    const std::u32string key = U32(Schluessel(id));
    const std::size_t l = text.size();
    const std::size_t p = FindeSchluessel(text, key);
    if (p == std::u32string::npos)
        return TRtfDokument();
    // The key's own paragraph break ("\r\n") is not part of the section.
    const std::size_t anfang = std::min(l, p + key.size() + 2);
    const std::size_t q = FindeAbschnittsAnfang(text, anfang);
    const std::size_t ende = q == std::u32string::npos ? l : q;
    return dokument.Ausschnitt(anfang, ende);
}

bool TMeldeHilfe::LadeAbschnitt(const std::string& datei, int id, TRtfDokument& abschnitt)
{
    const TArt art = ArtDerDatei(datei);
    if (art == TArt::Keine)
        return false;
    std::string inhalt;
    if (!LiesDatei(datei, inhalt))
        return false;
    abschnitt = TRtfDokument();
    if (art == TArt::Rtf) {
        abschnitt = RtfAbschnitt(TRtfReader::Lese(inhalt), id);
        return true;
    }
    // A text file in UTF-8, or else in Windows-1252.
    if (!IsValidUtf8(inhalt))
        inhalt = Cp1252ToUtf8(inhalt);
    std::vector<std::string> zeilen;
    std::istringstream ein(inhalt);
    for (std::string zeile; std::getline(ein, zeile);) {
        if (!zeile.empty() && zeile.back() == '\r')
            zeile.pop_back();
        zeilen.push_back(zeile);
    }
    const std::vector<std::string> teil = TextAbschnitt(zeilen, id);
    for (std::size_t i = 0; i < teil.size(); ++i)
        abschnitt.Anhaengen((i > 0 ? "\r\n" : "") + teil[i], TRtfFormat());
    return true;
}
