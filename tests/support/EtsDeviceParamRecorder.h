#pragma once
// A TEtsDeviceParam for tests: it keeps every call in order, holds the values written (so a
// later Get answers them) and answers the device objects scripted per parameter value.

#include "morrow/EtsDeviceParam.h"

#include <map>
#include <ostream>
#include <utility>
#include <vector>

struct TDeviceParamCall {
    enum class TKind { Set, Get };
    TKind kind;
    std::int16_t number;
    std::int32_t value;    // Set: the value passed; Get: the value answered
    bool withList;         // the call took an object list

    bool operator==(const TDeviceParamCall&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TDeviceParamCall& call);

class TEtsDeviceParamRecorder : public TEtsDeviceParam {
public:
    explicit TEtsDeviceParamRecorder(std::int32_t deviceId = 1);

    int SetDeviceParamData(std::int16_t number, std::int32_t value) override;
    int GetDeviceParamData(std::int16_t number, std::int32_t& value) override;
    int SetDeviceParamData(std::int16_t number, std::int32_t value, std::vector<tagDAL_OBJECT_INFO>& objects) override;
    int GetDeviceParamData(std::int16_t number, std::int32_t& value, std::vector<tagDAL_OBJECT_INFO>& objects) override;

    // The result every call answers (ETS_PARAM_OK until set). A call that does not answer
    // ETS_PARAM_OK stores nothing.
    void SetResult(int result) { m_result = result; }
    // The value a Get answers for a parameter nothing was written to (0 until set).
    void SetValue(std::int16_t number, std::int32_t value) { m_values[number] = value; }
    // While the parameter holds the value, the list calls answer these objects.
    void ShowObjects(std::int16_t number, std::int32_t value, std::vector<tagDAL_OBJECT_INFO> objects)
    {
        m_shown[{number, value}] = std::move(objects);
    }

    const std::vector<TDeviceParamCall>& Calls() const { return m_calls; }
    // The Set calls only, as (number, value) in order.
    std::vector<std::pair<std::int16_t, std::int32_t>> Writes() const;
    void Clear() { m_calls.clear(); }

private:
    int Set(std::int16_t number, std::int32_t value, std::vector<tagDAL_OBJECT_INFO>* objects);
    int Get(std::int16_t number, std::int32_t& value, std::vector<tagDAL_OBJECT_INFO>* objects);
    void Shown(std::int16_t number, std::vector<tagDAL_OBJECT_INFO>* objects) const;

    int m_result = ETS_PARAM_OK;
    std::map<std::int16_t, std::int32_t> m_values;
    std::map<std::pair<std::int16_t, std::int32_t>, std::vector<tagDAL_OBJECT_INFO>> m_shown;
    std::vector<TDeviceParamCall> m_calls;
};
