// A device ETS imported or copied: the source's configuration with every ETS id converted.

#include "EditorHostDouble.h"

#include "miraval/devinst/DevInstAz.h"
#include "morrow/EtsProgressDialog.h"
#include "platform/kestrin/EtsTestProject.h"
#include "support/EtsMeterRecorder.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace {

// Source device 1 in project 1, target device 2 in project 2, each of its own copy of the
// alarm-centre product, so every id differs. Project 2 has 1/0/1 and 1/0/2 (ids 8, 7), not
// 1/0/3; ETS gave the target's device objects links of their own.
const char* Projekte = R"sql(
INSERT INTO project (id) VALUES (1), (2);
INSERT INTO area (id, project_id, number) VALUES (1, 1, 1), (2, 2, 1);
INSERT INTO line (id, area_id, number) VALUES (1, 1, 1), (2, 2, 1);
INSERT INTO product (id, name, module_name) VALUES (1, 'Alarmzentrale', '244_ID'), (2, 'Alarmzentrale', '244_ID');
INSERT INTO parameter (id, product_id, number) VALUES (1, 1, 10), (2, 1, 6100), (5, 2, 6100), (6, 2, 10);
INSERT INTO comm_object (id, product_id, number, object_type) VALUES (1, 1, 0, 0), (2, 1, 200, 7), (3, 1, 201, 0),
    (7, 2, 201, 0), (8, 2, 200, 7), (9, 2, 0, 0), (10, 2, 1, 0);
INSERT INTO parameter_shows VALUES (1, 1, 1), (2, 1, 2), (2, 1, 3), (5, 1, 7), (5, 1, 8), (6, 1, 9), (6, 2, 10);
INSERT INTO device (id, line_id, number, product_id) VALUES (1, 1, 1, 1), (2, 2, 1, 2);
INSERT INTO device_object (id, device_id, comm_object_id, visible)
    VALUES (11, 1, 1, 1), (12, 1, 2, 1), (13, 1, 3, 1), (21, 2, 8, 1), (22, 2, 9, 1), (23, 2, 7, 1), (24, 2, 10, 0);
INSERT INTO device_param (id, device_id, parameter_id, value) VALUES (31, 1, 1, 1), (32, 1, 2, 1), (41, 2, 5, 1), (42, 2, 6, 1);
INSERT INTO main_group (id, project_id, number) VALUES (1, 1, 1), (2, 2, 1);
INSERT INTO middle_group (id, main_group_id, number) VALUES (1, 1, 0), (2, 2, 0);
INSERT INTO sub_group (id, middle_group_id, address) VALUES (1, 1, 2049), (2, 1, 2050), (3, 1, 2051),
    (7, 2, 2050), (8, 2, 2049), (9, 2, 2057);
INSERT INTO sub_to_object (sub_group_id, device_object_id) VALUES (8, 22), (7, 22), (7, 21), (9, 21);
)sql";

// A record of the source's configuration; its ETS ids are the handle (stale).
TDatenStruktur Satz(int32_t handle, const char* name, int16_t typ, int32_t parent, int32_t nr, int32_t objektTyp,
                    int32_t subGroupId = 0, int32_t wort = 0, int32_t next = 0)
{
    TDatenStruktur d;
    d.Handle = handle, d.Name = name, d.Typ = typ, d.System = 1, d.Parent = parent, d.Next = next;
    d.Param4 = nr, d.Param8 = objektTyp, d.Param14 = subGroupId, d.Param15 = wort;
    d.Param3 = d.Param5 = d.Param10 = handle;
    return d;
}

DAL_DEVICE Ziel()
{
    DAL_DEVICE d;
    d.DeviceId = 2;
    return d;
}

// An alarm centre whose unlink first walks the object's ETS links to their end, as the
// editor's reads them too: a caller still walking them would lose its place.
class TZielInstanz : public TDeviceInstanzAz {
public:
    explicit TZielInstanz(TEditorHost& host) : TDeviceInstanzAz(host, Ziel(), nullptr) {}
    // The gate takes every container here: these are the conversion's cases, on records made
    // for it rather than a device's whole configuration.
    DatenContainer::TContainerStatus KonfigurationPruefen(const std::string&, TKonfigLeser, std::vector<TDatenStruktur>*) override
    {
        return {};
    }
    bool UnLinkFromSubGroup(int32_t subGroupId, int32_t deviceObjectId) override
    {
        entknuepft.push_back(subGroupId);
        DAL_SUB_TO_OBJECT r;
        for (int m = DAL_MODE_FIRST; GetEts()->DalGetSubgroupToObjectData(m, -1, -1, deviceObjectId, &r) == DAL_OK;)
            m = DAL_MODE_NEXT;
        return unlinkErlaubt && GetEts()->CoUnlinkObjectFromSubGroup(deviceObjectId, subGroupId, true);
    }
    std::vector<int32_t> entknuepft;
    bool unlinkErlaubt = true;
};

struct EtsImport : ::testing::Test {
    EtsImport()
    {
        project.Sql(Projekte);
        project.ets.SetMeterDisplay(&anzeige);
        host.window.SetAktDevInst(&inst);
        SetWindowProcedure(host.GetHandle(), [this](HWND w, UINT msg, WPARAM wp, LPARAM lp) {
            sendeMarken += msg == UM_GrpAdrSendendAus || msg == UM_GrpAdrSendendEin;
            bool handled = false;
            return DevInstMessage(host.window.GetAktDevInst(), w, msg, wp, lp, handled);
        });
    }
    std::string Konfiguration()
    {
        std::vector<const TDatenStruktur*> zeiger;
        for (const auto& d : saetze)
            zeiger.push_back(&d);
        std::string blob;
        EXPECT_TRUE(DatenContainer::WriteContainer(zeiger, inst.GetVersion(), "", blob).Ok);
        return blob;
    }
    const TDatenStruktur* Record(int32_t handle) { return inst.FindDatenSatz(1, -1, handle); }
    int EtsLinks(int32_t deviceObjectId)
    {
        DAL_SUB_TO_OBJECT r;
        int n = 0;
        for (int m = DAL_MODE_FIRST; project.ets.DalGetSubgroupToObjectData(m, -1, -1, deviceObjectId, &r) == DAL_OK;)
            ++n, m = DAL_MODE_NEXT;
        return n;
    }

    // Declared first: the project's ETS interface shows its meters on it until its end.
    TEtsMeterRecorder anzeige;
    TEtsTestProject project{false};
    TEtsProgressDialog meter{&project.ets, project.ets.CoMeterDlgOpen(nullptr, 2)};
    TScriptedMessageBox boxen;
    TEditorHostDouble host{&project.ets};
    TZielInstanz inst{host};
    int sendeMarken = 0;
    // Melder 1 (1/0/1 sending, 1/0/2), Anzeige 1 (1/0/3), Quittierung without links.
    std::vector<TDatenStruktur> saetze = {
        Satz(1, "AZ", 105, 0, 1, 0), Satz(10, "Melder 1", 806, 1, 0, 1, 1, 0x801, 11), Satz(11, "", 2, 10, 0, 0, 2, 0x802),
        Satz(12, "Anzeige 1", 806, 1, 200, 8, 3, 0x803), Satz(13, "Quittierung", 806, 1, 201, 1)};
};

TEST_F(EtsImport, EveryIdSlotTakesTheTargetDevicesIds)
{
    for (const bool kopie : {false, true}) {
        SCOPED_TRACE(kopie ? "copy" : "import");
        ASSERT_TRUE(kopie ? inst.VireoCdiCopy(Konfiguration(), true, &meter) : inst.VireoCdiImport(Konfiguration(), &meter));
        EXPECT_EQ(Record(1)->Param4, 2) << "device id";
        // Handle: object id (Param3), device-parameter id (Param5), device object id (Param10).
        for (const auto& [handle, ids] : std::map<int32_t, std::array<int32_t, 3>>{
                 {10, {9, 42, 22}}, {12, {8, 41, 21}}, {13, {7, 41, 23}}}) {
            const TDatenStruktur& d = *Record(handle);
            EXPECT_EQ((std::array{d.Param3, d.Param5, d.Param10}), ids) << handle;
            EXPECT_EQ(d.Param9, 0) << "the identifier stays";
        }
        // Import: links follow their address words, the sending one first; copy: none.
        using L = std::vector<TObjektBasis::RecGrpAdrId>;
        EXPECT_EQ(dynamic_cast<TObjektBasis*>(inst.FindHandle(10))->GetSubGroupLinks(),
                  kopie ? L{} : L({{8, 0x801}, {7, 0x802}}));
        EXPECT_EQ(Record(10)->Param14, kopie ? 0 : 8);
        EXPECT_EQ(dynamic_cast<TObjektBasis*>(inst.FindHandle(12))->GetSubGroupLinks(), L{});
    }
    EXPECT_EQ(sendeMarken, 0) << "replacing the links leaves the sending marks in ETS alone";
    std::string gezeigt;
    for (const TMeterCall& c : anzeige.Calls())
        if (c.kind != TMeterCall::TKind::Open)
            gezeigt += std::to_string(c.value) + (c.kind == TMeterCall::TKind::Text ? ":" + c.text : "") + ";";
    const std::string einmal = "10;0:Lade Gruppenadressen...;15;0:Konvertiere Ets-Datenbank Einträge ...;20;1:Gerät;21;"
                               "1:Objekt;22;2:Melder 1;23;2:Anzeige 1;24;2:Quittierung;25;";
    EXPECT_EQ(gezeigt, einmal + einmal);
    ASSERT_EQ(boxen.Count(), 1u) << "only the import shows the address it could not convert";
    EXPECT_EQ(boxen.Shown()[0].text, "Gruppenadresse konnte nicht konvertiert werden.\n1/0/3\n"
                                     "Die Gruppenadresse wird benutzt von: Anzeige 1");
    EXPECT_EQ(boxen.Shown()[0].caption, "Fehler");
}

TEST_F(EtsImport, UnknownEtsLinksAreUnlinkedAfterCollecting)
{
    for (const bool erlaubt : {true, false}) {
        SCOPED_TRACE(erlaubt);
        project.Sql("INSERT OR IGNORE INTO sub_to_object (sub_group_id, device_object_id) VALUES (7, 21), (9, 21);");
        inst.entknuepft.clear();
        inst.unlinkErlaubt = erlaubt;
        EXPECT_EQ(inst.VireoCdiImport(Konfiguration(), &meter), erlaubt);
        EXPECT_EQ(inst.entknuepft, (erlaubt ? std::vector<int32_t>{7, 9} : std::vector<int32_t>{7}));
        EXPECT_EQ(EtsLinks(21), erlaubt ? 0 : 2) << "Anzeige 1 lost its only link";
        EXPECT_EQ(EtsLinks(22), 2) << "Melder 1 kept both";
        if (!erlaubt) {
            EXPECT_EQ(boxen.Shown().back().text, "Verbindung konnte nicht gelöscht werden.\nAnzeige 1");
        }
        // A failed unlink stops, and the device holds what the first import made of it.
        EXPECT_EQ(Record(13)->Param10, 23);
    }
}

TEST_F(EtsImport, UnknownObjectLeavesTheDeviceAsItWas)
{
    // Melder 2's device object is hidden in the target device; the device held nothing.
    saetze.insert(saetze.begin() + 3, Satz(14, "Melder 2", 806, 1, 1, 1));
    EXPECT_FALSE(inst.VireoCdiCopy(Konfiguration(), false, &meter));
    ASSERT_EQ(boxen.Count(), 1u);
    EXPECT_EQ(boxen.Shown()[0].text, "Objekt nicht gefunden.\nMelder 2");
    EXPECT_EQ(boxen.Shown()[0].caption, "Fehler");
    EXPECT_EQ(inst.GetDatenSatzAnzahl(), 0u);
    EXPECT_TRUE(inst.GetKnoten().empty());
    EXPECT_TRUE(inst.GetBlob().empty());
}

TEST_F(EtsImport, AnAbortLeavesTheDeviceAsItWas)
{
    // A first import that succeeds; then the import of another file (Melder 1 renamed),
    // stopped at each meter question: 1 before loading, 2 after it, 7 at the second object.
    ASSERT_TRUE(inst.VireoCdiImport(Konfiguration(), &meter));
    const std::string blob = inst.GetBlob();
    saetze[1].Name = "Melder 1 neu";
    for (const int frage : {1, 2, 7}) {
        SCOPED_TRACE(frage);
        anzeige.AbortAtQuestion(frage);
        EXPECT_FALSE(inst.VireoCdiImport(Konfiguration(), &meter));
        ASSERT_EQ(inst.GetDatenSatzAnzahl(), 5u);
        EXPECT_EQ(Record(10)->Name, "Melder 1");
        EXPECT_EQ((std::array{Record(10)->Param10, Record(12)->Param10}), (std::array{22, 21}));
        EXPECT_EQ(inst.GetBlob(), blob);
    }
}

} // namespace
