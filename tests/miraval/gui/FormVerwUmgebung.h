#pragma once
// What the project-window tests share: a data module whose INI file and program folder lie in
// a temporary folder (with the quick-help file beside the program), an alarm-centre device
// made by CreateNewDevice with its editor double, and a project window filled from it.

#include "tests/miraval/devinst/DevInstAzUmgebung.h"

#include "miraval/dienste/DaMo.h"
#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/FProjektierung.h"
#include "pellam/DataBasis.h"
#include "tests/support/TestOrdner.h"
#include "win32/Shell.h"

#include <QApplication>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

class TFormVerwUmgebung : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = TestOrdner("miraval-formverw");
        std::filesystem::remove_all(ordner);
        std::filesystem::create_directories(ordner);
        SetModuleFileNameOverride((ordner / "miraval").string());
        std::filesystem::copy_file(std::filesystem::path(MIRAVAL_SOURCE_DIR) / "resources/help/az_deu.rtf",
                                   ordner / "az_deu.rtf");
        dm = std::make_unique<TDM>();
        DM = dm.get();
        az = std::make_unique<TAzUmgebung>();
        ASSERT_TRUE(az->inst.CreateNewDevice(az->host.GetHandle(), 0x113344CCu));
    }

    void TearDown() override
    {
        fenster.clear();
        az.reset();
        dm.reset();
        DM = nullptr;
        SetModuleFileNameOverride("");
        std::filesystem::remove_all(ordner);
    }

    // A new project window over the device, filled.
    TFormVerw& NeuesFenster()
    {
        fenster.push_back(std::make_unique<TFormVerw>(nullptr));
        TFormVerw& f = *fenster.back();
        f.SetDeviceInstanz(&az->inst);
        f.InitData(az->inst.GetKnoten(), az->host.GetHandle());
        return f;
    }

    // The first registered node of the type.
    TDataBasis* Knoten(int typ) const
    {
        for (const auto& [handle, node] : az->inst.GetKnoten())
            if (node->GetTyp() == typ)
                return node.get();
        return nullptr;
    }

    std::string Ini() const { return dm->IniDatei; }

    std::filesystem::path ordner;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TAzUmgebung> az;
    std::vector<std::unique_ptr<TFormVerw>> fenster;
};
