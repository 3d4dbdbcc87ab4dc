#pragma once
// A device instance of a made-up device kind for the tests of the base: it knows the
// alarm centre's version line, makes one node per record (a TTestKnoten; type 105 becomes
// the device node) and builds a small new device with umlauts in its texts.

#include "miraval/devinst/DevInst.h"
#include "pellam/DataBasis.h"
#include "win32/MessageBox.h"

#include <string>
#include <utility>

class TTestKnoten : public TDataBasis {
public:
    TTestKnoten(HWND owner, const TDatenStruktur& record)
        : TDataBasis(owner, record.System, record.Parent, record.Name, 0), m_typ(record.Typ)
    {
    }
    int GetTyp() override { return m_typ; }
    int ListStyle() override { return 1; }
    int GetIcon() override { return 0; }
    bool AllowChild(int) override { return false; }

private:
    int m_typ;
};

inline DAL_DEVICE TestGeraet(int32_t deviceId)
{
    DAL_DEVICE device;
    device.DeviceId = deviceId;
    return device;
}

inline TDatenStruktur TestDatensatz(int32_t handle, std::string name, int16_t typ, int32_t parent, int32_t system)
{
    TDatenStruktur d;
    d.Handle = handle;
    d.Name = std::move(name);
    d.Typ = typ;
    d.Parent = parent;
    d.System = system;
    return d;
}

class TTestInstanz : public TDeviceInstanz {
public:
    explicit TTestInstanz(TEditorHost& host, int32_t deviceId = 1)
        : TDeviceInstanz(host, TestGeraet(deviceId), nullptr)
    {
    }

    std::string GetVersion() override { return DatenContainer::FormatVersion({}); }
    bool VersionCheck(const std::string& version, bool zeigen) override
    {
        const DatenContainer::TVersionCheck check = DatenContainer::VersionCheck(version, {});
        if (!check.Ok && zeigen)
            MessageBox(nullptr, check.Text, DatenContainer::VersionCheckCaption, DatenContainer::VersionCheckFlags);
        return check.Ok;
    }
    bool CreateNewDevice(HWND) override
    {
        ++neuAngelegt;
        ClearDatenStream();
        if (!InitData())
            return false;
        *GetDatenSatz(10, 0, 10) = TestDatensatz(10, "Zentrale Süd", 105, 0, 10);
        *GetDatenSatz(10, 10, 11) = TestDatensatz(11, "Überfall, \"Tür\"", 6125, 10, 10);
        GetDatenSatz(10, 10, 11)->String1 = "Größe ÄÖÜ äöü ß €";
        return true;
    }
    void InitDataMainStruktur() override
    {
        for (const auto& [typ, record] : GetTypMap()) {
            if (typ == 1 || typ == 2)
                continue;
            auto knoten = std::make_unique<TTestKnoten>(GetHost().GetHandle(), record);
            TDatenStruktur kopie = record;
            knoten->InitFromDB(kopie);
            TDataBasis* node = knoten.get();
            SetPointer2List(std::move(knoten));
            if (typ == 105)
                SetDevice(node);
        }
        ClearLadeMaps();
    }

    using TDeviceInstanz::GetTypMap;
    int neuAngelegt = 0;
};
