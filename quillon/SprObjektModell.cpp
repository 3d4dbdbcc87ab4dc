#include "quillon/SprObjektModell.h"

#include "win32/StringTable.h"

#include <algorithm>
#include <array>
#include <cstddef>

// The library's string table, compiled in from resources/strings/quillon.tsv.
const TStringTable& QuillonStrings();

namespace {

// The unit's texts in load order: id and name.
#define SPR_OBJEKTMODELL_TEXTE(X) \
    X(1000, TxtUnsichtbar) \
    X(1001, Txt1Bit) \
    X(1002, Txt2Bit) \
    X(1003, Txt3Bit) \
    X(1004, Txt4Bit) \
    X(1005, Txt5Bit) \
    X(1006, Txt6Bit) \
    X(1007, Txt7Bit) \
    X(1008, Txt1Byte) \
    X(1009, Txt2Byte) \
    X(1010, Txt3Byte) \
    X(1011, Txt4Byte) \
    X(1012, Txt5Byte) \
    X(1013, Txt6Byte) \
    X(1014, Txt7Byte) \
    X(1015, Txt8Byte) \
    X(1016, Txt10Byte) \
    X(1017, TxtVarData) \
    X(1018, TxtUnbekannterObjekttyp) \
    X(1019, TxtNummer) \
    X(1020, TxtObjektname) \
    X(1021, TxtGruppenadressen) \
    X(1022, TxtSendendeGruppenadresse) \
    X(1023, TxtObjekttyp) \
    X(1024, TxtKommunikation) \
    X(1025, TxtFlagK) \
    X(1026, TxtLesen) \
    X(1027, TxtFlagL) \
    X(1028, TxtSchreiben) \
    X(1029, TxtFlagS) \
    X(1030, TxtUebertragen) \
    X(1031, TxtFlagUe) \
    X(1032, TxtStatusabfrage) \
    X(1033, Txt14Byte) \
    X(1034, TxtAktualisieren) \
    X(1035, TxtFrei) \
    X(1036, TxtPhysAdr) \
    X(1037, TxtProdukt) \
    X(1038, TxtFunktion) \
    X(1039, TxtEin) \
    X(1040, TxtAus) \
    X(1041, TxtMaxGruppenadressenErreicht) \
    X(1042, TxtFehler) \
    X(1043, TxtAllgemein) \
    X(1044, TxtAbschnittGruppenadressen) \
    X(1045, TxtFlags) \
    X(1046, TxtAdresse)

enum TIndex : std::size_t {
#define SPR_INDEX(id, name) k##name,
    SPR_OBJEKTMODELL_TEXTE(SPR_INDEX)
#undef SPR_INDEX
    kAnzahl
};

constexpr std::array<int, kAnzahl> kIds = {
#define SPR_ID(id, name) id,
    SPR_OBJEKTMODELL_TEXTE(SPR_ID)
#undef SPR_ID
};
static_assert(std::is_sorted(kIds.begin(), kIds.end()), "Text() searches the ids in order");
static_assert(std::adjacent_find(kIds.begin(), kIds.end()) == kIds.end(), "one text per id");
static_assert(kAnzahl == 47);

std::string g_texte[kAnzahl];
const std::string g_leer;
// Lowered by Init, raised by Fini; the texts are filled while it is below 0.
int g_zaehler = 0;

} // namespace

// The globals are references into g_texte, bound before any code runs, so a caller can take
// them at any time; only their content is filled and freed.
#define SPR_DEFINE(id, name) \
    constinit const std::string& SprObjektModell::name = g_texte[k##name];
SPR_OBJEKTMODELL_TEXTE(SPR_DEFINE)
#undef SPR_DEFINE

void SprObjektModell::Init(const TStringTable& table)
{
    if (g_zaehler-- != 0)
        return;
    for (std::size_t i = 0; i < kAnzahl; ++i)
        g_texte[i] = table.LoadStr(kIds[i]);
}

void SprObjektModell::Fini()
{
    if (g_zaehler++ != -1)
        return;
    for (std::size_t i = kAnzahl; i-- > 0;)
        std::string().swap(g_texte[i]);
}

const std::string& SprObjektModell::Text(int id)
{
    auto it = std::lower_bound(kIds.begin(), kIds.end(), id);
    if (it == kIds.end() || *it != id)
        return g_leer;
    return g_texte[it - kIds.begin()];
}

std::span<const int> SprObjektModell::Ids()
{
    return kIds;
}

namespace {

// Loads the texts when the library is loaded and frees them when it is unloaded.
struct TLadenBeimStart {
    TLadenBeimStart() { SprObjektModell::Init(QuillonStrings()); }
    ~TLadenBeimStart() { SprObjektModell::Fini(); }
    TLadenBeimStart(const TLadenBeimStart&) = delete;
    TLadenBeimStart& operator=(const TLadenBeimStart&) = delete;
};
TLadenBeimStart g_ladenBeimStart;

} // namespace
