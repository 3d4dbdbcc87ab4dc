#include "support/EtsDeviceParamRecorder.h"

std::ostream& operator<<(std::ostream& out, const TDeviceParamCall& call)
{
    return out << (call.kind == TDeviceParamCall::TKind::Set ? "Set(" : "Get(") << call.number << ", "
               << call.value << (call.withList ? ", list)" : ")");
}

TEtsDeviceParamRecorder::TEtsDeviceParamRecorder(std::int32_t deviceId)
    : TEtsDeviceParam(nullptr, deviceId)
{
}

int TEtsDeviceParamRecorder::SetDeviceParamData(std::int16_t number, std::int32_t value)
{
    return Set(number, value, nullptr);
}

int TEtsDeviceParamRecorder::GetDeviceParamData(std::int16_t number, std::int32_t& value)
{
    return Get(number, value, nullptr);
}

int TEtsDeviceParamRecorder::SetDeviceParamData(std::int16_t number, std::int32_t value,
                                                std::vector<tagDAL_OBJECT_INFO>& objects)
{
    return Set(number, value, &objects);
}

int TEtsDeviceParamRecorder::GetDeviceParamData(std::int16_t number, std::int32_t& value,
                                                std::vector<tagDAL_OBJECT_INFO>& objects)
{
    return Get(number, value, &objects);
}

std::vector<std::pair<std::int16_t, std::int32_t>> TEtsDeviceParamRecorder::Writes() const
{
    std::vector<std::pair<std::int16_t, std::int32_t>> writes;
    for (const auto& call : m_calls)
        if (call.kind == TDeviceParamCall::TKind::Set)
            writes.emplace_back(call.number, call.value);
    return writes;
}

int TEtsDeviceParamRecorder::Set(std::int16_t number, std::int32_t value, std::vector<tagDAL_OBJECT_INFO>* objects)
{
    m_calls.push_back({TDeviceParamCall::TKind::Set, number, value, objects != nullptr});
    if (objects)
        objects->clear();
    if (m_result != ETS_PARAM_OK)
        return m_result;
    m_values[number] = value;
    Shown(number, objects);
    return ETS_PARAM_OK;
}

int TEtsDeviceParamRecorder::Get(std::int16_t number, std::int32_t& value, std::vector<tagDAL_OBJECT_INFO>* objects)
{
    if (objects)
        objects->clear();
    const auto found = m_values.find(number);
    const std::int32_t held = found == m_values.end() ? 0 : found->second;
    m_calls.push_back({TDeviceParamCall::TKind::Get, number, held, objects != nullptr});
    if (m_result != ETS_PARAM_OK)
        return m_result;
    value = held;
    Shown(number, objects);
    return ETS_PARAM_OK;
}

void TEtsDeviceParamRecorder::Shown(std::int16_t number, std::vector<tagDAL_OBJECT_INFO>* objects) const
{
    if (!objects)
        return;
    const auto found = m_values.find(number);
    if (found == m_values.end())
        return;
    const auto shown = m_shown.find({number, found->second});
    if (shown != m_shown.end())
        *objects = shown->second;
}
