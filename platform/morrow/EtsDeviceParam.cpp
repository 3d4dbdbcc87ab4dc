#include "morrow/EtsDeviceParam.h"

TEtsDeviceParam::TEtsDeviceParam(TEts2Cdi* ets, std::int32_t deviceId)
    : m_ets(ets)
    , m_deviceId(deviceId)
{
}

TEtsDeviceParam::~TEtsDeviceParam() = default;

int TEtsDeviceParam::SetDeviceParamData(std::int16_t number, std::int32_t value)
{
    std::vector<tagDAL_OBJECT_INFO> objects;
    return SetDeviceParamData(number, value, objects);
}

int TEtsDeviceParam::GetDeviceParamData(std::int16_t number, std::int32_t& value)
{
    std::vector<tagDAL_OBJECT_INFO> objects;
    return GetDeviceParamData(number, value, objects);
}

// The project store is reached through kestrin, which comes next; until then there is no
// project to write to.
int TEtsDeviceParam::SetDeviceParamData(std::int16_t, std::int32_t, std::vector<tagDAL_OBJECT_INFO>& objects)
{
    objects.clear();
    return ETS_PARAM_ERROR;
}

int TEtsDeviceParam::GetDeviceParamData(std::int16_t, std::int32_t&, std::vector<tagDAL_OBJECT_INFO>& objects)
{
    objects.clear();
    return ETS_PARAM_ERROR;
}
