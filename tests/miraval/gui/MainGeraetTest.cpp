// ETS's export, import and copy of a device, end to end through the event channel.
#include "MainUmgebung.h"

#include "miraval/devinst/DatenContainer.h"
#include "miraval/dienste/Spredit.h"
#include "win32/CodePage1252.h"

#include <algorithm>
#include <functional>

namespace fs = std::filesystem;

namespace {

class MainGeraet : public TMainUmgebung {
protected:
    // Device 1 with an extra detector, stored in ETS; then device 8 as ETS's import or copy
    // makes it.
    void Konfiguriere()
    {
        OeffneUndBearbeite();
        TScriptedMessageBox ja{IDYES};
        DM->ABeenden->trigger();
        PumpMessages();
        GibZweiterDieParameterDerErsten();
    }

    // ETS gives device 8 the parameters and shown objects of device 1, as its import or copy
    // of a device does.
    void GibZweiterDieParameterDerErsten()
    {
        ASSERT_TRUE(main->GetEts()
                        ->ExecuteSql("UPDATE device_param SET value = (SELECT q.value FROM device_param q "
                                     "WHERE q.device_id = 1 AND q.parameter_id = device_param.parameter_id) "
                                     "WHERE device_id = 8;"
                                     "UPDATE device_object SET visible = (SELECT q.visible FROM device_object q "
                                     "WHERE q.device_id = 1 AND q.comm_object_id = device_object.comm_object_id) "
                                     "WHERE device_id = 8;")
                        .ok);
    }

    // The parameter "DeviceId" (number 9000 of the demo product).
    int32_t DeviceIdWert(int32_t deviceId)
    {
        int32_t wert = -1;
        EXPECT_EQ(main->GetEts()->GetDeviceParameter(deviceId, 9000, wert, nullptr), 0);
        return wert;
    }

    static void Schreibe(const fs::path& datei, const std::string& text)
    {
        std::ofstream(datei, std::ios::binary | std::ios::trunc) << text;
    }

    // The container as older files hold it: no object stores its limit of group addresses.
    static std::string OhneGrenzen(const std::string& blob)
    {
        DatenContainer::TContainerInhalt inhalt;
        EXPECT_TRUE(DatenContainer::ReadContainer(blob, "", [](const std::string&) { return true; }, inhalt).Ok);
        std::vector<const TDatenStruktur*> zeiger;
        for (TDatenStruktur& r : inhalt.Datensaetze) {
            if (r.Typ == AzTyp::EtsObjekt)
                r.Param13 = -1;
            zeiger.push_back(&r);
        }
        std::string ohneGrenze;
        EXPECT_TRUE(DatenContainer::WriteContainer(zeiger, inhalt.Version, inhalt.CompData, ohneGrenze).Ok);
        return ohneGrenze;
    }

    static long Melder(const std::string& blob)
    {
        std::vector<TDatenStruktur> records;
        EXPECT_TRUE(DatenContainer::ReadDatensaetze(blob, "", records).Ok);
        return std::count_if(records.begin(), records.end(), [](const auto& r) { return r.Typ == AzTyp::Melder; });
    }
};

TEST_F(MainGeraet, ExportThenImportMovesTheConfigurationToTheImportedDevice)
{
    Konfiguriere();
    const fs::path export_ = ordner / "AZ" / "AutoSave" / main->ProjektKennung() / "1.azp";
    EXPECT_EQ(Event("ExportDevice 0 0 1"), "ExportDevice result=1 finished=1 file=\"" + export_.string() +
                                               "\" copied=\"" + (ordner / "1.azp").string() + "\"");
    EXPECT_EQ(Lesen(ordner / "1.azp"), Lesen(export_));
    EXPECT_EQ(Melder(Lesen(export_)), Melder(Blob(1)));

    EXPECT_EQ(Event("ImportDevice 0 0 8"), "ImportDevice result=1 finished=1");
    EXPECT_EQ(Melder(Blob(kZweite)), Melder(Blob(1)));
    EXPECT_EQ(DeviceIdWert(kZweite), kZweite);
    EXPECT_FALSE(fs::exists(ordner / "1.azp")) << "the file ETS took along is used up";
    EXPECT_EQ(boxen.Count(), 0u);
}

// The program's own files read back as written: a template imported again, a safety copy
// restored, a device file of ETS's export imported into another device; also when a text
// editor saved them again with LF line ends or as UTF-8.
TEST_F(MainGeraet, TheProgramsOwnFilesReadBackAsWrittenAlsoSavedAgainByATextEditor)
{
    auto lf = [](std::string text) {
        for (std::size_t p; (p = text.find("\r\n")) != std::string::npos;)
            text.erase(p, 1);
        return text;
    };
    const struct {
        const char* name;
        std::function<std::string(const std::string&)> form;
    } formen[] = {
        {"as written", [](const std::string& t) { return t; }},
        {"LF line ends", lf},
        {"saved as UTF-8", [](const std::string& t) { return Cp1252ToUtf8(t); }},
        {"UTF-8 with byte order mark, LF line ends", [&](const std::string& t) { return "\xEF\xBB\xBF" + lf(Cp1252ToUtf8(t)); }},
    };

    OeffneUndBearbeite();
    TDeviceInstanzAz& inst = *main->GetAktDevInst();
    const std::string vorher = Container(inst);
    ASSERT_NE(vorher.find("\xDC"), std::string::npos) << "a text beyond ASCII (\"Ü\" in Windows-1252)";
    const fs::path vorlage = ordner / "vorlage.azx";
    WaehleDatei(vorlage);
    {
        TScriptedMessageBox ok{IDOK};
        DM->AExport->trigger();
    }
    ASSERT_TRUE(main->SaveToFile(""));
    ASSERT_EQ(Lesen(vorlage), vorher);
    ASSERT_EQ(Lesen(Sicherung()), vorher);
    for (const auto& f : formen) {
        SCOPED_TRACE(f.name);
        TScriptedMessageBox ja{IDYES};
        Schreibe(vorlage, f.form(vorher));
        DM->AImport->trigger();
        Schreibe(Sicherung(), f.form(vorher));
        main->RestoreSaveCopy();
        std::vector<std::string> texte;
        for (const auto& box : ja.Shown())
            if (box.flags != (MB_YESNO | MB_ICONINFORMATION))
                texte.push_back(box.text);
        EXPECT_EQ(texte, (std::vector<std::string>{"Import beendet", "Import beendet", Spredit::Txt9036}));
        EXPECT_EQ(Container(inst), vorher);
    }

    {
        TScriptedMessageBox ja{IDYES};
        DM->ABeenden->trigger();
        PumpMessages();
    }
    ASSERT_EQ(Event("ExportDevice 0 0 1").rfind("ExportDevice result=1", 0), 0u);
    const std::string export_ = Lesen(ordner / "1.azp");
    GibZweiterDieParameterDerErsten();
    for (const auto& f : formen) {
        SCOPED_TRACE(f.name);
        Schreibe(ordner / "1.azp", f.form(export_));
        EXPECT_EQ(Event("ImportDevice 0 0 8"), "ImportDevice result=1 finished=1");
        EXPECT_EQ(OhneIds(Blob(kZweite)), OhneIds(export_));
        // As ETS imports the device again: its "DeviceId" names the exported one.
        ASSERT_TRUE(main->GetEts()->ExecuteSql("UPDATE device_param SET value = 1 WHERE device_id = 8 AND "
                                               "parameter_id = (SELECT id FROM parameter WHERE name = 'DeviceId');")
                        .ok);
    }
    EXPECT_EQ(boxen.Count(), 0u);
}

TEST_F(MainGeraet, CopyTakesTheSourceConfiguration)
{
    // A device never configured has nothing to copy: the copy gets a new structure when opened.
    EXPECT_EQ(Event("CopyDevice 0 0 8 1 0"), "CopyDevice result=1 finished=1");
    EXPECT_TRUE(Blob(kZweite).empty());
    EXPECT_EQ(DeviceIdWert(kZweite), kZweite);

    Konfiguriere();
    EXPECT_EQ(Event("CopyDevice 0 0 8 1 0"), "CopyDevice result=1 finished=1");
    EXPECT_EQ(Melder(Blob(kZweite)), Melder(Blob(1)));
    EXPECT_EQ(boxen.Count(), 0u);
}

TEST_F(MainGeraet, AMissingExportFileIsAskedForThenTheImportFails)
{
    WaehleDatei({});
    EXPECT_EQ(Event("ImportDevice 0 0 8"), "ImportDevice result=0 finished=1");
    ASSERT_EQ(boxen.Count(), 2u);
    EXPECT_EQ(boxen.Shown()[0].text, "Import-Datei nicht gefunden.\nDeviceId = 1");
    EXPECT_EQ(dialogDatei, (ordner / "1.azp").string());
    EXPECT_EQ(boxen.Shown()[1].text, Spredit::Txt9100 + "\n02.01.002");
}

TEST_F(MainGeraet, WithoutTheEtsDirectoryTheImportFailsAndTouchesNoFile)
{
    Konfiguriere();
    ASSERT_EQ(Event("ExportDevice 0 0 1").rfind("ExportDevice result=1", 0), 0u);
    const std::string export_ = Lesen(ordner / "1.azp");
    ASSERT_TRUE(main->GetEts()->ExecuteSql("DELETE FROM ets_info;").ok);
    WaehleDatei(ordner / "1.azp");
    EXPECT_EQ(Event("ImportDevice 0 0 8"), "ImportDevice result=0 finished=1");
    ASSERT_EQ(boxen.Count(), 1u);
    EXPECT_EQ(boxen.Shown()[0].text, Spredit::Txt9100 + "\n02.01.002");
    EXPECT_EQ(Lesen(ordner / "1.azp"), export_);
    EXPECT_EQ(DeviceIdWert(kZweite), 1) << "the device stays as ETS imported it";
}

TEST_F(MainGeraet, FailuresAnswerZeroWithTheirMessageAndStoreNothing)
{
    // The export file of device 1 cannot be read; the dialog then offers it all the same.
    fs::create_directories(ordner / "1.azp");
    WaehleDatei(ordner / "1.azp");
    const struct {
        std::string event;
        const char* text; // the last box's text begins so
    } faelle[] = {
        {"ExportDevice 0 0 2", "Export Fehler"}, // no "DeviceId" parameter
        {"ImportDevice 0 0 2", "Beim Import des Gerätes"},
        {"ImportDevice 0 0 8", "Beim Import des Gerätes"},
        {"ImportDevice 0 0 99", "Beim Import des Gerätes"}, // unknown device
        {"CopyDevice 0 0 8 99 0", "Beim kopieren des Gerätes"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.event);
        TScriptedMessageBox ok{IDOK};
        EXPECT_EQ(Event(f.event), f.event.substr(0, f.event.find(' ')) + " result=0 finished=1");
        ASSERT_FALSE(ok.Shown().empty());
        EXPECT_EQ(ok.Shown().back().text.rfind(f.text, 0), 0u) << ok.Shown().back().text;
    }
    EXPECT_TRUE(Blob(kZweite).empty());
    EXPECT_TRUE(fs::is_directory(ordner / "1.azp"));
}

// ETS's export and download during an edit write every object of the device again: nothing
// the edit keeps changes, neither with the inputs added in it nor with a device stored with
// objects of no limit (an older file), which the load gives their limit.
TEST_F(MainGeraet, AnExportOrADownloadDuringAnEditChangesNothingTheEditKeeps)
{
    Konfiguriere();
    const std::string ohneGrenze = OhneGrenzen(Blob(1));
    ASSERT_FALSE(ohneGrenze.empty());
    for (const bool aelter : {false, true}) {
        for (const char* ereignis : {"ExportDevice 0 0 1", "DoDownload2 0 0 1 0 0 0 0 0 0"}) {
            SCOPED_TRACE(std::string(ereignis) + (aelter ? ", stored without limits" : ""));
            if (aelter) {
                ASSERT_TRUE(main->GetEts()->BlobWrite(ohneGrenze.data(), static_cast<uint32_t>(ohneGrenze.size()), 1));
            }
            OeffneUndBearbeite();
            TDeviceInstanzAz& inst = *main->GetAktDevInst();
            const std::string vorher = Container(inst);
            const std::string name = std::string(ereignis).substr(0, std::string(ereignis).find(' '));
            // A download answers failure: the editor writes nothing to the device.
            ASSERT_EQ(Event(ereignis).rfind(name + " result=", 0), 0u);
            EXPECT_EQ(Container(inst), vorher);
            TScriptedMessageBox ja{IDYES};
            DM->ABeenden->trigger();
            PumpMessages();
        }
    }
    EXPECT_EQ(boxen.Count(), 0u);
}

// An older file, whose objects store no limit, that ETS imports or copies is stored as the
// program writes the device now: each object with the limit its node gives it.
TEST_F(MainGeraet, AnOlderFileEtsImportsOrCopiesIsStoredWithItsObjectsLimits)
{
    Konfiguriere();
    ASSERT_EQ(Event("ExportDevice 0 0 1").rfind("ExportDevice result=1", 0), 0u);
    const std::string export_ = Lesen(ordner / "1.azp");
    const std::string aelter = OhneGrenzen(export_);
    ASSERT_NE(OhneIds(aelter), OhneIds(export_));

    Schreibe(ordner / "1.azp", aelter);
    EXPECT_EQ(Event("ImportDevice 0 0 8"), "ImportDevice result=1 finished=1");
    EXPECT_EQ(OhneIds(Blob(kZweite)), OhneIds(export_)) << "imported";

    ASSERT_TRUE(main->GetEts()->BlobWrite(aelter.data(), static_cast<uint32_t>(aelter.size()), 1));
    EXPECT_EQ(Event("CopyDevice 0 0 8 1 0"), "CopyDevice result=1 finished=1");
    EXPECT_EQ(OhneIds(Blob(kZweite)), OhneIds(export_)) << "copied";
    EXPECT_EQ(boxen.Count(), 0u);
}

} // namespace
