#include "morrow/EtsDeviceParam.h"

#include "kestrin/Ets2Cdi.h"

TEtsDeviceParam::TEtsDeviceParam(TEts2Cdi* ets, std::int32_t deviceId)
    : m_ets(ets)
    , m_deviceId(deviceId)
{
}

TEtsDeviceParam::~TEtsDeviceParam() = default;

// The forms without a list do not ask for the shown objects: nobody would read them.
int TEtsDeviceParam::SetDeviceParamData(std::int16_t number, std::int32_t value)
{
    return m_ets ? m_ets->SetDeviceParameter(m_deviceId, number, value, nullptr) : ETS_PARAM_ERROR;
}

int TEtsDeviceParam::GetDeviceParamData(std::int16_t number, std::int32_t& value)
{
    return m_ets ? m_ets->GetDeviceParameter(m_deviceId, number, value, nullptr) : ETS_PARAM_ERROR;
}

int TEtsDeviceParam::SetDeviceParamData(std::int16_t number, std::int32_t value,
                                        std::vector<tagDAL_OBJECT_INFO>& objects)
{
    objects.clear();
    return m_ets ? m_ets->SetDeviceParameter(m_deviceId, number, value, &objects) : ETS_PARAM_ERROR;
}

int TEtsDeviceParam::GetDeviceParamData(std::int16_t number, std::int32_t& value,
                                        std::vector<tagDAL_OBJECT_INFO>& objects)
{
    objects.clear();
    return m_ets ? m_ets->GetDeviceParameter(m_deviceId, number, value, &objects) : ETS_PARAM_ERROR;
}
