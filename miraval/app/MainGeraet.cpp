// ETS export, import and copy of a device.
#include "miraval/app/Main.h"
#include "tamsel/Tamsel.h"

void TFormMain::OnCdiExportDevice(bool& finished, int& result, int32_t, int32_t, int32_t, TEtsExportTarget&)
{
    LOG_FKT("TFormMain::OnCdiExportDevice");
    m_lastDeletedDevice = -1;
    result = 0;
    finished = true;
}

void TFormMain::OnCdiImportDevice(bool& finished, int& result, int32_t, int32_t, int32_t)
{
    LOG_FKT("TFormMain::OnCdiImportDevice");
    m_lastDeletedDevice = -1;
    result = 0;
    finished = true;
}

void TFormMain::OnCdiCopyDevice(bool& finished, int& result, int32_t, int32_t, int32_t, int32_t, bool)
{
    LOG_FKT("TFormMain::OnCdiCopyDevice");
    m_lastDeletedDevice = -1;
    result = 0;
    finished = true;
}

bool TFormMain::ImportDevice(int32_t)
{
    return false;
}

bool TFormMain::CopyDevice(int32_t, int32_t, bool)
{
    return false;
}

bool TFormMain::SetParamDeviceIdToEts(int32_t)
{
    return false;
}

bool TFormMain::GetParamDeviceIdFromEts(int32_t, int32_t*)
{
    return false;
}

