// The gate of stored configurations from outside: a valid export damaged in each way, at each
// record where the damage applies, is refused by every reader with one box and nothing
// changed; the export itself passes every reader.

#include "AzGeraet.h"

#include "DemoProject.h"
#include "miraval/devinst/DatenContainer.h"
#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/dienste/Spredit.h"
#include "platform/kestrin/EtsOtherProgram.h"
#include "platform/kestrin/EtsTestProject.h"
#include "support/ScriptedMessageBox.h"
#include "vcl/StringList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using TSaetze = std::vector<TDatenStruktur>;

std::string Schreibe(const TSaetze& saetze)
{
    std::vector<const TDatenStruktur*> zeiger;
    for (const TDatenStruktur& s : saetze)
        zeiger.push_back(&s);
    std::string container;
    EXPECT_TRUE(DatenContainer::WriteContainer(zeiger, DatenContainer::FormatVersion({}), {}, container).Ok);
    return container;
}

// The container once for each record that passes wo, with that record (its index) changed.
std::vector<std::string> JeSatz(const std::string& container, const std::function<bool(const TDatenStruktur&)>& wo,
                                const std::function<void(TSaetze&, std::size_t)>& aendern)
{
    TSaetze saetze;
    EXPECT_TRUE(DatenContainer::ReadDatensaetze(container, "", saetze).Ok);
    std::vector<std::string> dateien;
    for (std::size_t i = 0; i < saetze.size(); ++i) {
        if (!wo(saetze[i]))
            continue;
        TSaetze kopie = saetze;
        aendern(kopie, i);
        dateien.push_back(Schreibe(kopie));
    }
    return dateien;
}

// The container once for each record line, with that line's values changed as text.
std::vector<std::string> JeZeile(const std::string& container, const std::function<void(TStringList&)>& aendern)
{
    const std::size_t anfang = container.find("<DB>\r\n") + 6;
    const std::size_t ende = container.find("</DB>");
    std::vector<std::string> dateien;
    for (std::size_t von = anfang, bis; (bis = container.find("\r\n", von)) <= ende; von = bis + 2) {
        TStringList werte;
        werte.SetCommaText(container.substr(von, bis - von));
        aendern(werte);
        dateien.push_back(container.substr(0, von) + werte.CommaText() + container.substr(bis));
    }
    return dateien;
}

// The container cut short at each of its line ends but the last.
std::vector<std::string> JeZeilenende(const std::string& container)
{
    std::vector<std::string> dateien;
    for (std::size_t ende = container.find("\r\n"); ende != std::string::npos && ende + 2 < container.size();
         ende = container.find("\r\n", ende + 2))
        dateien.push_back(container.substr(0, ende + 2));
    return dateien;
}

bool Immer(const TDatenStruktur&)
{
    return true;
}
bool IstObjekt(const TDatenStruktur& s)
{
    return s.Typ == TEtsObjekt::kTyp;
}
bool IstEingang(const TDatenStruktur& s)
{
    return s.Typ == AzTyp::Melder && s.Param8 != MelderArt::Verdrahtet;
}

// The device's parameter values in ETS, in id order.
std::vector<std::pair<int32_t, int32_t>> Parameter(TEts2Cdi& ets)
{
    std::vector<std::pair<int32_t, int32_t>> werte;
    DAL_DEVICE_PARAM p;
    for (int m = DAL_MODE_FIRST; ets.DalGetDeviceParamData(m, -1, kDemoAlarmCentreId, &p) == DAL_OK;
         m = DAL_MODE_NEXT)
        werte.emplace_back(+p.DeviceParamId, +p.Value);
    return werte;
}

struct KonfigPruefung : ::testing::Test {
    KonfigPruefung()
    {
        project.Sql(DemoProjectSql());
        EXPECT_TRUE(quelle.inst.GetDataFromServer(quelle.host.GetHandle(), false));
        // A second input in area 1, so that inputs can share a number.
        TDataBasis* bereich = nullptr;
        for (const auto& [handle, node] : quelle.inst.GetKnoten())
            if (node->GetTyp() == AzTyp::SicherungsBereich1)
                bereich = node.get();
        EXPECT_TRUE(quelle.inst.CreateAzMelder(quelle.host.GetHandle(), bereich, MelderArt::Sb1, false));
        EXPECT_TRUE(quelle.inst.WriteBlob());
        EXPECT_TRUE(quelle.inst.CopyStrukturDatenToDB(nullptr, &export_).Ok);
    }
    std::string Gespeichert()
    {
        const uint8_t* puffer = nullptr;
        uint32_t laenge = 0;
        EXPECT_TRUE(project.ets.BlobRead(puffer, laenge, kDemoAlarmCentreId));
        return std::string(reinterpret_cast<const char*>(puffer), laenge);
    }

    TEtsTestProject project{false};
    TScriptedMessageBox boxen{IDOK};
    TAzGeraet quelle{project.ets, kDemoAlarmCentreId};
    std::string export_;
};

// Every reader of a stored configuration from outside, on the loaded demo device: whether it
// took the container.
struct TLeser {
    const char* name;
    bool mitEts; // whether the reader asks ETS about the objects
    std::function<bool(KonfigPruefung&, const std::string&)> lesen;
};
const TLeser kLeser[] = {
    {"template import", true,
     [](KonfigPruefung& t, const std::string& d) { return t.quelle.inst.VireoImport(d, false); }},
    {"safety copy restore", true,
     [](KonfigPruefung& t, const std::string& d) { return t.quelle.inst.VireoImport(d, true); }},
    {"ETS import", true,
     [](KonfigPruefung& t, const std::string& d) { return t.quelle.inst.VireoCdiImport(d, nullptr); }},
    {"ETS copy", true,
     [](KonfigPruefung& t, const std::string& d) { return t.quelle.inst.VireoCdiCopy(d, true, nullptr); }},
    {"opening", false,
     [](KonfigPruefung& t, const std::string& d) {
         const std::string vorher = t.Gespeichert();
         EXPECT_TRUE(t.project.ets.BlobWrite(d.data(), static_cast<uint32_t>(d.size()), kDemoAlarmCentreId));
         TAzGeraet geoeffnet{t.project.ets, kDemoAlarmCentreId};
         const bool ok = geoeffnet.inst.GetDataFromServer(geoeffnet.host.GetHandle(), false);
         EXPECT_TRUE(t.project.ets.BlobWrite(vorher.data(), static_cast<uint32_t>(vorher.size()), kDemoAlarmCentreId));
         return ok;
     }},
};

TEST_F(KonfigPruefung, EachDamageAtEachRecordIsRefusedByEveryReaderWithNothingChanged)
{
    const std::string& e = export_;
    const struct {
        const char* name;
        const std::string& grund; // what the box says below "Die Datei ist fehlerhaft ..."
        bool nurMitEts;           // found only by asking ETS
        std::vector<std::string> dateien;
    } faelle[] = {
        {"the file cut at a line end", Spredit::Txt9218, false, JeZeilenende(e)},
        {"a number field reading sechs", Spredit::Txt9224, false, JeZeile(e, [](TStringList& w) { w[14] = "sechs"; })},
        {"a number field reading 6x", Spredit::Txt9224, false, JeZeile(e, [](TStringList& w) { w[3] = w[3] + "x"; })},
        {"a value removed", Spredit::Txt9219, false, JeZeile(e, [](TStringList& w) { w.Delete(10); })},
        {"a handle another record's", Spredit::Txt9217, false,
         JeSatz(e, Immer, [](TSaetze& r, std::size_t i) { r[i].Handle = r[i == 0 ? 1 : i - 1].Handle; })},
        {"a second device record", Spredit::Txt9221, false,
         JeSatz(e, [](const TDatenStruktur& s) { return s.Typ == AzTyp::System; },
                [](TSaetze& r, std::size_t i) {
                    TDatenStruktur zweites = r[i];
                    zweites.Handle = 987654;
                    r.push_back(zweites);
                })},
        {"the device record's handle not its records' System", Spredit::Txt9225, false,
         JeSatz(e, [](const TDatenStruktur& s) { return s.Typ == AzTyp::System; },
                [](TSaetze& r, std::size_t i) { r[i].Handle = 987654; })},
        {"a System not the device record's handle", Spredit::Txt9225, false,
         JeSatz(e, Immer, [](TSaetze& r, std::size_t i) { r[i].System += 1; })},
        {"an object in two records", Spredit::Txt9226, false,
         JeSatz(e, IstObjekt,
                [](TSaetze& r, std::size_t i) {
                    TDatenStruktur zweites = r[i];
                    zweites.Handle = 987654;
                    zweites.Next = 0;
                    r.push_back(zweites);
                })},
        {"an object's type not ETS's", Spredit::Txt9227, true,
         JeSatz(e, IstObjekt, [](TSaetze& r, std::size_t i) { r[i].Param8 += 1; })},
        {"an object's kind not ETS's", Spredit::Txt9227, true,
         JeSatz(e, IstObjekt, [](TSaetze& r, std::size_t i) { r[i].Param7 += 1; })},
        {"more inputs than the device has", Spredit::Txt9228, false,
         JeSatz(e, IstEingang,
                [](TSaetze& r, std::size_t i) {
                    for (int32_t n = 0; n < kMaxEingaenge; ++n) {
                        TDatenStruktur mehr = r[i];
                        mehr.Handle = 900000 + n;
                        r.push_back(mehr);
                    }
                })},
        {"two inputs of one number", Spredit::Txt9229, false,
         JeSatz(e, IstEingang,
                [](TSaetze& r, std::size_t i) {
                    for (const TDatenStruktur& s : r)
                        if (IstEingang(s) && s.Handle != r[i].Handle)
                            r[i].Param9 = s.Param9;
                })},
        {"an input number beyond the device's", Spredit::Txt9229, false,
         JeSatz(e, IstEingang, [](TSaetze& r, std::size_t i) { r[i].Param9 = TDeviceInstanzAz::kMaxMelderNr + 1; })},
        {"an input of an area the variant lacks", Spredit::Txt9230, false,
         JeSatz(e, IstEingang, [](TSaetze& r, std::size_t i) { r[i].Param8 = MelderArt::Sb1 + 2; })},
        {"a security or arming area the variant lacks", Spredit::Txt9230, false,
         JeSatz(e,
                [](const TDatenStruktur& s) {
                    return s.Typ == AzTyp::SicherungsBereich1 || s.Typ == AzTyp::ScharfschaltBereich1;
                },
                [](TSaetze& r, std::size_t i) { r[i].Typ += 2; })},
        {"a record type the program does not know", Spredit::Txt9231, false,
         JeSatz(e, Immer, [](TSaetze& r, std::size_t i) { r[i].Typ = 6199; })},
        {"a text longer than the device holds", Spredit::Txt9232, false,
         JeSatz(e,
                [](const TDatenStruktur& s) { return s.Typ == AzTyp::Melder || s.Typ == AzTyp::ScharfschaltBereich1; },
                [](TSaetze& r, std::size_t i) { r[i].String4 = std::string(5000, 'x'); })},
    };
    const TGeraetZustand vorher = GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId);
    const auto parameter = Parameter(project.ets);
    const std::string gespeichert = Gespeichert();
    for (const auto& f : faelle) {
        ASSERT_FALSE(f.dateien.empty()) << f.name;
        for (const TLeser& leser : kLeser) {
            if (f.nurMitEts && !leser.mitEts)
                continue;
            SCOPED_TRACE(std::string(f.name) + ", " + leser.name);
            for (std::size_t i = 0; i < f.dateien.size(); ++i) {
                SCOPED_TRACE("case " + std::to_string(i));
                TScriptedMessageBox ok{IDOK};
                EXPECT_FALSE(leser.lesen(*this, f.dateien[i]));
                ASSERT_EQ(ok.Count(), 1u) << (ok.Count() > 0 ? ok.Shown()[0].text : "");
                EXPECT_EQ(ok.Shown()[0].text.rfind(Spredit::Txt9214 + "\n" + f.grund, 0), 0u) << ok.Shown()[0].text;
            }
            // A change would stay: once for all the cases is enough.
            ASSERT_TRUE(GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId) == vorher);
            ASSERT_EQ(Parameter(project.ets), parameter);
            ASSERT_EQ(Gespeichert(), gespeichert);
        }
    }
}

TEST_F(KonfigPruefung, TheProgramsOwnExportPassesEveryReader)
{
    for (const TLeser& leser : kLeser) {
        SCOPED_TRACE(leser.name);
        TScriptedMessageBox ok{IDOK};
        EXPECT_TRUE(leser.lesen(*this, export_));
        EXPECT_EQ(ok.Count(), 0u) << (ok.Count() > 0 ? ok.Shown()[0].text : "");
        EXPECT_EQ(quelle.Nummern(), EtsSichtbar(project.ets, kDemoAlarmCentreId));
    }
}

// Another program holds the store, so no burst can be opened to ask ETS which objects the
// parameters show: the file is refused, not taken unchecked.
TEST_F(KonfigPruefung, WithoutAWriteBurstTheObjectsCannotBeCheckedAndTheFileIsRefused)
{
    const TGeraetZustand vorher = GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId);
    TScriptedMessageBox ok{IDOK};
    {
        TOtherProgram other(project.file);
        other.Sql("BEGIN IMMEDIATE");
        EXPECT_FALSE(quelle.inst.VireoImport(export_, true));
        other.Sql("ROLLBACK");
    }
    ASSERT_EQ(ok.Count(), 1u);
    EXPECT_EQ(ok.Shown()[0].text, Spredit::Txt9214 + "\n" + Spredit::Txt9233);
    EXPECT_TRUE(GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId) == vorher);
}

// ETS showing an object no more between the check and the import's object stage: the stage's
// own guard stops the import, and ETS and the device are as they were.
TEST_F(KonfigPruefung, AnObjectEtsNoLongerShowsAtTheObjectStageUndoesTheImport)
{
    TSaetze saetze;
    ASSERT_TRUE(DatenContainer::ReadDatensaetze(export_, "", saetze).Ok);
    const auto objekt = std::find_if(saetze.begin(), saetze.end(), IstObjekt);
    ASSERT_NE(objekt, saetze.end());
    const TGeraetZustand vorher = GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId);
    quelle.host.beimFortschritt = [&](const std::string& text) {
        if (text.ends_with(Spredit::Txt9157))
            project.Sql("DELETE FROM parameter_shows WHERE comm_object_id IN (SELECT id FROM comm_object WHERE number = " +
                        std::to_string(objekt->Param4) + ")");
    };
    TScriptedMessageBox ok{IDOK};
    EXPECT_FALSE(quelle.inst.VireoImport(export_, true));
    ASSERT_EQ(ok.Count(), 2u);
    EXPECT_EQ(ok.Shown()[0].text, Spredit::Txt9216 + "\n" + TDeviceInstanzAz::ObjektText(*objekt));
    EXPECT_EQ(ok.Shown()[1].text, Spredit::Txt9214);
    EXPECT_TRUE(GeraetZustand(quelle.inst, project.ets, kDemoAlarmCentreId) == vorher);
}

} // namespace
