// A clipboard block (record lines) pasted onto the loaded demo alarm centre: the first byte
// picks the target, a detector or a security area, the rest is the block. A paste that is
// refused leaves the device and ETS as they were; a paste that fails half-way (a chain or a
// child's data missing) is the paste's own way of failing and is not held to that.
#include "FuzzDemoGeraet.h"

#include "quillon/DatenManager.h"
#include "vcl/StringList.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The handles of the paste targets: every detector but the wired input, every security area.
std::vector<int32_t> Ziele(TDeviceInstanzAz& inst)
{
    std::vector<int32_t> ziele;
    for (const auto& [handle, node] : inst.GetKnoten()) {
        const int typ = node->GetTyp();
        const auto* melder = dynamic_cast<const TAzMelder*>(node.get());
        if ((melder != nullptr && melder->GetMelderBereich() != MelderArt::Verdrahtet) ||
            typ == AzTyp::SicherungsBereichFeuer || typ == AzTyp::SicherungsBereichUeberfall ||
            (typ >= AzTyp::SicherungsBereich1 && typ < AzTyp::SicherungsBereich1 + TDeviceInstanzAz::kAnzahlBereiche))
            ziele.push_back(handle);
    }
    return ziele;
}

// The block's lines as the clipboard paste reads them: up to the first NUL, CR LF, LF and CR
// each ending a line.
void Zeilen(std::string_view block, TStringList& zeilen)
{
    block = block.substr(0, block.find('\0'));
    std::size_t start = 0;
    while (start < block.size()) {
        std::size_t ende = block.find_first_of("\r\n", start);
        if (ende == std::string_view::npos)
            ende = block.size();
        zeilen.Add(std::string(block.substr(start, ende - start)));
        start = ende + 1;
        if (ende < block.size() && block[ende] == '\r' && start < block.size() && block[start] == '\n')
            ++start;
    }
}

// Whether the paste was refused before it changed anything: the block cannot be read, holds
// no record of the type the target takes, the area does not fit, or the sabotage question was
// answered No (every box is answered OK here).
bool Abgelehnt(const TStringList& zeilen, TDataBasis* ziel, const std::vector<TFuzzDemoGeraet::TBox>& boxen)
{
    const bool bereichOderFrage = std::any_of(boxen.begin(), boxen.end(), [](const TFuzzDemoGeraet::TBox& box) {
        return box.caption == "Fehler beim Einfügen" || box.caption == "Sabotage Schalteinrichtung";
    });
    if (bereichOderFrage || ziel == nullptr)
        return true;
    std::string block;
    for (int i = 0; i < zeilen.Count(); ++i)
        block += (i > 0 ? "\r\n" : "") + zeilen[i];
    const int typ = ziel->GetTyp();
    const bool bereich = typ == AzTyp::SicherungsBereichFeuer || typ == AzTyp::SicherungsBereichUeberfall ||
                         (typ >= AzTyp::SicherungsBereich1 &&
                          typ < AzTyp::SicherungsBereich1 + TDeviceInstanzAz::kAnzahlBereiche);
    try {
        TDatenManager<TDatenStruktur> daten(block.data(), block.size());
        TDatenStruktur gefunden;
        return !daten.Find("Typ", bereich ? AzTyp::Melder : typ, gefunden);
    } catch (const std::exception&) {
        return true;
    } catch (const E_DatenManager&) {
        return true;
    } catch (const E_DatenStruktur&) {
        return true;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    TFuzzDemoGeraet& geraet = TFuzzDemoGeraet::Instanz();
    static const std::vector<int32_t> ziele = Ziele(geraet.Inst());
    const int32_t ziel = ziele[data[0] % ziele.size()];
    TStringList zeilen;
    Zeilen(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), zeilen);
    geraet.Pruefe([&] { return geraet.Inst().Einfuegen(geraet.Inst().FindHandle(ziel), zeilen); },
                  [&] { return Abgelehnt(zeilen, geraet.Inst().FindHandle(ziel), geraet.Boxen()); });
    return 0;
}
