#include "tessarin/SprAz.h"

#include "win32/StringTable.h"

#include <algorithm>
#include <array>
#include <cstddef>

// The library's string table, compiled in from resources/strings/tessarin.tsv.
const TStringTable& TessarinStrings();

namespace {

// The unit's texts in load order: ids; the global of id n is Txt<n>.
#define SPR_AZ_TEXTE(X) \
    X(10000) X(10001) X(10002) X(10003) X(10004) X(10005) X(10006) X(10007) X(10008) X(10009) \
    X(10010) X(10011) X(10012) X(10013) X(10014) X(10015) X(10016) X(10017) X(10018) X(10019) \
    X(10020) X(10021) X(10022) X(10023) X(10024) X(10025) X(10026) X(10027) X(10028) X(10029) \
    X(10030) X(10031) X(10032) X(10033) X(10034) X(10035) X(10036) X(10037) X(10038) X(10039) \
    X(10040) X(10041) X(10042) X(10043) X(10044) X(10045) X(10046) X(10047) X(10048) X(10049) \
    X(10050) X(10051) X(10052) X(10053) X(10054) X(10055) X(10056) X(10057) X(10058) X(10059) \
    X(10060) X(10061) X(10062) X(10063) X(10064) X(10065) X(10066) X(10067) X(10068) X(10069) \
    X(10070) X(10071) X(10072) X(10073) X(10074) X(10075) X(10076) X(10077) X(10078) X(10079) \
    X(10080) X(10081) X(10082) X(10083) X(10084) X(10085) X(10086) X(10087) X(10088) X(10089) \
    X(10090) X(10091) X(10092) X(10093) X(10094) X(10095) X(10096) X(10097) X(10098) X(10099) \
    X(10100) X(10101) X(10102) X(10103) X(10104) X(10105) X(10106) X(10107) X(10108) X(10109) \
    X(10110) X(10111) X(10112) X(10113) X(10114) X(10115) X(10116) X(10117) X(10118) X(10119) \
    X(10120) X(10121) X(10122) X(10123) X(10124) X(10125) X(10126) X(10127) X(10128) X(10129) \
    X(10130) X(10131) X(10132) X(10133) X(10134) X(10135) X(10136) X(10137) X(10138) X(10139) \
    X(10140) X(10141) X(10142) X(10143) X(10144) X(10145) X(10146) X(10147) X(10148) X(10149) \
    X(10150) X(10151) X(10152) X(10153) X(10154) X(10155) X(10156) X(10157) X(10158) X(10159) \
    X(10160) X(10161) X(10162) X(10163) X(10164) X(10165) X(10166) X(10167) X(10168) X(10169) \
    X(10170) X(10171) X(10172) X(10173) X(10174) X(10175) X(10176) X(10177) X(10178) X(10179) \
    X(10180) X(10181) X(10182) X(10183) X(10184) X(10185) X(10186) X(10187) X(10188) X(10189) \
    X(10190) X(10191) X(10192) X(10193) X(10194) X(10195) X(10196) X(10197) X(10198) X(10199) \
    X(10200) X(10201) X(10202) X(10203) X(10204) X(10205) X(10206) X(10207) X(10208) X(10209) \
    X(10210) X(10211) X(10212) X(10213) X(10214) X(10215) X(10216) X(10217) X(10218) X(10219) \
    X(10220) X(10221) X(10222) X(10223) X(10224) X(10225) X(10226) X(10227) X(10228) X(10229) \
    X(10230) X(10231) X(10232) X(10233) X(10234) X(10235) X(10236) X(10237) X(10238) X(10239) \
    X(10240) X(10241) X(10242) X(10243) X(10244) X(10245) X(10246) X(10247) X(10248) X(10249) \
    X(10250) X(10251) X(10252) X(10253) X(10254) X(10255) X(10256) X(10257) X(10258) X(10259) \
    X(10260) X(10261) X(10262) X(10263) X(10264) X(10265) X(10266) X(10267) X(10268) X(10269) \
    X(10270) X(10271) X(10272) X(10273) X(10274) X(10275) X(10276) X(10277) X(10278) X(10279) \
    X(10280) X(10281) X(10282) X(10283) X(10284) X(10285) X(10286) X(10287) X(10288) X(10289) \
    X(10290) X(10291) X(10292) X(10293) X(10294) X(10295) X(10296) X(10297) X(10333) X(10334) \
    X(10335) X(10336) X(10337) X(10338) X(10339) X(10340) X(10341) X(10342) X(10343) X(10344) \
    X(10345) X(10346) X(10347) X(10348) X(10349) X(10350) X(10351) X(10352) X(10353) X(10354) \
    X(10355) X(10356) X(10357) X(10358) X(10359) X(10360) X(10361) X(10362) X(10363) X(10364) \
    X(10365) X(10366) X(10367) X(10368) X(10369) X(10370) X(10371) X(10372) X(10373) X(10374) \
    X(10375) X(10376) X(10377) X(10378) X(10379) X(10380) X(10381) X(10382) X(10383) X(10384) \
    X(10385) X(10386) X(10387) X(10388) X(10389) X(10390) X(10391) X(10392) X(10393) X(10394) \
    X(10395) X(10396) X(10397) X(10398) X(10399) X(10400) X(10401) X(10402) X(10403) X(10404) \
    X(10405) X(10406) X(10407) X(10408) X(10409) X(10410) X(10411) X(10412) X(10413) X(10414) \
    X(10415) X(10416) X(10417)

enum TIndex : std::size_t {
#define SPR_INDEX(id) k##id,
    SPR_AZ_TEXTE(SPR_INDEX)
#undef SPR_INDEX
    kAnzahl
};

constexpr std::array<int, kAnzahl> kIds = {
#define SPR_ID(id) id,
    SPR_AZ_TEXTE(SPR_ID)
#undef SPR_ID
};
static_assert(std::is_sorted(kIds.begin(), kIds.end()), "Text() searches the ids in order");
static_assert(std::adjacent_find(kIds.begin(), kIds.end()) == kIds.end(), "one text per id");
static_assert(kAnzahl == 383);

std::string g_texte[kAnzahl];
const std::string g_leer;
// Lowered by Init, raised by Fini; the texts are filled while it is below 0.
int g_zaehler = 0;

} // namespace

// The globals are references into g_texte, bound before any code runs, so a caller can take
// them at any time; only their content is filled and freed.
#define SPR_DEFINE(id) \
    constinit const std::string& SprAz::Txt##id = g_texte[k##id];
SPR_AZ_TEXTE(SPR_DEFINE)
#undef SPR_DEFINE

void SprAz::Init(const TStringTable& table)
{
    if (g_zaehler-- != 0)
        return;
    for (std::size_t i = 0; i < kAnzahl; ++i)
        g_texte[i] = table.LoadStr(kIds[i]);
}

void SprAz::Fini()
{
    if (g_zaehler++ != -1)
        return;
    for (std::size_t i = kAnzahl; i-- > 0;)
        std::string().swap(g_texte[i]);
}

const std::string& SprAz::Text(int id)
{
    auto it = std::lower_bound(kIds.begin(), kIds.end(), id);
    if (it == kIds.end() || *it != id)
        return g_leer;
    return g_texte[it - kIds.begin()];
}

std::span<const int> SprAz::Ids()
{
    return kIds;
}

namespace {

// Loads the texts when the library is loaded and frees them when it is unloaded.
struct TLadenBeimStart {
    TLadenBeimStart() { SprAz::Init(TessarinStrings()); }
    ~TLadenBeimStart() { SprAz::Fini(); }
    TLadenBeimStart(const TLadenBeimStart&) = delete;
    TLadenBeimStart& operator=(const TLadenBeimStart&) = delete;
};
TLadenBeimStart g_ladenBeimStart;

} // namespace
