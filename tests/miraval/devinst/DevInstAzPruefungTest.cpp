// The checks before the return to ETS: the objects the alarm centre needs have group addresses.

#include "DevInstAzUmgebung.h"

#include "platform/kestrin/EtsTestProject.h"
#include "quillon/EtsObjekt.h"
#include "support/Zeilenname.h"
#include "tessarin/AzMelder.h"
#include "tessarin/AzSystem.h"

namespace {

using Az = TDeviceInstanzAz;

struct TPruefZeile {
    const char* name;
    bool (Az::*pruefung)();
    std::vector<std::pair<int32_t, bool>> objekte; // number, linked to sub group 1
    std::vector<int> melder;                        // detector numbers
    uint32_t variante;                              // 0: no TAzSystem
    std::list<int32_t> schalteinrichtungen;         // of arming area 1
    bool fuenfGeraete;                              // four more devices on sub group 1
    int antwort;                                    // to the question, when one is asked
    bool ergebnis;
    const char* frage;                              // its caption; "" none
};
void PrintTo(const TPruefZeile& z, std::ostream* out)
{
    *out << z.name;
}

struct SchlussPruefung : ::testing::TestWithParam<TPruefZeile> {
    TEtsTestProject project;
    TAzUmgebung u{&project.ets};
};

TEST_P(SchlussPruefung, AnswerAndQuestion)
{
    const TPruefZeile& z = GetParam();
    int32_t handle = 100;
    for (const auto& [nr, verbunden] : z.objekte) {
        auto o = std::make_unique<TEtsObjekt>(u.host.GetHandle(), 1, 1, "O", -1, -1, nr, -1, 0, 0,
                                              T_DB_EnumEtsObjekt::TEnumEtsObjektArt{}, ot1Bit,
                                              T_DB_EnumObjektBasis::ioLesen, 0, 0);
        o->SetHandle(++handle);
        if (verbunden)
            o->AddSubGroupLink(1, 0x0A05);
        u.inst.SetPointer2List(std::move(o));
    }
    for (int nr : z.melder) {
        auto m = std::make_unique<TAzMelder>(u.host.GetHandle(), 1, 1, "Melder", 0);
        m->SetMelderNr(nr);
        m->SetHandle(++handle);
        u.inst.SetPointer2List(std::move(m));
    }
    if (z.variante != 0) {
        auto s = std::make_unique<TAzSystem>(u.host.GetHandle(), 1, 0, "AZ", 1, 0, 0);
        s->SetParamVarianteAz(z.variante);
        s->SetHandle(++handle);
        u.inst.SetPointer2List(std::move(s));
    }
    if (z.fuenfGeraete)
        project.Sql("INSERT INTO device (id, line_id, number, product_id) VALUES (3, 1, 4, 2), (4, 1, 5, 2), "
                    "(5, 1, 6, 2), (6, 1, 7, 2);"
                    "INSERT INTO device_object (id, device_id, comm_object_id) VALUES (33, 3, 4), (34, 4, 4), "
                    "(35, 5, 4), (36, 6, 4);"
                    "INSERT INTO sub_to_object (sub_group_id, device_object_id) VALUES (1, 33), (1, 34), (1, 35), "
                    "(1, 36);");
    u.inst.GetPhysAdrSe()[0] = z.schalteinrichtungen;
    u.boxen.Script(z.antwort);

    EXPECT_EQ((u.inst.*z.pruefung)(), z.ergebnis);
    ASSERT_EQ(u.boxen.Count(), *z.frage ? 1u : 0u);
    if (*z.frage) {
        EXPECT_EQ(u.boxen.Shown()[0].caption, z.frage);
        EXPECT_EQ(u.boxen.Shown()[0].flags, 0x134u);
    }
}

const auto Reset = &Az::CheckObjektAlarmReset;
const auto Test = &Az::CheckObjektMeldertest;
const auto Melder = &Az::CheckObjekteMelder;
const auto Scharf = &Az::CheckObjekteScharfschaltEingang;
constexpr uint32_t Ssb1 = 0x11000000;
constexpr uint32_t OhneSsb1 = 0x00330000;
constexpr int32_t Geraet2 = 0x2007; // 02.00.007, the one device on sub group 1

INSTANTIATE_TEST_SUITE_P(
    Zeilen, SchlussPruefung,
    ::testing::Values(
        TPruefZeile{"ResetMissing", Reset, {}, {}, 0, {}, false, IDYES, false, ""},
        TPruefZeile{"ResetUnlinked", Reset, {{225, false}}, {}, 0, {}, false, IDYES, false, ""},
        TPruefZeile{"ResetLinked", Reset, {{225, true}}, {}, 0, {}, false, IDYES, true, ""},
        TPruefZeile{"TestMissing", Test, {}, {}, 0, {}, false, IDNO, true, ""},
        TPruefZeile{"TestUnlinkedYes", Test, {{226, false}}, {}, 0, {}, false, IDYES, true, "Objelt Meldertest"},
        TPruefZeile{"TestUnlinkedNo", Test, {{226, false}}, {}, 0, {}, false, IDNO, false, "Objelt Meldertest"},
        // Detector 0 (wired) has none, detector 5 lacks its object 4.
        TPruefZeile{"MelderLinkedOrMissing", Melder, {{2, true}}, {0, 3, 5}, 0, {}, false, IDNO, true, ""},
        TPruefZeile{"MelderUnlinkedNo", Melder, {{2, false}}, {3}, 0, {}, false, IDNO, false, "Melder-Objekte"},
        TPruefZeile{"ScharfListedTwice", Scharf, {{162, true}}, {}, Ssb1, {Geraet2, Geraet2}, false, IDNO, true, ""},
        TPruefZeile{"ScharfTwoListed", Scharf, {{162, true}}, {}, Ssb1, {Geraet2, 0x1000}, false, IDNO, false, ""},
        TPruefZeile{"ScharfNoneListed", Scharf, {{162, true}}, {}, Ssb1, {}, false, IDNO, false, ""},
        TPruefZeile{"ScharfAreaAbsent", Scharf, {{162, true}}, {}, OhneSsb1, {}, false, IDNO, true, ""},
        TPruefZeile{"ScharfInputUnlinked", Scharf, {{162, false}}, {}, Ssb1, {}, false, IDNO, true, ""},
        TPruefZeile{"ScharfFiveDevices", Scharf, {{162, true}}, {}, Ssb1,
                    {Geraet2, 0x1204, 0x1205, 0x1206, 0x1207}, true, IDNO, false, ""}),
    TZeilenName());

} // namespace
