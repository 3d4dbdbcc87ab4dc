#pragma once
// The records of the ETS project reads (DalGet*Data of TEts2Cdi) and the object entries of
// the device-parameter calls.
//
// Every DAL record begins with a 16-bit size word that the caller sets before each read; a
// read with any other size word answers DAL_ERR and writes nothing. The records are packed:
// the calling code reads some fields at fixed byte offsets, and those offsets are checked
// below. Fields not read by offset are named and placed as we see fit. Texts are UTF-8 and
// zero-terminated; a text that does not fit its field is refused by the store (its schema
// limits every text), never cut.
//
// Windows `long` is 32 bits: every id and value is int32_t.
//
// Packed fields may be misaligned: read them by value (a copy, or `+record.Field`), never
// bind a reference to one (std::min, gtest's EXPECT_EQ and push_back take references).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// A text field of a DAL record: up to its terminator, and never beyond the field when the
// terminator is missing.
template <std::size_t N> std::string DalText(const char (&feld)[N])
{
    return std::string(feld, strnlen(feld, N));
}

// Results of the DAL reads. Any other value is unexpected for the callers.
constexpr int DAL_OK = 0;
constexpr int DAL_END = 4;
constexpr int DAL_ERR = 5;

// Read modes.
constexpr int DAL_MODE_FIRST = 1;
constexpr int DAL_MODE_NEXT = 2;
constexpr int DAL_MODE_KEY = 3;

// A key argument that does not apply.
constexpr std::int32_t DAL_NO_KEY = -1;

// The size words the callers set.
constexpr std::uint16_t DAL_DEVICE_SIZE = 2436;
constexpr std::uint16_t DAL_DEVICE_OBJECT_SIZE = 2138;
constexpr std::uint16_t DAL_COMM_OBJECT_SIZE = 400;
constexpr std::uint16_t DAL_PROJECT_SIZE = 840;
constexpr std::uint16_t DAL_LINE_SIZE = 394;
constexpr std::uint16_t DAL_AREA_SIZE = 386;
constexpr std::uint16_t DAL_SUB_TO_OBJECT_SIZE = 18;
constexpr std::uint16_t DAL_DEVICE_PARAM_SIZE = 22;
constexpr std::uint16_t DAL_PARAMETER_SIZE = 272;

#pragma pack(push, 1)

// A device of the project. Keys of DalGetDeviceData: device id, line id, area id,
// project id, product id.
struct DAL_DEVICE {
    std::uint16_t Size = DAL_DEVICE_SIZE;
    std::int32_t DeviceId = 0;           // 2
    std::int32_t LineId = 0;             // 6
    std::int32_t ProductId = 0;          // 10
    std::int32_t ProjectId = 0;          // 14
    char Reserved1[12] = {};             // 18
    std::int32_t DeviceNumber = 0;       // 30: device part of the physical address, 0-255
    char ProductName[164] = {};          // 34: identifies the device's kind (its product)
    char DeviceName[256] = {};           // 198: the name the user gave the device
    char ModuleName[64] = {};            // 454: the plug-in module the product belongs to
    char Description[1918] = {};         // 518
};

// A communication object of a device (a device object). Keys of DalGetDeviceObjectData:
// device object id, device id. The flags are 0 or 1.
struct DAL_DEVICE_OBJECT {
    std::uint16_t Size = DAL_DEVICE_OBJECT_SIZE;
    std::int32_t DeviceId = 0;           // 2
    std::int16_t Reserved1 = 0;          // 6
    std::int16_t ReadFlag = 0;           // 8
    std::int16_t WriteFlag = 0;          // 10
    std::int16_t CommFlag = 0;           // 12
    std::int16_t TransmitFlag = 0;       // 14
    char Name[1004] = {};                // 16: the object's name
    std::int32_t CommObjectId = 0;       // 1020: the product's communication object
    std::int16_t ObjectNumber = 0;       // 1024
    std::int16_t ObjectType = 0;         // 1026: size code 0 "1 Bit" .. 15 "VARDATA"
    char Function[1000] = {};            // 1028: the object's function text
    std::int16_t Visible = 0;            // 2028: 1 while the device's parameters show it, else 0
    std::int32_t DeviceObjectId = 0;     // 2030
    char Reserved2[96] = {};             // 2034
    std::int16_t UpdateFlag = 0;         // 2130
    char Reserved3[6] = {};              // 2132
};

// A communication object of a product. Keys of DalGetCommunicationObjectData:
// communication object id, parameter key (the parameter that shows it), product id.
struct DAL_COMM_OBJECT {
    std::uint16_t Size = DAL_COMM_OBJECT_SIZE;
    std::int32_t CommObjectId = 0;       // 2
    char Name[100] = {};                 // 6
    char Function[100] = {};             // 106
    std::int32_t ProductId = 0;          // 206
    std::int32_t ParameterKey = 0;       // 210: the parameter whose values show the object; 0 = always shown
    std::int16_t ObjectNumber = 0;       // 214
    std::int16_t ObjectType = 0;         // 216
    char Reserved1[182] = {};            // 218
};

// A project. Key of DalGetProjectData: project id.
struct DAL_PROJECT {
    std::uint16_t Size = DAL_PROJECT_SIZE;
    std::int32_t ProjectId = 0;          // 2
    char Reserved1[12] = {};             // 6
    char Name[256] = {};                 // 18
    char Description[566] = {};          // 274
};

// A line. Keys of DalGetLineData: line id, area id.
struct DAL_LINE {
    std::uint16_t Size = DAL_LINE_SIZE;
    std::int32_t LineId = 0;             // 2
    std::int32_t AreaId = 0;             // 6
    char Name[100] = {};                 // 10
    std::int32_t LineNumber = 0;         // 110: 0-15
    char Description[280] = {};          // 114
};

// An area. Keys of DalGetAreaData: area id, project id.
struct DAL_AREA {
    std::uint16_t Size = DAL_AREA_SIZE;
    std::int32_t AreaId = 0;             // 2
    std::int32_t ProjectId = 0;          // 6
    char Name[100] = {};                 // 10
    std::int16_t AreaNumber = 0;         // 110: 0-15
    char Description[274] = {};          // 112
};

// A link of a sub group (group address) to a device object. Keys of
// DalGetSubgroupToObjectData: link id, sub-group id, device object id.
struct DAL_SUB_TO_OBJECT {
    std::uint16_t Size = DAL_SUB_TO_OBJECT_SIZE;
    std::int32_t LinkId = 0;             // 2
    std::int32_t SubGroupId = 0;         // 6
    std::int32_t DeviceObjectId = 0;     // 10
    std::int32_t SendFlag = 0;           // 14: 1 = the object sends on this group address
};

// The value of one parameter for one device. Keys of DalGetDeviceParamData: device
// parameter id, device id.
struct DAL_DEVICE_PARAM {
    std::uint16_t Size = DAL_DEVICE_PARAM_SIZE;
    std::int32_t DeviceId = 0;           // 2
    std::int32_t DeviceParamId = 0;      // 6
    std::int32_t ParameterId = 0;        // 10: the product parameter
    std::int32_t CommObjectKey = 0;      // 14: the key communication objects name this parameter by (DAL_COMM_OBJECT::ParameterKey)
    std::int32_t Value = 0;              // 18
};

// A product parameter. Keys of DalGetParameterData: parameter id, product id, number.
struct DAL_PARAMETER {
    std::uint16_t Size = DAL_PARAMETER_SIZE;
    std::int32_t ParameterId = 0;        // 2
    std::int32_t ProductId = 0;          // 6
    std::int16_t Number = 0;             // 10: the number the plug-in addresses it by
    char Name[256] = {};                 // 12
    std::int32_t DefaultValue = 0;       // 268
};

#pragma pack(pop)

static_assert(sizeof(DAL_DEVICE) == DAL_DEVICE_SIZE);
static_assert(offsetof(DAL_DEVICE, DeviceId) == 2 && offsetof(DAL_DEVICE, LineId) == 6
              && offsetof(DAL_DEVICE, ProjectId) == 14 && offsetof(DAL_DEVICE, DeviceNumber) == 30
              && offsetof(DAL_DEVICE, ProductName) == 34 && offsetof(DAL_DEVICE, DeviceName) == 198);
static_assert(sizeof(DAL_DEVICE_OBJECT) == DAL_DEVICE_OBJECT_SIZE);
static_assert(offsetof(DAL_DEVICE_OBJECT, DeviceId) == 2 && offsetof(DAL_DEVICE_OBJECT, ReadFlag) == 8
              && offsetof(DAL_DEVICE_OBJECT, WriteFlag) == 10 && offsetof(DAL_DEVICE_OBJECT, CommFlag) == 12
              && offsetof(DAL_DEVICE_OBJECT, TransmitFlag) == 14 && offsetof(DAL_DEVICE_OBJECT, Name) == 16
              && offsetof(DAL_DEVICE_OBJECT, CommObjectId) == 1020
              && offsetof(DAL_DEVICE_OBJECT, ObjectNumber) == 1024
              && offsetof(DAL_DEVICE_OBJECT, ObjectType) == 1026 && offsetof(DAL_DEVICE_OBJECT, Function) == 1028
              && offsetof(DAL_DEVICE_OBJECT, Visible) == 2028 && offsetof(DAL_DEVICE_OBJECT, UpdateFlag) == 2130);
static_assert(sizeof(DAL_COMM_OBJECT) == DAL_COMM_OBJECT_SIZE);
static_assert(offsetof(DAL_COMM_OBJECT, Name) == 6 && offsetof(DAL_COMM_OBJECT, Function) == 106);
static_assert(sizeof(DAL_PROJECT) == DAL_PROJECT_SIZE && offsetof(DAL_PROJECT, Name) == 18);
static_assert(sizeof(DAL_LINE) == DAL_LINE_SIZE && offsetof(DAL_LINE, AreaId) == 6
              && offsetof(DAL_LINE, LineNumber) == 110);
static_assert(sizeof(DAL_AREA) == DAL_AREA_SIZE && offsetof(DAL_AREA, AreaNumber) == 110);
static_assert(sizeof(DAL_SUB_TO_OBJECT) == DAL_SUB_TO_OBJECT_SIZE && offsetof(DAL_SUB_TO_OBJECT, LinkId) == 2
              && offsetof(DAL_SUB_TO_OBJECT, SubGroupId) == 6 && offsetof(DAL_SUB_TO_OBJECT, DeviceObjectId) == 10);
static_assert(sizeof(DAL_DEVICE_PARAM) == DAL_DEVICE_PARAM_SIZE && offsetof(DAL_DEVICE_PARAM, DeviceParamId) == 6
              && offsetof(DAL_DEVICE_PARAM, ParameterId) == 10 && offsetof(DAL_DEVICE_PARAM, Value) == 18);
static_assert(sizeof(DAL_PARAMETER) == DAL_PARAMETER_SIZE && offsetof(DAL_PARAMETER, Name) == 12);

// One device object that a device parameter shows (the device-parameter calls of
// TEtsDeviceParam fill a list of these): what the editor needs to make its own object.
struct tagDAL_OBJECT_INFO {
    std::string Name;                    // the object's name
    std::string Text;                    // its function text, shown in brackets when not empty
    std::int32_t ObjectId = 0;           // the product's communication object
    std::int32_t DeviceObjectId = 0;
    std::int32_t ObjectNumber = 0;
    std::int32_t EtsValue = 0;           // the parameter value that shows the object
    std::int8_t ObjectKind = 0;          // kind of object as the product declares it
    std::int16_t ObjectType = 0;         // size code 0-15
    std::int32_t IoType = 0;             // IoTyp as the product declares it
    bool operator==(const tagDAL_OBJECT_INFO&) const = default;
};
