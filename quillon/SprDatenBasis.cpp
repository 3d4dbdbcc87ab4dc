#include "quillon/SprDatenBasis.h"

#include "win32/StringTable.h"

#include <algorithm>
#include <array>
#include <cstddef>

// The library's string table, compiled in from resources/strings/quillon.tsv.
const TStringTable& QuillonStrings();

namespace {

// The unit's texts in load order: id and name.
#define SPR_DATENBASIS_TEXTE(X) \
    X(200, TxtNein) \
    X(201, TxtJa) \
    X(202, TxtAus) \
    X(203, TxtEin) \
    X(204, TxtGesperrt) \
    X(205, TxtFreigegeben) \
    X(206, TxtEinsTelegramm) \
    X(207, TxtNullTelegramm) \
    X(208, TxtImportQuelleFehlt) \
    X(209, TxtKeineGueltigenDaten) \
    X(210, TxtDatensatzNichtGefunden)

enum TIndex : std::size_t {
#define SPR_INDEX(id, name) k##name,
    SPR_DATENBASIS_TEXTE(SPR_INDEX)
#undef SPR_INDEX
    kAnzahl
};

constexpr std::array<int, kAnzahl> kIds = {
#define SPR_ID(id, name) id,
    SPR_DATENBASIS_TEXTE(SPR_ID)
#undef SPR_ID
};
static_assert(std::is_sorted(kIds.begin(), kIds.end()), "Text() searches the ids in order");
static_assert(std::adjacent_find(kIds.begin(), kIds.end()) == kIds.end(), "one text per id");
static_assert(kAnzahl == 11);

std::string g_texte[kAnzahl];
const std::string g_leer;
// Lowered by Init, raised by Fini; the texts are filled while it is below 0.
int g_zaehler = 0;

} // namespace

// The globals are references into g_texte, bound before any code runs, so a caller can take
// them at any time; only their content is filled and freed.
#define SPR_DEFINE(id, name) \
    constinit const std::string& SprDatenBasis::name = g_texte[k##name];
SPR_DATENBASIS_TEXTE(SPR_DEFINE)
#undef SPR_DEFINE

void SprDatenBasis::Init(const TStringTable& table)
{
    if (g_zaehler-- != 0)
        return;
    for (std::size_t i = 0; i < kAnzahl; ++i)
        g_texte[i] = table.LoadStr(kIds[i]);
}

void SprDatenBasis::Fini()
{
    if (g_zaehler++ != -1)
        return;
    for (std::size_t i = kAnzahl; i-- > 0;)
        std::string().swap(g_texte[i]);
}

const std::string& SprDatenBasis::Text(int id)
{
    auto it = std::lower_bound(kIds.begin(), kIds.end(), id);
    if (it == kIds.end() || *it != id)
        return g_leer;
    return g_texte[it - kIds.begin()];
}

std::span<const int> SprDatenBasis::Ids()
{
    return kIds;
}

namespace {

// Loads the texts when the library is loaded and frees them when it is unloaded.
struct TLadenBeimStart {
    TLadenBeimStart() { SprDatenBasis::Init(QuillonStrings()); }
    ~TLadenBeimStart() { SprDatenBasis::Fini(); }
    TLadenBeimStart(const TLadenBeimStart&) = delete;
    TLadenBeimStart& operator=(const TLadenBeimStart&) = delete;
};
TLadenBeimStart g_ladenBeimStart;

} // namespace
