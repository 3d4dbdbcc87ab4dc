// Links, flags, device parameters and the group-address tree of TEts2Cdi.
#include "kestrin/Ets2Cdi.h"

#include "kestrin/Ets2Cdi_p.h"

#include <optional>

using namespace kestrin_detail;

namespace {

constexpr int kParamOk = 0;
constexpr int kParamNotFound = 1;
constexpr int kParamStoreError = 2;
constexpr int kParamNoDevice = 3;

// A sub group that lost its last link is free again: its type came from the objects.
void FreeIfUnlinked(TStatementCache& db, std::int64_t subGroupId)
{
    TStatement(db, "UPDATE sub_group SET object_type = -1 WHERE id = ? AND object_type <> -1 "
                   "AND NOT EXISTS (SELECT 1 FROM sub_to_object t WHERE t.sub_group_id = sub_group.id)")
        .Bind(1, subGroupId)
        .Run();
}

// The project a device belongs to; 0 for an unknown device.
std::int32_t ProjectOfDevice(TStatementCache& db, std::int32_t deviceId)
{
    TStatement row(db, "SELECT a.project_id FROM device d JOIN line l ON l.id = d.line_id "
                       "JOIN area a ON a.id = l.area_id WHERE d.id = ?");
    row.Bind(1, deviceId);
    return row.Step() ? static_cast<std::int32_t>(row.Int(0)) : 0;
}

} // namespace

// ---- Links ---------------------------------------------------------------------------------

int TEts2Cdi::CoLinkObjectToSubGroup(std::int32_t deviceObjectId, std::int32_t subGroupId, std::int16_t position,
                                     bool, bool, bool)
{
    const char* call = "CoLinkObjectToSubGroup";
    if (!m_db)
        return Fail(call, "no project store is open"), -1;
    try {
        TTransaction transaction(Cache());
        TStatement object(Cache(), "SELECT o.visible, c.object_type FROM device_object o "
                                "JOIN comm_object c ON c.id = o.comm_object_id WHERE o.id = ?");
        object.Bind(1, deviceObjectId);
        if (!object.Step())
            return Fail(call, "no device object " + std::to_string(deviceObjectId)), -1;
        if (object.Int(0) == 0)
            return Fail(call, "device object " + std::to_string(deviceObjectId) + " is hidden"), -1;
        const std::int64_t objectType = object.Int(1);

        TStatement sub(Cache(), "SELECT object_type FROM sub_group WHERE id = ?");
        sub.Bind(1, subGroupId);
        if (!sub.Step())
            return Fail(call, "no sub group " + std::to_string(subGroupId)), -1;
        const std::int64_t subType = sub.Int(0);
        if (subType != -1 && subType != objectType)
            return Fail(call, "sub group " + std::to_string(subGroupId) + " carries type " + std::to_string(subType)
                                  + ", the object type " + std::to_string(objectType)),
                   -2;

        TStatement links(Cache(), "SELECT count(*), count(CASE WHEN sub_group_id = ?2 THEN 1 END) "
                               "FROM sub_to_object WHERE device_object_id = ?1");
        links.Bind(1, deviceObjectId).Bind(2, subGroupId);
        links.Step();
        if (links.Int(1) != 0)
            return Fail(call, "the object is linked to that sub group already"), -1;
        const bool sends = position == 1 || links.Int(0) == 0;
        if (sends) {
            TStatement clear(Cache(), "UPDATE sub_to_object SET send_flag = 0 WHERE device_object_id = ?");
            clear.Bind(1, deviceObjectId).Run();
        }
        TStatement insert(Cache(), "INSERT INTO sub_to_object (sub_group_id, device_object_id, send_flag) "
                                "VALUES (?, ?, ?)");
        insert.Bind(1, subGroupId).Bind(2, deviceObjectId).Bind(3, sends ? 1 : 0).Run();
        const auto linkId = static_cast<std::int32_t>(sqlite3_last_insert_rowid(m_db));
        if (subType == -1) {
            TStatement type(Cache(), "UPDATE sub_group SET object_type = ? WHERE id = ?");
            type.Bind(1, objectType).Bind(2, subGroupId).Run();
        }
        transaction.Commit();
        return linkId;
    } catch (const TSqlError& e) {
        return Fail(call, e), -1;
    }
}

bool TEts2Cdi::CoUnlinkObjectFromSubGroup(std::int32_t deviceObjectId, std::int32_t subGroupId, bool)
{
    const char* call = "CoUnlinkObjectFromSubGroup";
    if (!m_db)
        return Fail(call, "no project store is open");
    try {
        TTransaction transaction(Cache());
        TStatement remove(Cache(), "DELETE FROM sub_to_object WHERE device_object_id = ? AND sub_group_id = ?");
        remove.Bind(1, deviceObjectId).Bind(2, subGroupId).Run();
        if (sqlite3_changes(m_db) == 0)
            return Fail(call, "no such link");
        FreeIfUnlinked(Cache(), subGroupId);
        transaction.Commit();
        return true;
    } catch (const TSqlError& e) {
        return Fail(call, e);
    }
}

// ---- Flags ---------------------------------------------------------------------------------

int TEts2Cdi::SetObjectFlag(const char* call, const char* column, std::int32_t deviceObjectId, bool on)
{
    if (!m_db)
        return Fail(call, "no project store is open"), 0;
    try {
        TTransaction transaction(Cache());
        TStatement object(Cache(), "SELECT visible FROM device_object WHERE id = ?");
        object.Bind(1, deviceObjectId);
        if (!object.Step())
            return Fail(call, "no device object " + std::to_string(deviceObjectId)), 0;
        if (object.Int(0) == 0)
            return Fail(call, "device object " + std::to_string(deviceObjectId) + " is hidden"), 2;
        TStatement update(Cache(), std::string("UPDATE device_object SET ") + column + " = ? WHERE id = ?");
        update.Bind(1, on ? 1 : 0).Bind(2, deviceObjectId).Run();
        transaction.Commit();
        return 1;
    } catch (const TSqlError& e) {
        return Fail(call, e), 0;
    }
}

int TEts2Cdi::SqlSetDeviceObjectCommFlag(std::int32_t deviceObjectId, bool on)
{
    return SetObjectFlag("SqlSetDeviceObjectCommFlag", "comm_flag", deviceObjectId, on);
}

int TEts2Cdi::SqlSetDeviceObjectReadFlag(std::int32_t deviceObjectId, bool on)
{
    return SetObjectFlag("SqlSetDeviceObjectReadFlag", "read_flag", deviceObjectId, on);
}

int TEts2Cdi::SqlSetDeviceObjectWriteFlag(std::int32_t deviceObjectId, bool on)
{
    return SetObjectFlag("SqlSetDeviceObjectWriteFlag", "write_flag", deviceObjectId, on);
}

int TEts2Cdi::SqlSetDeviceObjectTransFlag(std::int32_t deviceObjectId, bool on)
{
    return SetObjectFlag("SqlSetDeviceObjectTransFlag", "transmit_flag", deviceObjectId, on);
}

int TEts2Cdi::SqlSetDeviceObjectUpdateFlag(std::int32_t deviceObjectId, bool on)
{
    return SetObjectFlag("SqlSetDeviceObjectUpdateFlag", "update_flag", deviceObjectId, on);
}

int TEts2Cdi::SqlSetSubGroupToObjectSendFlag(std::int32_t linkId, bool on)
{
    const char* call = "SqlSetSubGroupToObjectSendFlag";
    if (!m_db)
        return Fail(call, "no project store is open"), 0;
    try {
        TTransaction transaction(Cache());
        TStatement link(Cache(), "SELECT t.device_object_id, o.visible FROM sub_to_object t "
                              "JOIN device_object o ON o.id = t.device_object_id WHERE t.id = ?");
        link.Bind(1, linkId);
        if (!link.Step())
            return Fail(call, "no link " + std::to_string(linkId)), 0;
        if (link.Int(1) == 0)
            return Fail(call, "the object of link " + std::to_string(linkId) + " is hidden"), 2;
        if (on) {
            TStatement clear(Cache(), "UPDATE sub_to_object SET send_flag = 0 WHERE device_object_id = ?");
            clear.Bind(1, link.Int(0)).Run();
        }
        TStatement update(Cache(), "UPDATE sub_to_object SET send_flag = ? WHERE id = ?");
        update.Bind(1, on ? 1 : 0).Bind(2, linkId).Run();
        transaction.Commit();
        return 1;
    } catch (const TSqlError& e) {
        return Fail(call, e), 0;
    }
}

// ---- Device parameters ------------------------------------------------------------------------

// Inside the caller's transaction: stores the value and makes the device objects that the
// parameter controls visible exactly when the new value shows them. A hidden object loses
// its links.
void TEts2Cdi::WriteParameter(std::int32_t deviceId, std::int32_t parameterId, std::int32_t value, bool& shownChanged,
                              int showsObjects)
{
    TStatement write(Cache(), "INSERT INTO device_param (device_id, parameter_id, value) VALUES (?, ?, ?) "
                           "ON CONFLICT (device_id, parameter_id) DO UPDATE SET value = excluded.value");
    write.Bind(1, deviceId).Bind(2, parameterId).Bind(3, value).Run();

    // Most parameters show nothing: no object to look at.
    shownChanged = false;
    if (showsObjects < 0) {
        TStatement shows(Cache(), "SELECT EXISTS (SELECT 1 FROM parameter_shows WHERE parameter_id = ?)");
        shows.Bind(1, parameterId);
        showsObjects = shows.Step() && shows.Int(0) != 0;
    }
    if (showsObjects == 0)
        return;
    // Only the objects the parameter controls are looked at (through the device's index).
    TStatement visible(Cache(),
                       "UPDATE device_object SET visible = 1 - visible WHERE device_id = ?1 AND comm_object_id IN "
                       "(SELECT comm_object_id FROM parameter_shows WHERE parameter_id = ?2) AND visible <> EXISTS "
                       "(SELECT 1 FROM parameter_shows s WHERE s.parameter_id = ?2 AND s.value = ?3 "
                       "AND s.comm_object_id = device_object.comm_object_id)");
    visible.Bind(1, deviceId).Bind(2, parameterId).Bind(3, value).Run();
    shownChanged = sqlite3_changes(m_db) > 0;
    if (shownChanged) {
        std::vector<std::int64_t> subGroups;
        TStatement linked(Cache(), "DELETE FROM sub_to_object WHERE device_object_id IN "
                                   "(SELECT id FROM device_object WHERE device_id = ? AND visible = 0) "
                                   "RETURNING sub_group_id");
        linked.Bind(1, deviceId);
        while (linked.Step())
            subGroups.push_back(linked.Int(0));
        for (const std::int64_t subGroup : subGroups)
            FreeIfUnlinked(Cache(), subGroup);
    }
}

// The device objects the parameter's present value shows.
void TEts2Cdi::ShownObjects(std::int32_t deviceId, std::int32_t parameterId, std::vector<tagDAL_OBJECT_INFO>& objects)
{
    TStatement rows(Cache(),
                    "SELECT c.name, c.function, c.id, o.id, c.number, s.value, c.kind, c.object_type, c.io_type "
                    "FROM parameter_shows s JOIN comm_object c ON c.id = s.comm_object_id "
                    "JOIN device_object o ON o.comm_object_id = c.id AND o.device_id = ?1 "
                    "WHERE s.parameter_id = ?2 AND o.visible = 1 AND s.value = coalesce("
                    "(SELECT value FROM device_param WHERE device_id = ?1 AND parameter_id = ?2), "
                    "(SELECT default_value FROM parameter WHERE id = ?2)) ORDER BY c.number, o.id");
    rows.Bind(1, deviceId).Bind(2, parameterId);
    objects.clear();
    while (rows.Step()) {
        tagDAL_OBJECT_INFO info;
        info.Name = rows.Text(0);
        info.Text = rows.Text(1);
        info.ObjectId = static_cast<std::int32_t>(rows.Int(2));
        info.DeviceObjectId = static_cast<std::int32_t>(rows.Int(3));
        info.ObjectNumber = static_cast<std::int32_t>(rows.Int(4));
        info.EtsValue = static_cast<std::int32_t>(rows.Int(5));
        info.ObjectKind = static_cast<std::int8_t>(rows.Int(6));
        info.ObjectType = static_cast<std::int16_t>(rows.Int(7));
        info.IoType = static_cast<std::int32_t>(rows.Int(8));
        objects.push_back(std::move(info));
    }
}

namespace {

// The parameter of that number in the device's product: its id (0 = none); product 0 = no device.
struct TParameterOfDevice {
    std::int32_t productId = 0;
    std::int32_t parameterId = 0;
    std::int32_t value = 0;         // the device's value, else the default
    bool showsObjects = false;      // some value of it shows communication objects
};

TParameterOfDevice FindParameter(TStatementCache& db, std::int32_t deviceId, std::int16_t number)
{
    TParameterOfDevice found;
    TStatement row(db, "SELECT d.product_id, p.id, coalesce(dp.value, p.default_value), "
                       "EXISTS (SELECT 1 FROM parameter_shows s WHERE s.parameter_id = p.id) FROM device d "
                       "LEFT JOIN parameter p ON p.product_id = d.product_id AND p.number = ?2 "
                       "LEFT JOIN device_param dp ON dp.parameter_id = p.id AND dp.device_id = d.id WHERE d.id = ?1");
    row.Bind(1, deviceId).Bind(2, number);
    if (!row.Step())
        return found;
    found.productId = static_cast<std::int32_t>(row.Int(0));
    if (!row.IsNull(1)) {
        found.parameterId = static_cast<std::int32_t>(row.Int(1));
        found.value = static_cast<std::int32_t>(row.Int(2));
        found.showsObjects = row.Int(3) != 0;
    }
    return found;
}

// True when the device has a visible device object for every communication object the
// parameter's present value shows.
bool AllShownPresent(TStatementCache& db, std::int32_t deviceId, std::int32_t parameterId)
{
    TStatement missing(db, "SELECT count(*) FROM parameter_shows s WHERE s.parameter_id = ?2 AND s.value = coalesce("
                           "(SELECT value FROM device_param WHERE device_id = ?1 AND parameter_id = ?2), "
                           "(SELECT default_value FROM parameter WHERE id = ?2)) AND NOT EXISTS (SELECT 1 FROM "
                           "device_object o WHERE o.device_id = ?1 AND o.comm_object_id = s.comm_object_id "
                           "AND o.visible = 1)");
    missing.Bind(1, deviceId).Bind(2, parameterId);
    return missing.Step() && missing.Int(0) == 0;
}

} // namespace

int TEts2Cdi::GetDeviceParameter(std::int32_t deviceId, std::int16_t number, std::int32_t& value,
                                 std::vector<tagDAL_OBJECT_INFO>* objects)
{
    const char* call = "GetDeviceParameter";
    if (objects)
        objects->clear();
    if (!m_db)
        return Fail(call, "no project store is open"), kParamNoDevice;
    try {
        const auto found = FindParameter(Cache(), deviceId, number);
        if (found.productId == 0)
            return Fail(call, "no device " + std::to_string(deviceId)), kParamNoDevice;
        if (found.parameterId == 0)
            return Fail(call, "the device has no parameter " + std::to_string(number)), kParamNotFound;
        if (found.showsObjects && !AllShownPresent(Cache(), deviceId, found.parameterId))
            return Fail(call, "an object that parameter " + std::to_string(number) + " shows is missing"),
                   kParamNotFound;
        value = found.value;
        if (objects)
            ShownObjects(deviceId, found.parameterId, *objects);
        return kParamOk;
    } catch (const TSqlError& e) {
        return Fail(call, e), kParamStoreError;
    }
}

int TEts2Cdi::SetDeviceParameter(std::int32_t deviceId, std::int16_t number, std::int32_t value,
                                 std::vector<tagDAL_OBJECT_INFO>* objects)
{
    const char* call = "SetDeviceParameter";
    if (objects)
        objects->clear();
    if (!m_db)
        return Fail(call, "no project store is open"), kParamNoDevice;
    try {
        // Inside a burst or period a parameter that shows no objects is written by one
        // statement, atomic by itself: no savepoint is needed around it.
        std::optional<TTransaction> transaction;
        if (sqlite3_get_autocommit(m_db) != 0)
            transaction.emplace(Cache());
        const auto found = FindParameter(Cache(), deviceId, number);
        if (found.productId == 0)
            return Fail(call, "no device " + std::to_string(deviceId)), kParamNoDevice;
        if (found.parameterId == 0)
            return Fail(call, "the device has no parameter " + std::to_string(number)), kParamNotFound;
        if (found.showsObjects && !transaction)
            transaction.emplace(Cache());
        bool shownChanged = false;
        WriteParameter(deviceId, found.parameterId, value, shownChanged, found.showsObjects ? 1 : 0);
        // The whole write is refused when the device lacks an object the value shows.
        if (found.showsObjects && !AllShownPresent(Cache(), deviceId, found.parameterId))
            return Fail(call, "an object that parameter " + std::to_string(number) + " shows is missing"),
                   kParamNotFound;
        if (objects)
            ShownObjects(deviceId, found.parameterId, *objects);
        if (transaction)
            transaction->Commit();
        return kParamOk;
    } catch (const TSqlError& e) {
        if (objects)
            objects->clear();
        return Fail(call, e), kParamStoreError;
    }
}

int TEts2Cdi::CoSetDeviceParameterValueLong(std::int32_t deviceParamId, std::int32_t value, bool, bool)
{
    const char* call = "CoSetDeviceParameterValueLong";
    if (!m_db)
        return Fail(call, "no project store is open"), 0;
    try {
        TTransaction transaction(Cache());
        TStatement row(Cache(), "SELECT device_id, parameter_id FROM device_param WHERE id = ?");
        row.Bind(1, deviceParamId);
        if (!row.Step())
            return Fail(call, "no device parameter " + std::to_string(deviceParamId)), 0;
        bool shownChanged = false;
        WriteParameter(static_cast<std::int32_t>(row.Int(0)), static_cast<std::int32_t>(row.Int(1)), value,
                       shownChanged);
        transaction.Commit();
        return shownChanged ? 2 : 1;
    } catch (const TSqlError& e) {
        return Fail(call, e), 0;
    }
}

// ---- Group addresses -----------------------------------------------------------------------------

bool TEts2Cdi::ReadGroupTree(std::int32_t deviceId, TEtsGroupTree& tree)
{
    tree = TEtsGroupTree{};
    const bool read = ReadGroupTree(deviceId, [&tree](TEtsGroupLevel level, const TEtsGroupRow& row) {
        (level == TEtsGroupLevel::Main ? tree.Mains : level == TEtsGroupLevel::Middle ? tree.Middles : tree.Subs)
            .push_back(row);
    });
    if (!read)
        tree = TEtsGroupTree{};
    return read;
}

bool TEts2Cdi::ReadGroupTree(std::int32_t deviceId,
                             const std::function<void(TEtsGroupLevel, const TEtsGroupRow&)>& onRow)
{
    const char* call = "ReadGroupTree";
    if (!m_db)
        return Fail(call, "no project store is open");
    try {
        const std::int32_t project = ProjectOfDevice(Cache(), deviceId);
        if (project == 0)
            return Fail(call, "no device " + std::to_string(deviceId));
        TEtsGroupRow row;
        const auto read = [&](TEtsGroupLevel level, const char* sql) {
            TStatement select(Cache(), sql);
            select.Bind(1, project);
            while (select.Step()) {
                row.Id = static_cast<std::int32_t>(select.Int(0));
                row.ParentId = static_cast<std::int32_t>(select.Int(1));
                row.Number = static_cast<std::int16_t>(select.Int(2));
                row.ObjectType = static_cast<std::int16_t>(select.Int(3));
                row.Name = select.Text(4);
                onRow(level, row);
            }
        };
        // Each level is ordered by the unique keys the joins walk anyway (project, number),
        // (main group, number), (middle group, address), so the rows stream in index order
        // and nothing is sorted after the scan. An address word's bits 14-8 are the numbers
        // of its main and middle group (the store's triggers hold that), so this is address
        // order.
        read(TEtsGroupLevel::Main,
             "SELECT id, project_id, number, -1, name FROM main_group WHERE project_id = ? ORDER BY number");
        read(TEtsGroupLevel::Middle,
             "SELECT m.id, m.main_group_id, m.number, -1, m.name FROM middle_group m "
             "JOIN main_group g ON g.id = m.main_group_id WHERE g.project_id = ? ORDER BY g.number, m.number");
        read(TEtsGroupLevel::Sub,
             "SELECT s.id, s.middle_group_id, s.address, s.object_type, s.name FROM sub_group s "
             "JOIN middle_group m ON m.id = s.middle_group_id JOIN main_group g ON g.id = m.main_group_id "
             "WHERE g.project_id = ? ORDER BY g.number, m.number, s.address");
        return true;
    } catch (const TSqlError& e) {
        return Fail(call, e);
    }
}

bool TEts2Cdi::CreateGroupAddress(std::int32_t deviceId, std::uint16_t word, const std::string& name,
                                  TEtsGroupPath& path)
{
    const char* call = "CreateGroupAddress";
    if (!m_db)
        return Fail(call, "no project store is open");
    if (word == 0 || word > 0x7FFF)
        return Fail(call, "no group address word: " + std::to_string(word));
    try {
        TTransaction transaction(Cache());
        const std::int32_t project = ProjectOfDevice(Cache(), deviceId);
        if (project == 0)
            return Fail(call, "no device " + std::to_string(deviceId));
        TEtsGroupPath result;
        // Finds the group, or makes it (with an empty name when it is not the address itself).
        const auto findOrMake = [&](const char* select, const char* insert, std::int32_t parent, std::int64_t number,
                                    const std::string& newName, TEtsGroupRow& row, bool& made) {
            TStatement find(Cache(), select);
            find.Bind(1, parent).Bind(2, number);
            made = !find.Step();
            if (made) {
                TStatement add(Cache(), insert);
                add.Bind(1, parent).Bind(2, number).Bind(3, newName).Run();
                row.Id = static_cast<std::int32_t>(sqlite3_last_insert_rowid(m_db));
                row.Name = newName;
                row.ObjectType = -1;
            } else {
                row.Id = static_cast<std::int32_t>(find.Int(0));
                row.Name = find.Text(1);
                row.ObjectType = static_cast<std::int16_t>(find.Int(2));
            }
            row.ParentId = parent;
            row.Number = static_cast<std::int16_t>(number);
        };
        bool made = false;
        findOrMake("SELECT id, name, -1 FROM main_group WHERE project_id = ? AND number = ?",
                   "INSERT INTO main_group (project_id, number, name) VALUES (?, ?, ?)", project, (word >> 11) & 0xF,
                   "", result.Main, made);
        findOrMake("SELECT id, name, -1 FROM middle_group WHERE main_group_id = ? AND number = ?",
                   "INSERT INTO middle_group (main_group_id, number, name) VALUES (?, ?, ?)", result.Main.Id,
                   (word >> 8) & 0x7, "", result.Middle, made);
        findOrMake("SELECT id, name, object_type FROM sub_group WHERE middle_group_id = ? AND address = ?",
                   "INSERT INTO sub_group (middle_group_id, address, name) VALUES (?, ?, ?)", result.Middle.Id, word,
                   name, result.Sub, made);
        result.Created = made;
        transaction.Commit();
        path = std::move(result);
        return true;
    } catch (const TSqlError& e) {
        return Fail(call, e);
    }
}

bool TEts2Cdi::GetGroupAddressWord(std::int32_t subGroupId, std::uint16_t& word)
{
    if (!m_db)
        return Fail("GetGroupAddressWord", "no project store is open");
    try {
        TStatement row(Cache(), "SELECT address FROM sub_group WHERE id = ?");
        row.Bind(1, subGroupId);
        if (!row.Step())
            return Fail("GetGroupAddressWord", "no sub group " + std::to_string(subGroupId));
        word = static_cast<std::uint16_t>(row.Int(0));
        return true;
    } catch (const TSqlError& e) {
        return Fail("GetGroupAddressWord", e);
    }
}
