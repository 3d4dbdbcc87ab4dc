// The DAL reads of TEts2Cdi.
#include "kestrin/Ets2Cdi.h"

#include "kestrin/Ets2Cdi_p.h"

#include <string_view>

using namespace kestrin_detail;

namespace {

// A record's text field: a text that does not fit is an error of the store, never cut.
template <std::size_t N>
void Text(char (&field)[N], const std::string& text, const char* what)
{
    if (!CopyText(field, text))
        throw TSqlError(std::string("the text of ") + what + " does not fit its field");
}

std::int16_t Short(std::int64_t value)
{
    return static_cast<std::int16_t>(value);
}

std::int32_t Long(std::int64_t value)
{
    return static_cast<std::int32_t>(value);
}

} // namespace

// The ids of the records that match the keys, in the given order. Only the keys that apply
// go into the query (a statement per combination, each cached), so every read by key runs
// on the key column's index instead of testing "-1 or equal" on every row.
std::vector<std::int32_t> TEts2Cdi::DalIds(const char* select, std::initializer_list<const char*> columns,
                                           const char* order, std::initializer_list<std::int32_t> keys)
{
    std::string sql = select;
    std::vector<std::int32_t> bound;
    auto column = columns.begin();
    for (const std::int32_t key : keys) {
        if (key != DAL_NO_KEY) {
            sql += bound.empty() ? " WHERE " : " AND ";
            // A column text with "?" is a condition of its own that takes the key there.
            const std::string_view text = *column;
            if (const auto mark = text.find('?'); mark != std::string_view::npos) {
                sql += text.substr(0, mark + 1);
                sql += std::to_string(bound.size() + 1);
                sql += text.substr(mark + 1);
            } else {
                sql += text;
                sql += " = ?" + std::to_string(bound.size() + 1);
            }
            bound.push_back(key);
        }
        ++column;
    }
    sql += " ORDER BY ";
    sql += order;
    TStatement ids(Cache(), sql);
    for (std::size_t i = 0; i < bound.size(); ++i)
        ids.Bind(static_cast<int>(i + 1), bound[i]);
    std::vector<std::int32_t> result;
    while (ids.Step())
        result.push_back(Long(ids.Int(0)));
    return result;
}

// Common frame of every DAL read. fill(id, record) fills a fresh record for that id and
// answers false when the record is gone (deleted since the walk began): the walk skips it.
template <typename Record, typename Fill>
int TEts2Cdi::DalRead(const char* call, TDalKind kind, int mode, Record* record, std::uint16_t size,
                      const char* select, std::initializer_list<const char*> columns, const char* order,
                      std::initializer_list<std::int32_t> keys, Fill fill)
{
    TCursor& cursor = m_cursors[kind];
    const auto error = [&](const std::string& reason) {
        // An error ends the walk: the next mode 2 answers DAL_END.
        if (mode != DAL_MODE_KEY)
            cursor = TCursor{};
        Fail(call, reason);
        return DAL_ERR;
    };
    // An ended walk stays ended, whatever else is wrong: a caller looping until DAL_END stops.
    if (mode == DAL_MODE_NEXT && !cursor.active)
        return DAL_END;
    if (!m_db)
        return error("no project store is open");
    if (!record)
        return error("no record");
    if (record->Size != size)
        return error("size word " + std::to_string(record->Size) + ", expected " + std::to_string(size));
    if (mode != DAL_MODE_FIRST && mode != DAL_MODE_NEXT && mode != DAL_MODE_KEY)
        return error("unknown mode " + std::to_string(mode));

    const auto deliver = [&](std::int32_t id) {
        Record result;
        if (!fill(id, result))
            return false;
        *record = result;
        return true;
    };
    try {
        if (mode == DAL_MODE_KEY) {
            bool anyKey = false;
            for (auto key : keys)
                anyKey = anyKey || key != DAL_NO_KEY;
            if (!anyKey)
                return error("mode 3 without a key");
            for (auto id : DalIds(select, columns, order, keys))
                if (deliver(id))
                    return DAL_OK;
            return DAL_END;
        }
        if (mode == DAL_MODE_FIRST)
            cursor = TCursor{DalIds(select, columns, order, keys), 0, true};
        while (cursor.active && cursor.next < cursor.ids.size())
            if (deliver(cursor.ids[cursor.next++]))
                return DAL_OK;
        cursor = TCursor{};
        return DAL_END;
    } catch (const TSqlError& e) {
        const int result = error(e.what());
        NoteRefusal(e);
        return result;
    }
}

int TEts2Cdi::DalGetDeviceData(int mode, std::int32_t deviceId, std::int32_t lineId, std::int32_t areaId,
                               std::int32_t projectId, std::int32_t productId, DAL_DEVICE* record)
{
    return DalRead("DalGetDeviceData", kDevice, mode, record, DAL_DEVICE_SIZE,
                   "SELECT d.id FROM device d JOIN line l ON l.id = d.line_id JOIN area a ON a.id = l.area_id",
                   {"d.id", "d.line_id", "l.area_id", "a.project_id", "d.product_id"}, "d.id",
                   {deviceId, lineId, areaId, projectId, productId}, [this](std::int32_t id, DAL_DEVICE& r) {
                       TStatement row(Cache(), "SELECT d.line_id, d.product_id, a.project_id, d.number, p.name, d.name, "
                                            "p.module_name, d.description FROM device d "
                                            "JOIN line l ON l.id = d.line_id JOIN area a ON a.id = l.area_id "
                                            "JOIN product p ON p.id = d.product_id WHERE d.id = ?");
                       row.Bind(1, id);
                       if (!row.Step())
                           return false;
                       r.DeviceId = id;
                       r.LineId = Long(row.Int(0));
                       r.ProductId = Long(row.Int(1));
                       r.ProjectId = Long(row.Int(2));
                       r.DeviceNumber = Long(row.Int(3));
                       Text(r.ProductName, row.Text(4), "a product name");
                       Text(r.DeviceName, row.Text(5), "a device name");
                       Text(r.ModuleName, row.Text(6), "a module name");
                       Text(r.Description, row.Text(7), "a device description");
                       return true;
                   });
}

int TEts2Cdi::DalGetDeviceObjectData(int mode, std::int32_t deviceObjectId, std::int32_t deviceId,
                                     DAL_DEVICE_OBJECT* record)
{
    return DalRead("DalGetDeviceObjectData", kDeviceObject, mode, record, DAL_DEVICE_OBJECT_SIZE,
                   "SELECT id FROM device_object", {"id", "device_id"}, "id", {deviceObjectId, deviceId}, [this](std::int32_t id, DAL_DEVICE_OBJECT& r) {
                       TStatement row(Cache(), "SELECT o.device_id, o.read_flag, o.write_flag, o.comm_flag, "
                                            "o.transmit_flag, o.update_flag, o.visible, c.id, c.number, "
                                            "c.object_type, c.name, c.function FROM device_object o "
                                            "JOIN comm_object c ON c.id = o.comm_object_id WHERE o.id = ?");
                       row.Bind(1, id);
                       if (!row.Step())
                           return false;
                       r.DeviceObjectId = id;
                       r.DeviceId = Long(row.Int(0));
                       r.ReadFlag = Short(row.Int(1));
                       r.WriteFlag = Short(row.Int(2));
                       r.CommFlag = Short(row.Int(3));
                       r.TransmitFlag = Short(row.Int(4));
                       r.UpdateFlag = Short(row.Int(5));
                       r.Visible = Short(row.Int(6));
                       r.CommObjectId = Long(row.Int(7));
                       r.ObjectNumber = Short(row.Int(8));
                       r.ObjectType = Short(row.Int(9));
                       Text(r.Name, row.Text(10), "an object name");
                       Text(r.Function, row.Text(11), "an object function");
                       return true;
                   });
}

int TEts2Cdi::DalGetCommunicationObjectData(int mode, std::int32_t commObjectId, std::int32_t parameterKey,
                                            std::int32_t productId, DAL_COMM_OBJECT* record)
{
    return DalRead("DalGetCommunicationObjectData", kCommObject, mode, record, DAL_COMM_OBJECT_SIZE,
                   "SELECT c.id FROM comm_object c",
                   {"c.id", "c.id IN (SELECT comm_object_id FROM parameter_shows WHERE parameter_id = ?)",
                    "c.product_id"},
                   "c.id", {commObjectId, parameterKey, productId}, [this](std::int32_t id, DAL_COMM_OBJECT& r) {
                       TStatement row(Cache(), "SELECT c.product_id, c.number, c.object_type, c.name, c.function, "
                                            "coalesce((SELECT min(s.parameter_id) FROM parameter_shows s "
                                            "WHERE s.comm_object_id = c.id), 0) FROM comm_object c WHERE c.id = ?");
                       row.Bind(1, id);
                       if (!row.Step())
                           return false;
                       r.CommObjectId = id;
                       r.ProductId = Long(row.Int(0));
                       r.ObjectNumber = Short(row.Int(1));
                       r.ObjectType = Short(row.Int(2));
                       Text(r.Name, row.Text(3), "an object name");
                       Text(r.Function, row.Text(4), "an object function");
                       r.ParameterKey = Long(row.Int(5));
                       return true;
                   });
}

int TEts2Cdi::DalGetSubgroupToObjectData(int mode, std::int32_t linkId, std::int32_t subGroupId,
                                         std::int32_t deviceObjectId, DAL_SUB_TO_OBJECT* record)
{
    return DalRead("DalGetSubgroupToObjectData", kSubToObject, mode, record, DAL_SUB_TO_OBJECT_SIZE,
                   "SELECT id FROM sub_to_object", {"id", "sub_group_id", "device_object_id"}, "id",
                   {linkId, subGroupId, deviceObjectId}, [this](std::int32_t id, DAL_SUB_TO_OBJECT& r) {
                       TStatement row(Cache(), "SELECT sub_group_id, device_object_id, send_flag FROM sub_to_object "
                                            "WHERE id = ?");
                       row.Bind(1, id);
                       if (!row.Step())
                           return false;
                       r.LinkId = id;
                       r.SubGroupId = Long(row.Int(0));
                       r.DeviceObjectId = Long(row.Int(1));
                       r.SendFlag = Long(row.Int(2));
                       return true;
                   });
}

int TEts2Cdi::DalGetDeviceParamData(int mode, std::int32_t deviceParamId, std::int32_t deviceId,
                                    DAL_DEVICE_PARAM* record)
{
    return DalRead("DalGetDeviceParamData", kDeviceParam, mode, record, DAL_DEVICE_PARAM_SIZE,
                   "SELECT id FROM device_param", {"id", "device_id"}, "id", {deviceParamId, deviceId}, [this](std::int32_t id, DAL_DEVICE_PARAM& r) {
                       TStatement row(Cache(), "SELECT device_id, parameter_id, value FROM device_param WHERE id = ?");
                       row.Bind(1, id);
                       if (!row.Step())
                           return false;
                       r.DeviceParamId = id;
                       r.DeviceId = Long(row.Int(0));
                       r.ParameterId = Long(row.Int(1));
                       // Communication objects name the parameter that shows them by its id.
                       r.CommObjectKey = r.ParameterId;
                       r.Value = Long(row.Int(2));
                       return true;
                   });
}

int TEts2Cdi::DalGetParameterData(int mode, std::int32_t parameterId, std::int32_t productId, std::int32_t number,
                                  DAL_PARAMETER* record)
{
    return DalRead("DalGetParameterData", kParameter, mode, record, DAL_PARAMETER_SIZE,
                   "SELECT id FROM parameter", {"id", "product_id", "number"}, "id",
                   {parameterId, productId, number}, [this](std::int32_t id, DAL_PARAMETER& r) {
                       TStatement row(Cache(), "SELECT product_id, number, name, default_value FROM parameter "
                                            "WHERE id = ?");
                       row.Bind(1, id);
                       if (!row.Step())
                           return false;
                       r.ParameterId = id;
                       r.ProductId = Long(row.Int(0));
                       r.Number = Short(row.Int(1));
                       Text(r.Name, row.Text(2), "a parameter name");
                       r.DefaultValue = Long(row.Int(3));
                       return true;
                   });
}

int TEts2Cdi::DalGetLineData(int mode, std::int32_t lineId, std::int32_t areaId, DAL_LINE* record)
{
    return DalRead("DalGetLineData", kLine, mode, record, DAL_LINE_SIZE, "SELECT id FROM line",
                   {"id", "area_id"}, "id", {lineId, areaId},
                   [this](std::int32_t id, DAL_LINE& r) {
                       TStatement row(Cache(), "SELECT area_id, number, name, description FROM line WHERE id = ?");
                       row.Bind(1, id);
                       if (!row.Step())
                           return false;
                       r.LineId = id;
                       r.AreaId = Long(row.Int(0));
                       r.LineNumber = Long(row.Int(1));
                       Text(r.Name, row.Text(2), "a line name");
                       Text(r.Description, row.Text(3), "a line description");
                       return true;
                   });
}

int TEts2Cdi::DalGetAreaData(int mode, std::int32_t areaId, std::int32_t projectId, DAL_AREA* record)
{
    return DalRead("DalGetAreaData", kArea, mode, record, DAL_AREA_SIZE, "SELECT id FROM area",
                   {"id", "project_id"}, "id", {areaId, projectId},
                   [this](std::int32_t id, DAL_AREA& r) {
                       TStatement row(Cache(), "SELECT project_id, number, name, description FROM area WHERE id = ?");
                       row.Bind(1, id);
                       if (!row.Step())
                           return false;
                       r.AreaId = id;
                       r.ProjectId = Long(row.Int(0));
                       r.AreaNumber = Short(row.Int(1));
                       Text(r.Name, row.Text(2), "an area name");
                       Text(r.Description, row.Text(3), "an area description");
                       return true;
                   });
}

int TEts2Cdi::DalGetProjectData(int mode, std::int32_t projectId, DAL_PROJECT* record)
{
    return DalRead("DalGetProjectData", kProject, mode, record, DAL_PROJECT_SIZE, "SELECT id FROM project",
                   {"id"}, "id", {projectId},
                   [this](std::int32_t id, DAL_PROJECT& r) {
                       TStatement row(Cache(), "SELECT name, description FROM project WHERE id = ?");
                       row.Bind(1, id);
                       if (!row.Step())
                           return false;
                       r.ProjectId = id;
                       Text(r.Name, row.Text(0), "a project name");
                       Text(r.Description, row.Text(1), "a project description");
                       return true;
                   });
}
