#include "miraval/dienste/Spredit.h"

#include "win32/StringTable.h"

#include <algorithm>
#include <array>
#include <cstddef>

// The program's string table, compiled in from resources/strings/miraval.tsv.
const TStringTable& MiravalStrings();

namespace {

// The unit's texts in load order: ids; the global of id n is Txt<n>.
#define SPREDIT_TEXTE(X) \
    X(9000) X(9001) X(9002) X(9003) X(9004) X(9005) X(9006) X(9007) X(9008) X(9009) \
    X(9010) X(9011) X(9012) X(9013) X(9014) X(9015) X(9016) X(9017) X(9018) X(9019) \
    X(9020) X(9021) X(9022) X(9023) X(9024) X(9025) X(9026) X(9027) X(9028) X(9029) \
    X(9030) X(9031) X(9032) X(9033) X(9034) X(9035) X(9036) X(9037) X(9038) X(9039) \
    X(9040) X(9041) X(9042) X(9043) X(9044) X(9045) X(9046) X(9047) X(9048) X(9049) \
    X(9050) X(9051) X(9052) X(9053) X(9054) X(9055) X(9056) X(9057) X(9058) X(9059) \
    X(9060) X(9061) X(9062) X(9063) X(9064) X(9065) X(9066) X(9067) X(9068) X(9069) \
    X(9070) X(9071) X(9072) X(9073) X(9074) X(9075) X(9076) X(9077) X(9078) X(9079) \
    X(9080) X(9081) X(9082) X(9083) X(9084) X(9085) X(9086) X(9087) X(9088) X(9089) \
    X(9090) X(9091) X(9092) X(9093) X(9094) X(9095) X(9096) X(9097) X(9098) X(9099) \
    X(9100) X(9101) X(9102) X(9103) X(9104) X(9105) X(9106) X(9107) X(9108) X(9109) \
    X(9110) X(9111) X(9112) X(9113) X(9114) X(9115) X(9116) X(9117) X(9118) X(9119) \
    X(9120) X(9121) X(9122) X(9123) X(9124) X(9125) X(9126) X(9127) X(9128) X(9129) \
    X(9130) X(9131) X(9132) X(9133) X(9134) X(9135) X(9136) X(9137) X(9138) X(9139) \
    X(9140) X(9141) X(9142) X(9143) X(9144) X(9145) X(9146) X(9147) X(9148) X(9149) \
    X(9150) X(9151) X(9152) X(9153) X(9154) X(9155) X(9156) X(9157) X(9158) X(9159) \
    X(9160) X(9161) X(9162) X(9163) X(9164) X(9165) X(9166) X(9167) X(9168) X(9169) \
    X(9170) X(9171) X(9172) X(9173) X(9174) X(9175) X(9176) X(9177) X(9178) X(9179) \
    X(9180) X(9181) X(9182) X(9183) X(9184) X(9185) X(9186) X(9187) X(9188) X(9189) \
    X(9190) X(9191) X(9192) X(9193) X(9194) X(9195) X(9196) X(9197) X(9198) X(9199) \
    X(9200) X(9201) X(9202) X(9203) X(9204) X(9205) X(9206) X(9207) X(9208) X(9209) \
    X(9210) X(9211) X(9212) X(9213) X(9214) X(9215) X(9216) X(9217) X(9218) X(9219) \
    X(9220) X(9221) X(9222) X(9223) X(9224) X(9225) X(9226) X(9227) X(9228) X(9229) \
    X(9230) X(9231) X(9232) X(9233) X(9234) X(9235) X(9236) X(9237) X(9238) X(9239) X(9240)

enum TIndex : std::size_t {
#define SPR_INDEX(id) k##id,
    SPREDIT_TEXTE(SPR_INDEX)
#undef SPR_INDEX
    kAnzahl
};

constexpr std::array<int, kAnzahl> kIds = {
#define SPR_ID(id) id,
    SPREDIT_TEXTE(SPR_ID)
#undef SPR_ID
};
static_assert(std::is_sorted(kIds.begin(), kIds.end()), "Text() searches the ids in order");
static_assert(std::adjacent_find(kIds.begin(), kIds.end()) == kIds.end(), "one text per id");
static_assert(kAnzahl == 241);

std::string g_texte[kAnzahl];
const std::string g_leer;
// Lowered by Initialize, raised by Finalize; the texts are filled while it is below 0.
int g_zaehler = 0;

} // namespace

// The globals are references into g_texte, bound before any code runs, so a caller can take
// them at any time; only their content is filled and freed.
#define SPR_DEFINE(id) \
    constinit const std::string& Spredit::Txt##id = g_texte[k##id];
SPREDIT_TEXTE(SPR_DEFINE)
#undef SPR_DEFINE

void Spredit::Initialize(const TStringTable& table)
{
    if (g_zaehler-- != 0)
        return;
    for (std::size_t i = 0; i < kAnzahl; ++i)
        g_texte[i] = table.LoadStr(kIds[i]);
}

void Spredit::Initialize()
{
    Initialize(MiravalStrings());
}

void Spredit::Finalize()
{
    if (g_zaehler++ != -1)
        return;
    for (std::size_t i = kAnzahl; i-- > 0;)
        std::string().swap(g_texte[i]);
}

const std::string& Spredit::Text(int id)
{
    auto it = std::lower_bound(kIds.begin(), kIds.end(), id);
    if (it == kIds.end() || *it != id)
        return g_leer;
    return g_texte[it - kIds.begin()];
}

std::span<const int> Spredit::Ids()
{
    return kIds;
}

std::string Spredit::MitWerten(std::string text, std::initializer_list<std::string> werte)
{
    std::size_t pos = 0;
    for (const std::string& wert : werte) {
        pos = text.find("%s", pos);
        if (pos == std::string::npos)
            break;
        text.replace(pos, 2, wert);
        pos += wert.size();
    }
    return text;
}

namespace {

// Loads the texts when the program starts and frees them when it ends.
struct TLadenBeimStart {
    TLadenBeimStart() { Spredit::Initialize(); }
    ~TLadenBeimStart() { Spredit::Finalize(); }
    TLadenBeimStart(const TLadenBeimStart&) = delete;
    TLadenBeimStart& operator=(const TLadenBeimStart&) = delete;
};
TLadenBeimStart g_ladenBeimStart;

} // namespace
