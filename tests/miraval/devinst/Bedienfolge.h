#pragma once
// A person's operations on an alarm centre, decoded from bytes, and the property the gate of
// stored configurations must keep with them: whatever the program makes is taken by every
// reader of a stored configuration (template import, safety-copy restore, ETS's import and
// copy, the opening) and reads back the same. The gtest runs it for fixed seeds, the fuzz
// target person_edits for any bytes.
//
// Decoding: the first byte picks the start (the device as stored, or a new device of one of
// the variants); then each operation is a byte for its kind and the bytes its choices need.
// Every choice is taken modulo what the program offers at that moment (the nodes there, the
// rows of the node's grid, the entries of a row, the devices a dialog offers), so every byte
// string is a sequence a person could have made. Every question is answered yes.

#include "AzGeraet.h"

#include "miraval/devinst/DevInstAz_p.h"
#include "quillon/VireoGrpAdrSub.h"
#include "rastow/DrawGridSE.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzScharfschaltungSsb.h"
#include "tessarin/AzSystem.h"
#include "vcl/StringList.h"
#include "win32/MessageBox.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace Bedienfolge {

// The variant codes a person can choose (the variant dialog's).
inline constexpr std::array<uint32_t, 15> kVarianten = {
    0x00000000u, 0x11330000u, 0x113344CCu, 0x110044CCu, 0x112244CCu, 0x11000000u, 0x11220000u, 0x11224400u,
    0x11224488u, 0x11000098u, 0x112200B8u, 0x112244F8u, 0x112244B8u, 0x11004498u, 0x11224498u};

// The device's configuration as ETS stores it.
inline std::string Gespeichert(TEts2Cdi& ets, int32_t deviceId)
{
    const uint8_t* puffer = nullptr;
    uint32_t laenge = 0;
    if (!ets.BlobRead(puffer, laenge, deviceId))
        return {};
    return std::string(reinterpret_cast<const char*>(puffer), laenge);
}

// A reader of a stored configuration from outside, on the loaded device: whether it took the
// container, and what the device then holds (its export).
struct TLeser {
    const char* name;
    bool mitEts;   // whether the reader asks ETS about the objects
    bool mitLinks; // whether the links come along
    bool etsIds;   // whether the objects' ETS ids are converted
    std::function<bool(TAzGeraet&, TEts2Cdi&, const std::string&)> lesen;
};
inline const std::vector<TLeser>& Leser()
{
    static const std::vector<TLeser> leser = {
        {"template import", true, false, false,
         [](TAzGeraet& g, TEts2Cdi&, const std::string& d) { return g.inst.VireoImport(d, false); }},
        {"safety copy restore", true, true, false,
         [](TAzGeraet& g, TEts2Cdi&, const std::string& d) { return g.inst.VireoImport(d, true); }},
        {"ETS import", true, true, true,
         [](TAzGeraet& g, TEts2Cdi&, const std::string& d) {
             if (!g.inst.VireoCdiImport(d, nullptr))
                 return false;
             g.inst.AuswahlGrenzenSetzen();
             return true;
         }},
        {"ETS copy", true, false, true,
         [](TAzGeraet& g, TEts2Cdi&, const std::string& d) {
             if (!g.inst.VireoCdiCopy(d, true, nullptr))
                 return false;
             g.inst.AuswahlGrenzenSetzen();
             return true;
         }},
        // The device opened on a store that holds the container; the store as it was after.
        {"opening", false, true, false,
         [](TAzGeraet& g, TEts2Cdi& ets, const std::string& d) {
             const int32_t id = g.inst.GetEtsDeviceId();
             const std::string vorher = Gespeichert(ets, id);
             bool ok = ets.BlobWrite(d.data(), static_cast<uint32_t>(d.size()), id);
             ok = ok && g.inst.GetDataFromServer(g.host.GetHandle(), false);
             (void)ets.BlobWrite(vorher.data(), static_cast<uint32_t>(vorher.size()), id);
             return ok;
         }},
    };
    return leser;
}

// The records of a container by handle (a load keeps them in another order), without what
// the reader makes anew: an import converts each object's ETS ids (object, device parameter,
// device object), a reader that drops the links drops the continuation records and each
// object's link slots.
inline std::vector<TDatenStruktur> Saetze(const std::string& container, const TLeser& leser)
{
    std::vector<TDatenStruktur> saetze;
    (void)DatenContainer::ReadDatensaetze(container, "", saetze);
    if (!leser.mitLinks)
        std::erase_if(saetze, [](const TDatenStruktur& s) { return s.Typ == 2; });
    for (TDatenStruktur& s : saetze) {
        // The device's address comes from ETS with every reader.
        if (s.Typ == AzTyp::System)
            s.String2.clear();
        // A conversion writes each chain anew, with handles of its own.
        if (leser.etsIds && s.Typ == 2)
            s.Handle = s.Next = 0;
        if (s.Typ != TEtsObjekt::kTyp)
            continue;
        if (!leser.mitLinks || leser.etsIds)
            s.Next = 0;
        if (!leser.mitLinks)
            s.Param14 = s.Param15 = 0;
        if (leser.etsIds)
            s.Param3 = s.Param5 = s.Param10 = 0;
    }
    std::sort(saetze.begin(), saetze.end(), [](const auto& a, const auto& b) {
        return std::tie(a.Handle, a.Parent, a.Param14, a.Param15) < std::tie(b.Handle, b.Parent, b.Param14, b.Param15);
    });
    return saetze;
}

// The first record in which two lists differ, each as its record line ("-" for none).
inline std::string Unterschied(const std::vector<TDatenStruktur>& a, const std::vector<TDatenStruktur>& b)
{
    auto zeile = [](const std::vector<TDatenStruktur>& saetze, std::size_t i) {
        if (i >= saetze.size())
            return std::string("-");
        std::string container;
        const TDatenStruktur* satz = &saetze[i];
        (void)DatenContainer::WriteContainer({&satz, 1}, DatenContainer::FormatVersion({}), {}, container);
        const std::size_t anfang = container.find("<DB>\r\n") + 6;
        return container.substr(anfang, container.find("\r\n", anfang) - anfang);
    };
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return zeile(a, i) + "\n    instead of " + zeile(b, i);
}

class TFolge {
public:
    TFolge(TAzGeraet& geraet, std::span<const uint8_t> bytes) : m_g(geraet), m_bytes(bytes) {}

    // Runs the sequence, stores the device as the return to ETS does, and passes its export
    // through every reader. Empty when every reader took it and read back the same; else
    // what failed, with the operations that led there.
    std::vector<std::string> Pruefen(TEts2Cdi& ets)
    {
        std::vector<std::string> fehler;
        // A reader may ask what the program asks (a template taken without its links whether
        // the switching devices go): answered no, as the configuration is to stay.
        std::vector<std::string> boxen;
        bool ja = true;
        auto antwort = [&](HWND, const std::string& text, const std::string&, UINT flags) {
            const bool frage = (flags & 0xF) == MB_YESNO || (flags & 0xF) == MB_YESNOCANCEL;
            if (!frage)
                boxen.push_back(text);
            return frage ? (ja ? IDYES : IDNO) : IDOK;
        };
        const TMessageBoxHook vorher = SetMessageBoxHook(antwort);
        Ausfuehren();
        std::string export_;
        if (!m_g.inst.WriteBlob() || !m_g.inst.CopyStrukturDatenToDB(nullptr, &export_))
            fehler.push_back("the device cannot be stored");
        ja = false;
        for (const TLeser& leser : Leser()) {
            if (!fehler.empty())
                break;
            boxen.clear();
            std::string gelesen;
            if (!leser.lesen(m_g, ets, export_))
                fehler.push_back(std::string(leser.name) + " refused it");
            else if (!m_g.inst.CopyStrukturDatenToDB(nullptr, &gelesen))
                fehler.push_back(std::string(leser.name) + ": the device cannot be exported");
            else if (const auto a = Saetze(gelesen, leser), b = Saetze(export_, leser); a != b)
                fehler.push_back(std::string(leser.name) + " read back " + Unterschied(a, b));
            for (const std::string& box : boxen)
                fehler.push_back(std::string(leser.name) + " showed: " + box);
        }
        SetMessageBoxHook(vorher);
        if (!fehler.empty())
            fehler.insert(fehler.end(), m_protokoll.begin(), m_protokoll.end());
        return fehler;
    }

    // The operations done, one line each.
    const std::vector<std::string>& Protokoll() const { return m_protokoll; }

private:
    uint8_t Byte() { return m_pos < m_bytes.size() ? m_bytes[m_pos++] : 0; }
    int Zahl()
    {
        const int hoch = Byte();
        return hoch << 8 | Byte();
    }
    // A choice among n (n > 0).
    std::size_t Wahl(std::size_t n) { return static_cast<std::size_t>(Zahl()) % n; }

    HWND Owner() { return m_g.host.GetHandle(); }
    std::vector<TDataBasis*> Knoten(const std::function<bool(TDataBasis&)>& wo)
    {
        std::vector<TDataBasis*> gefunden;
        for (const auto& [handle, node] : m_g.inst.GetKnoten())
            if (wo(*node))
                gefunden.push_back(node.get());
        return gefunden;
    }
    static bool IstBereich(TDataBasis& n)
    {
        const int typ = n.GetTyp();
        return typ == AzTyp::SicherungsBereichFeuer || typ == AzTyp::SicherungsBereichUeberfall ||
               (typ >= AzTyp::SicherungsBereich1 && typ < AzTyp::SicherungsBereich1 + 4);
    }
    static bool IstBusEingang(TDataBasis& n)
    {
        auto* melder = dynamic_cast<TAzMelder*>(&n);
        return melder != nullptr && melder->GetMelderBereich() != MelderArt::Verdrahtet;
    }
    static uint8_t Art(int typ)
    {
        if (typ == AzTyp::SicherungsBereichFeuer)
            return MelderArt::Feuer;
        if (typ == AzTyp::SicherungsBereichUeberfall)
            return MelderArt::Ueberfall;
        return static_cast<uint8_t>(MelderArt::Sb1 + (typ - AzTyp::SicherungsBereich1));
    }
    // A text of that many characters, umlauts among them.
    std::string Text(std::size_t laenge)
    {
        static const char* const zeichen[] = {"ä", "ö", "ü", "ß", "Ä", "Ö", "Ü", "a", "Z", "7", " ", "-"};
        std::string text;
        for (std::size_t i = 0; i < laenge; ++i)
            text += zeichen[Byte() % std::size(zeichen)];
        return text;
    }

    void Ausfuehren()
    {
        if (const uint8_t start = Byte(); start % 2 == 1) {
            const uint32_t variante = kVarianten[start / 2 % kVarianten.size()];
            m_protokoll.push_back("new device " + std::to_string(variante));
            (void)m_g.inst.CreateNewDevice(Owner(), variante);
        }
        while (m_pos < m_bytes.size()) {
            switch (Byte() % 7) {
            case 0: EingangAnlegen(); break;
            case 1: EingangLoeschen(); break;
            case 2: Zeile(); break;
            case 3: Dialog(); break;
            case 4: Verknuepfen(); break;
            case 5: Einfuegen(); break;
            default: VorlageZurueck(); break;
            }
        }
    }

    void EingangAnlegen()
    {
        const auto bereiche = Knoten(IstBereich);
        if (bereiche.empty())
            return;
        TDataBasis* bereich = bereiche[Wahl(bereiche.size())];
        m_protokoll.push_back("input added in " + bereich->GetName(false));
        (void)m_g.inst.CreateAzMelder(Owner(), bereich, Art(bereich->GetTyp()), false);
    }

    void EingangLoeschen()
    {
        const auto eingaenge = Knoten(IstBusEingang);
        if (eingaenge.empty())
            return;
        TDataBasis* eingang = eingaenge[Wahl(eingaenge.size())];
        m_protokoll.push_back("input deleted: " + eingang->GetName(false));
        (void)m_g.inst.DeleteAzMelder(eingang);
    }

    // A node's grid, drawn as its page is shown; the rows whose value cell a person can edit.
    struct TSeite {
        TDrawGridSE grid;
        std::vector<int> zeilen;
    };
    std::unique_ptr<TSeite> Seite(TDataBasis& node, const std::function<bool(const TCell&)>& wo)
    {
        auto seite = std::make_unique<TSeite>();
        node.BuildInfoWindow(&seite->grid, nullptr, true, -1, -1);
        for (int zeile = 0; zeile < seite->grid.RowCount(); ++zeile)
            if (const TCell* z = seite->grid.Cell(1, zeile); z != nullptr && z->Enabled && wo(*z))
                seite->zeilen.push_back(zeile);
        return seite;
    }
    static bool IstKnoten(TDataBasis& n) { return dynamic_cast<TEtsObjekt*>(&n) == nullptr; }

    // A grid row of a node set to a value its editor takes: a number in its range, an entry,
    // a text up to the field's length (a detector's text also typed, up to its longest).
    void Zeile()
    {
        const auto knoten = Knoten(IstKnoten);
        if (knoten.empty())
            return;
        TDataBasis* node = knoten[Wahl(knoten.size())];
        // A detector's text is typed or picked from its list.
        const bool melder = dynamic_cast<TAzMelder*>(node) != nullptr;
        auto istText = [melder](const TCell& z) {
            return melder && z.Kind == TCell::ckComboBox && z.RowNr == TAzMelder::rowMelderText;
        };
        auto seite = Seite(*node, [&istText](const TCell& z) {
            return z.Kind == TCell::ckSpinEdit || (z.Kind == TCell::ckComboBox && !z.Items.empty()) ||
                   (z.Kind == TCell::ckEdit && z.MaxLength > 0) || istText(z);
        });
        if (seite->zeilen.empty())
            return;
        const int zeile = seite->zeilen[Wahl(seite->zeilen.size())];
        const TCell z = *seite->grid.Cell(1, zeile);
        TDrawGridSE& grid = seite->grid;
        std::string was;
        if (z.Kind == TCell::ckSpinEdit) {
            const int wert = z.SpinMin + Zahl() % (z.SpinMax - z.SpinMin + 1);
            was = std::to_string(wert);
            grid.SpinTo(zeile, wert);
        } else if (z.Kind == TCell::ckEdit) {
            was = Text(Wahl(static_cast<std::size_t>(z.MaxLength) + 1));
            grid.TypeText(zeile, was);
        } else if (istText(z) && (z.Items.empty() || Byte() % 2 == 0)) {
            was = Text(Wahl(static_cast<std::size_t>(TAzMelder::kMaxTextLaenge) + 1));
            grid.TypeText(zeile, was);
        } else {
            const std::size_t eintrag = Wahl(z.Items.size());
            was = "entry " + std::to_string(eintrag);
            grid.SelectComboItem(zeile, static_cast<int>(eintrag));
        }
        m_protokoll.push_back(node->GetName(false) + " row " + std::to_string(z.RowNr) + ": " + was);
        grid.ExitCell();
    }

    // A row behind "...": the dialog answers with a choice it offers (the variant, the areas
    // of a display the variant has, a switching device on the area's arming address other
    // than the area's others), or is cancelled.
    void Dialog()
    {
        const auto knoten = Knoten(IstKnoten);
        if (knoten.empty())
            return;
        TDataBasis* node = knoten[Wahl(knoten.size())];
        auto seite = Seite(*node, [](const TCell& z) { return z.Kind == TCell::ckEllipse; });
        if (seite->zeilen.empty())
            return;
        const int zeile = seite->zeilen[Wahl(seite->zeilen.size())];
        const int rowNr = seite->grid.Cell(1, zeile)->RowNr;
        TEditorHostDouble& host = m_g.host;
        const uint8_t wahl = Byte();
        host.dlgAntwort = wahl % 8 == 0 ? 2 : 1;
        host.dlgVariante = kVarianten[wahl % kVarianten.size()];
        uint32_t variante = 0;
        if (auto* system = dynamic_cast<TAzSystem*>(m_g.inst.GetDevice()))
            variante = system->GetParamVarianteAz();
        host.dlgMaske = Byte() & 0x30;
        for (int n = 1; n <= 4; ++n)
            if (BereichVorhanden(variante, n))
                host.dlgMaske |= Byte() % 2 << (n - 1);
        if (auto* ssb = dynamic_cast<TAzScharfschaltungSsb*>(node)) {
            const int bereich = ssb->GetScharfschaltBereich();
            std::list<TPhysAdrEintrag> geraete;
            if (TObjektBasis* scharf = m_g.inst.GetObjectFromObjectNr(ObjektNr::KomScharfschaltWunsch(bereich)))
                if (const auto links = scharf->GetSubGroupLinks(); !links.empty())
                    geraete = m_g.inst.GetDevicePhysAdrLinkedWithGrpAdr(links);
            std::erase_if(geraete, [ssb](const TPhysAdrEintrag& e) {
                for (int se = 1; se <= TAzScharfschaltungSsb::kAnzahlSe; ++se)
                    if (ssb->GetPhysAdrSe(se) == e.Adresse)
                        return true;
                return false;
            });
            // One more choice than the devices: "Keine PA", no address and no text.
            const std::size_t n = wahl % (geraete.size() + 1);
            host.dlgAuswahl = n < geraete.size() ? *std::next(geraete.begin(), static_cast<std::ptrdiff_t>(n))
                                                 : TPhysAdrEintrag{0, ""};
        }
        m_protokoll.push_back(node->GetName(false) + " dialog row " + std::to_string(rowNr) + ": " +
                              (host.dlgAntwort == 1 ? "choice " + std::to_string(wahl) : "cancelled"));
        seite->grid.ClickEllipsis(zeile);
        host.dlgAntwort = 2;
    }

    // An object linked to one of the alarm's group addresses, within its limit (two for an
    // object without one).
    void Verknuepfen()
    {
        const auto objekte = Knoten([](TDataBasis& n) { return dynamic_cast<TEtsObjekt*>(&n) != nullptr; });
        std::vector<std::pair<int, int32_t>> adressen; // by address word: the alarm's first
        for (const auto& [id, sub] : m_g.inst.GetSubGroupMap())
            adressen.emplace_back(static_cast<uint16_t>(sub->GetKomplettGrpAdr()), id);
        if (objekte.empty() || adressen.empty())
            return;
        std::sort(adressen.begin(), adressen.end());
        auto* objekt = static_cast<TEtsObjekt*>(objekte[Wahl(objekte.size())]);
        const int32_t id = adressen[Wahl(std::min<std::size_t>(adressen.size(), 24))].second;
        const std::size_t grenze =
            objekt->GetNumberSelectableGrpAdr() > 0 ? static_cast<std::size_t>(objekt->GetNumberSelectableGrpAdr()) : 2;
        if (objekt->GetSubGroupLinks().size() >= grenze)
            return;
        m_protokoll.push_back(objekt->GetName(false) + " linked to " + std::to_string(id));
        (void)m_g.inst.LinkToSubGroup(id, objekt->GetHandle(), true);
    }

    // An input copied and pasted onto an area or another input.
    void Einfuegen()
    {
        const auto eingaenge = Knoten(IstBusEingang);
        const auto ziele = Knoten([](TDataBasis& n) { return IstBereich(n) || IstBusEingang(n); });
        if (eingaenge.empty() || ziele.empty())
            return;
        TDataBasis* quelle = eingaenge[Wahl(eingaenge.size())];
        TDataBasis* ziel = ziele[Wahl(ziele.size())];
        TStringList zeilen;
        if (!m_g.inst.GetCopyData(quelle, zeilen))
            return;
        m_protokoll.push_back(quelle->GetName(false) + " pasted onto " + ziel->GetName(false));
        (void)m_g.inst.Einfuegen(ziel, zeilen);
    }

    // The device exported as a template and imported again, with its links or without.
    void VorlageZurueck()
    {
        std::string vorlage;
        if (!m_g.inst.CopyStrukturDatenToDB(nullptr, &vorlage))
            return;
        const bool links = Byte() % 2 == 0;
        m_protokoll.push_back(std::string("template exported and imported") + (links ? " with links" : ""));
        (void)m_g.inst.VireoImport(vorlage, links);
    }

    TAzGeraet& m_g;
    std::span<const uint8_t> m_bytes;
    std::size_t m_pos = 0;
    std::vector<std::string> m_protokoll;
};

} // namespace Bedienfolge
