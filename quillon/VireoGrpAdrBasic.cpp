#include "quillon/VireoGrpAdrBasic.h"

#include "quillon/CursorHourGlass.h"
#include "quillon/SprObjektModell.h"
#include "quillon/UserMessages.h"
#include "rastow/DrawGridSE.h"
#include "tamsel/Tamsel.h"
#include "vcl/ListView.h"
#include "win32/CodePage1252.h"

#include <array>
#include <utility>

namespace {

constexpr int kSpalten = 9;

// Column headers of the object list, in column order; the flags text ("KLSÜ") goes under
// "Schreiben", the update flag under "Aktualisieren".
std::array<const std::string*, kSpalten> Spaltentitel()
{
    using namespace SprObjektModell;
    return {&TxtPhysAdr,   &TxtProdukt,   &TxtNummer,
            &TxtFunktion,  &TxtObjektname, &TxtObjekttyp,
            &TxtGruppenadressen, &TxtSchreiben, &TxtAktualisieren};
}

// "K", "L", "S", "Ü" for a set flag, "-" for a clear one.
std::string FlagsText(const TObjektInfo& info)
{
    using namespace SprObjektModell;
    std::string text;
    text += info.Kommunikation ? TxtFlagK : "-";
    text += info.Lesen ? TxtFlagL : "-";
    text += info.Schreiben ? TxtFlagS : "-";
    text += info.Uebertragen ? TxtFlagUe : "-";
    return text;
}

// A cell longer than its column's caption makes the column fit its contents.
void PasseBreiteAn(TListView& view, int spalte, const std::string& text)
{
    TListColumn* column = view.Column(spalte);
    if (column != nullptr && Utf8CharCount(text) > Utf8CharCount(column->Caption))
        column->Width = ColumnTextWidth;
}

} // namespace

TVireoGrpAdrBasis::TVireoGrpAdrBasis(HWND owner, int32_t system, int32_t parent,
                                     std::string name, int32_t art)
    : TDataBasis(owner, system, parent, std::move(name), art)
{
    LOG_FKT("TVireoGrpAdrBasis::TVireoGrpAdrBasis");
}

TVireoGrpAdrBasis::~TVireoGrpAdrBasis()
{
    LOG_FKT("TVireoGrpAdrBasis::~TVireoGrpAdrBasis");
}

std::string TVireoGrpAdrBasis::GetName(bool mitPosition) const
{
    LOG_FKT("TVireoGrpAdrBasis::GetName");
    const std::string name = TDataBasis::GetName(mitPosition);
    // GetPosId is a slot of the node base and not const; it only reads the position.
    const int position = const_cast<TVireoGrpAdrBasis*>(this)->GetPosId();
    if (mitPosition && position >= 0)
        return "[" + std::to_string(position) + "] " + name;
    return name;
}

std::string TVireoGrpAdrBasis::GetSizeText(int32_t code)
{
    LOG_FKT("TVireoGrpAdrBasis::GetSizeText");
    using namespace SprObjektModell;
    switch (code) {
    case -1: return TxtFrei;
    case 0: return Txt1Bit;
    case 1: return Txt2Bit;
    case 2: return Txt3Bit;
    case 3: return Txt4Bit;
    case 4: return Txt5Bit;
    case 5: return Txt6Bit;
    case 6: return Txt7Bit;
    case 7: return Txt1Byte;
    case 8: return Txt2Byte;
    case 9: return Txt3Byte;
    case 10: return Txt4Byte;
    case 11: return Txt6Byte;
    case 12: return Txt8Byte;
    case 13: return Txt10Byte;
    case 14: return Txt14Byte;
    case 15: return TxtVarData;
    default: return TxtUnbekannterObjekttyp;
    }
}

std::string TVireoGrpAdrBasis::WortAlsText(int16_t wort)
{
    LOG_FKT("TVireoGrpAdrBasis::WortAlsText");
    return std::to_string(static_cast<uint16_t>(wort));
}

bool TVireoGrpAdrBasis::IstKommunikationsObjekt(TDataBasis* source)
{
    LOG_FKT("TVireoGrpAdrBasis::IstKommunikationsObjekt");
    if (source == nullptr)
        return false;
    const int typ = source->GetTyp();
    return typ == 806 || typ == 807;
}

void TVireoGrpAdrBasis::BuildObjektListe(TDrawGridSE* grid, TListView* view, uint8_t code)
{
    LOG_FKT("TVireoGrpAdrBasis::BuildObjektListe");
    TCursorHourGlass sanduhr;
    if (view == nullptr)
        return;
    view->ClearItems();
    view->ViewStyle = vsReport;

    TObjektInfoListe liste;
    TUserDeviceRequest request;
    request.Handle = GetHandle();
    request.Code = code;
    request.Sender = this;
    request.Wert3 = reinterpret_cast<std::intptr_t>(&liste);
    const LRESULT antwort = SendMessage(GetOwnerWindow(), UM_UserObjectMessage, 0,
                                        reinterpret_cast<LPARAM>(&request));

    if (antwort != 0) {
        const auto titel = Spaltentitel();
        for (int i = 0; i < kSpalten && i < view->ColumnCount(); ++i)
            view->Column(i)->Caption = *titel[static_cast<std::size_t>(i)];
        while (view->ColumnCount() > kSpalten)
            view->DeleteColumn(view->ColumnCount() - 1);
        for (int i = view->ColumnCount(); i < kSpalten; ++i)
            view->AddColumn(*titel[static_cast<std::size_t>(i)], ColumnHeaderWidth);

        for (const TObjektInfo& info : liste) {
            TListItem& item = view->AddItem(info.PhysAdr, info.ImageIndex);
            PasseBreiteAn(*view, 0, item.Caption);
            const std::string zellen[] = {
                info.Produkt,    std::to_string(info.ObjektNr), info.Funktion,
                info.ObjektName, info.ObjektTyp,               info.GruppenAdressen,
                FlagsText(info),
                info.Aktualisieren ? SprObjektModell::TxtEin : SprObjektModell::TxtAus,
            };
            int spalte = 1;
            for (const std::string& zelle : zellen) {
                item.SubItems.push_back(zelle);
                PasseBreiteAn(*view, spalte++, zelle);
            }
        }
    }

    view->Visible = true;
    if (grid != nullptr)
        grid->Visible = false;
}
