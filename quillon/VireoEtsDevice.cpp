#include "quillon/VireoEtsDevice.h"

#include "quillon/DatenStruktur.h"
#include "quillon/UserMessages.h"
#include "tamsel/Tamsel.h"

#include <utility>

TVireoEtsDevice::TVireoEtsDevice(HWND owner, int32_t system, int32_t parent, std::string name,
                                 int32_t deviceId, int32_t deviceValue, int32_t art)
    : TSystem(owner, system, parent, std::move(name), art, true),
      m_deviceId(deviceId),
      m_deviceValue(deviceValue)
{
    LOG_FKT("TVireoEtsDevice::TVireoEtsDevice");
}

TVireoEtsDevice::~TVireoEtsDevice()
{
    LOG_FKT("TVireoEtsDevice::~TVireoEtsDevice");
}

std::string TVireoEtsDevice::GetName(bool mitPosition) const
{
    LOG_FKT("TVireoEtsDevice::GetName");
    return TDataBasis::GetName(mitPosition) + " [" + m_physAdr + "]";
}

void TVireoEtsDevice::Write(TDatenStruktur& record)
{
    LOG_FKT("TVireoEtsDevice::Write");
    TSystem::Write(record);
    record.Param4 = m_deviceId;
    record.Param5 = m_deviceValue;
    record.Param6 = m_objektCount;
    record.String2 = m_physAdr;
}

void TVireoEtsDevice::InitFromDB(TDatenStruktur& record)
{
    LOG_FKT("TVireoEtsDevice::InitFromDB");
    TDataBasis::InitFromDB(record);
    m_deviceId = record.Param4;
    m_deviceValue = record.Param5;
    m_objektCount = record.Param6;
    SendMessage(GetOwnerWindow(), UM_GetPhysAdr,
                static_cast<WPARAM>(static_cast<std::intptr_t>(m_deviceId)),
                reinterpret_cast<LPARAM>(&m_physAdr));
}

TDatenStruktur* TVireoEtsDevice::FindeEigenenDatensatz(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TVireoEtsDevice::FindeEigenenDatensatz");
    const auto typ = static_cast<int16_t>(GetTyp());
    for (auto& [key, record] : records)
        if (static_cast<int16_t>(record.Typ) == typ)
            return &record;
    return nullptr;
}

bool TVireoEtsDevice::Einfuegen(std::map<int, TDatenStruktur>& records)
{
    LOG_FKT("TVireoEtsDevice::Einfuegen");
    const TDatenStruktur* eigener = FindeEigenenDatensatz(records);
    if (eigener == nullptr)
        return false;
    // Read before the base step, which may change the map.
    const int32_t objektCount = eigener->Param6;
    if (!TSystem::Einfuegen(records))
        return false;
    m_objektCount = objektCount;
    return true;
}

bool TVireoEtsDevice::VireoImport(std::map<int, TDatenStruktur>& records, bool flag)
{
    LOG_FKT("TVireoEtsDevice::VireoImport");
    const TDatenStruktur* eigener = FindeEigenenDatensatz(records);
    if (eigener == nullptr)
        return false;
    const int32_t objektCount = eigener->Param6;
    if (!TSystem::VireoImport(records, flag))
        return false;
    m_objektCount = objektCount;
    return true;
}

bool TVireoEtsDevice::Reset(std::string& message)
{
    LOG_FKT("TVireoEtsDevice::Reset");
    return TSystem::Reset(message);
}

bool TVireoEtsDevice::Import(TDatenManager<TDatenStruktur>* records, bool a, bool b,
                             std::string& message, int c)
{
    LOG_FKT("TVireoEtsDevice::Import");
    return TSystem::Import(records, a, b, message, c);
}

void TVireoEtsDevice::BuildOrdner(std::map<int, TDataBasis*>& /*nodes*/)
{
    LOG_FKT("TVireoEtsDevice::BuildOrdner");
}

int TVireoEtsDevice::GetMaxObjekte()
{
    LOG_FKT("TVireoEtsDevice::GetMaxObjekte");
    return -1;
}

int TVireoEtsDevice::ObjektCountIncr()
{
    LOG_FKT("TVireoEtsDevice::ObjektCountIncr");
    return ++m_objektCount;
}

int TVireoEtsDevice::ObjektCountDecr()
{
    LOG_FKT("TVireoEtsDevice::ObjektCountDecr");
    return --m_objektCount;
}

void TVireoEtsDevice::SetPhysAdr(std::string physAdr)
{
    LOG_FKT("TVireoEtsDevice::SetPhysAdr");
    m_physAdr = std::move(physAdr);
}

std::string TVireoEtsDevice::GetPhysAdr() const
{
    LOG_FKT("TVireoEtsDevice::GetPhysAdr");
    return m_physAdr;
}
