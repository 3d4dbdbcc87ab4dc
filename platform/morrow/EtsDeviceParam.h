#pragma once
// Access to one device's numbered parameters in the ETS project. The editor makes one per
// device instance and hands it to the configuration nodes (message UM_GetEtsDeviceParam);
// the nodes call it only through that pointer. Tests put TEtsDeviceParamRecorder in its
// place, which is why every operation is virtual.
//
// A parameter is addressed by its number in the device's product. Writing a parameter
// that shows communication objects makes the project show or hide the device objects that
// belong to the new value; the list variants hand back the device objects the parameter
// shows after the call.

#include "kestrin/Dal.h"

#include <cstdint>
#include <vector>

class TEts2Cdi;

// Results of the parameter calls.
constexpr int ETS_PARAM_OK = 0;              // done
constexpr int ETS_PARAM_NOT_FOUND = 1;       // no parameter of that number, or an object it shows is missing
constexpr int ETS_PARAM_OBJECT_ERROR = 2;    // the store refused the write; nothing changed
constexpr int ETS_PARAM_ERROR = 3;           // no project, or no such device

class TEtsDeviceParam {
public:
    // ets may be null: every call then answers ETS_PARAM_ERROR. Not owned.
    TEtsDeviceParam(TEts2Cdi* ets, std::int32_t deviceId);
    virtual ~TEtsDeviceParam();
    TEtsDeviceParam(const TEtsDeviceParam&) = delete;
    TEtsDeviceParam& operator=(const TEtsDeviceParam&) = delete;

    std::int32_t GetDeviceId() const { return m_deviceId; }

    // Stores the value (a 32-bit pattern, stored unchanged).
    virtual int SetDeviceParamData(std::int16_t number, std::int32_t value);
    // The stored value, or the product's default while the device has none.
    virtual int GetDeviceParamData(std::int16_t number, std::int32_t& value);
    // As above; objects is cleared and receives the device objects the parameter shows.
    virtual int SetDeviceParamData(std::int16_t number, std::int32_t value, std::vector<tagDAL_OBJECT_INFO>& objects);
    virtual int GetDeviceParamData(std::int16_t number, std::int32_t& value, std::vector<tagDAL_OBJECT_INFO>& objects);

private:
    TEts2Cdi* m_ets;
    std::int32_t m_deviceId;
};
