#pragma once
// The main window on the demo project in a temporary folder (which is also the program folder
// and ETS's directory), with a second, new alarm centre (device 8) whose "DeviceId" still
// names device 1, as after ETS imported or copied it. Events go through the event channel;
// message boxes are scripted (default answer OK).

#include "miraval/app/Main.h"
#include "miraval/devinst/DatenContainer.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/devinst/DevInstAz_p.h"
#include "miraval/dienste/DaMo.h"
#include "DemoProject.h"
#include "kestrin/Ets2Cdi.h"
#include "kestrin/EtsEventChannel.h"
#include "pellam/DataBasis.h"
#include "support/ScriptedMessageBox.h"
#include "tests/support/TestOrdner.h"
#include "ZweiteZentrale.h"
#include "win32/Shell.h"
#include "win32/Windows.h"

#include <QFileDialog>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

// Adds a detector to security area 1 of the current alarm centre; `zeigen` also shows its
// objects in the project windows' trees.
inline void MelderHinzufuegen(TFormMain& main, bool zeigen)
{
    TDeviceInstanzAz* inst = main.GetAktDevInst();
    ASSERT_NE(inst, nullptr);
    TDataBasis* bereich = nullptr;
    for (const auto& [handle, knoten] : inst->GetKnoten())
        if (knoten->GetTyp() == AzTyp::SicherungsBereich1)
            bereich = knoten.get();
    ASSERT_NE(bereich, nullptr);
    ASSERT_TRUE(inst->CreateAzMelder(main.GetHandle(), bereich, MelderArt::Sb1, zeigen));
}

class TMainUmgebung : public ::testing::Test {
protected:
    static constexpr int32_t kZweite = 8;

    void SetUp() override
    {
        ordner = TestOrdner("miraval");
        std::filesystem::remove_all(ordner);
        std::filesystem::create_directories(ordner);
        SetModuleFileNameOverride((ordner / "miraval").string());
        store = ordner / "demo.db";
        ASSERT_TRUE(BuildProjectStore(store, std::string(DemoProjectSql()) + kZweiteZentraleSql).ok);
        dm = std::make_unique<TDM>();
        DM = dm.get();
        DM->AutoSave = true;
        DM->AutoSaveMinuten = 5;
        main = std::make_unique<TFormMain>(kDemoModuleName);
        ASSERT_TRUE(main->GetEts()->OpenProjectStore(store).ok);
        kanal = std::make_unique<TEtsEventChannel>(*main->GetEts(), antworten);
    }

    void TearDown() override
    {
        kanal.reset();
        main.reset();
        dm.reset();
        DM = nullptr;
        PumpMessages();
        SetModuleFileNameOverride("");
        std::filesystem::remove_all(ordner);
    }

    // The channel's answer to one event line.
    std::string Event(const std::string& zeile)
    {
        antworten.str("");
        kanal->HandleLine(zeile);
        PumpMessages();
        std::string text = antworten.str();
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }

    // The file dialogs pick datei, a path below ordner (empty: cancel); dialogDatei is the file
    // a dialog offered.
    void WaehleDatei(const std::filesystem::path& datei)
    {
        main->DateiDialogAusfuehren = [this, datei](QFileDialog& d) {
            dialogDatei = d.selectedFiles().value(0).toStdString();
            if (datei.empty())
                return false;
            // A path in a folder that does not exist yet is taken relative to the dialog's folder.
            d.setDirectory(QString::fromStdString(ordner.string()));
            d.selectFile(QString::fromStdString(std::filesystem::relative(datei, ordner).string()));
            return true;
        };
    }

    // Opens the demo alarm centre and adds a detector.
    void OeffneUndBearbeite()
    {
        ASSERT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
        MelderHinzufuegen(*main, false);
    }

    static std::string Container(TDeviceInstanzAz& inst)
    {
        std::string container;
        EXPECT_TRUE(inst.CopyStrukturDatenToDB(nullptr, &container).Ok);
        return container;
    }

    static std::string Lesen(const std::filesystem::path& datei)
    {
        std::ifstream in(datei, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The safety copy of device 1.
    std::filesystem::path Sicherung() const
    {
        return ordner / "AZ" / "AutoSave" / main->ProjektKennung() / "1.azs";
    }

    // A container's records without the ETS ids of the objects (the product's object, the
    // device object, the value or parameter that shows it) and without the device record's
    // id and physical address: what a configuration that moved to another device keeps.
    static std::vector<TDatenStruktur> OhneIds(const std::string& container)
    {
        std::vector<TDatenStruktur> records;
        EXPECT_TRUE(DatenContainer::ReadDatensaetze(container, "", records).Ok);
        for (TDatenStruktur& r : records) {
            if (r.Typ == AzTyp::EtsObjekt)
                r.Param3 = r.Param5 = r.Param10 = 0;
            if (r.Typ == AzTyp::System) {
                r.Param4 = 0;
                r.String2.clear();
            }
        }
        return records;
    }

    // The blob as a second connection reads it.
    std::string Blob(int32_t deviceId)
    {
        TEts2Cdi leser(nullptr, kDemoModuleName, false);
        EXPECT_TRUE(leser.OpenProjectStore(store).ok);
        const uint8_t* puffer = nullptr;
        uint32_t laenge = 0;
        EXPECT_TRUE(leser.BlobRead(puffer, laenge, deviceId));
        return std::string(reinterpret_cast<const char*>(puffer), laenge);
    }

    std::filesystem::path ordner;
    std::filesystem::path store;
    TScriptedMessageBox boxen{IDOK};
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TFormMain> main;
    std::ostringstream antworten;
    std::unique_ptr<TEtsEventChannel> kanal;
    std::string dialogDatei;
};
