#include "EtsTestProject.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

struct TLink {
    std::int32_t id;
    std::int32_t sub;
    std::int32_t send;
    bool operator==(const TLink&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TLink& l)
{
    return out << "{" << l.id << ", sub " << l.sub << ", send " << l.send << "}";
}

std::vector<TLink> LinksOf(TEts2Cdi& ets, std::int32_t deviceObjectId)
{
    std::vector<TLink> links;
    DAL_SUB_TO_OBJECT r;
    for (int result = ets.DalGetSubgroupToObjectData(DAL_MODE_FIRST, -1, -1, deviceObjectId, &r); result == DAL_OK;
         result = ets.DalGetSubgroupToObjectData(DAL_MODE_NEXT, -1, -1, deviceObjectId, &r))
        links.push_back({r.LinkId, r.SubGroupId, r.SendFlag});
    return links;
}

std::int16_t SubType(TEts2Cdi& ets, std::int32_t subGroupId)
{
    TEtsGroupTree tree;
    EXPECT_TRUE(ets.ReadGroupTree(1, tree));
    for (const auto& sub : tree.Subs)
        if (sub.Id == subGroupId)
            return sub.ObjectType;
    ADD_FAILURE() << "no sub group " << subGroupId;
    return -99;
}

TEST(EtsLinks, LinkResultsAndTheSendingMark)
{
    TEtsTestProject project;
    auto& ets = project.ets;

    // The object's first link is its sending link; a free sub group takes the object's type.
    const int first = ets.CoLinkObjectToSubGroup(13, 2, -1, false, true, true);
    ASSERT_GT(first, 0);
    EXPECT_EQ(SubType(ets, 2), 0);
    const int second = ets.CoLinkObjectToSubGroup(13, 3, -1, false, true, true);
    ASSERT_GT(second, first);
    EXPECT_EQ(LinksOf(ets, 13), (std::vector<TLink>{{first, 2, 1}, {second, 3, 0}}));

    // Moving the mark: unlink, then link again at position 1 (as the editor does).
    ASSERT_TRUE(ets.CoUnlinkObjectFromSubGroup(13, 3, true));
    const int again = ets.CoLinkObjectToSubGroup(13, 3, 1, false, true, true);
    ASSERT_GT(again, 0);
    EXPECT_EQ(LinksOf(ets, 13), (std::vector<TLink>{{first, 2, 0}, {again, 3, 1}}));

    // SqlSetSubGroupToObjectSendFlag: on takes the mark from the other links; off clears it.
    EXPECT_EQ(ets.SqlSetSubGroupToObjectSendFlag(first, true), 1);
    EXPECT_EQ(LinksOf(ets, 13), (std::vector<TLink>{{first, 2, 1}, {again, 3, 0}}));
    EXPECT_EQ(ets.SqlSetSubGroupToObjectSendFlag(first, false), 1);
    EXPECT_EQ(LinksOf(ets, 13), (std::vector<TLink>{{first, 2, 0}, {again, 3, 0}}));
    EXPECT_EQ(ets.SqlSetSubGroupToObjectSendFlag(999, true), 0);
    EXPECT_EQ(LinksOf(ets, 21), (std::vector<TLink>{{41, 1, 1}})) << "other objects keep their mark";
}

TEST(EtsLinks, RefusedLinks)
{
    TEtsTestProject project;
    auto& ets = project.ets;
    const struct {
        const char* name;
        std::int32_t object, sub;
        int result;
    } rows[] = {
        {"object of another type than the sub group", 12 /* 1 Byte, hidden */, 1, -1},
        {"hidden object", 11, 2, -1},
        {"unknown object", 999, 2, -1},
        {"unknown sub group", 13, 999, -1},
        {"already linked", 21, 1, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ets.CoLinkObjectToSubGroup(row.object, row.sub, -1, false, true, true), row.result);
    }
    // The wrong type: a visible 1-Byte object on the 1-Bit sub group 1.
    project.Sql("UPDATE device_object SET visible = 1 WHERE id = 12");
    EXPECT_EQ(ets.CoLinkObjectToSubGroup(12, 1, -1, false, true, true), -2);
    EXPECT_EQ(LinksOf(ets, 12), std::vector<TLink>{});

    EXPECT_FALSE(ets.CoUnlinkObjectFromSubGroup(13, 1, true)) << "no such link";
    // The last link gone, the sub group is free again.
    EXPECT_TRUE(ets.CoUnlinkObjectFromSubGroup(21, 1, true));
    EXPECT_EQ(SubType(ets, 1), -1);
    EXPECT_EQ(ets.CoLinkObjectToSubGroup(12, 1, -1, false, true, true) > 0, true);
    EXPECT_EQ(SubType(ets, 1), 7);
}

TEST(EtsFlags, EachFlagSetsItsField)
{
    using TSet = int (TEts2Cdi::*)(std::int32_t, bool);
    const struct {
        const char* name;
        TSet set;
        std::size_t offset;   // where the editor reads the flag
    } rows[] = {
        {"communication", &TEts2Cdi::SqlSetDeviceObjectCommFlag, 12},
        {"read", &TEts2Cdi::SqlSetDeviceObjectReadFlag, 8},
        {"write", &TEts2Cdi::SqlSetDeviceObjectWriteFlag, 10},
        {"transmit", &TEts2Cdi::SqlSetDeviceObjectTransFlag, 14},
        {"update", &TEts2Cdi::SqlSetDeviceObjectUpdateFlag, 2130},
    };
    TEtsTestProject project;
    auto& ets = project.ets;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (const bool on : {true, false}) {
            DAL_DEVICE_OBJECT before, after;
            ASSERT_EQ(ets.DalGetDeviceObjectData(DAL_MODE_KEY, 13, -1, &before), DAL_OK);
            EXPECT_EQ((ets.*row.set)(13, on), 1);
            ASSERT_EQ(ets.DalGetDeviceObjectData(DAL_MODE_KEY, 13, -1, &after), DAL_OK);
            std::int16_t value = 0;
            std::memcpy(&value, reinterpret_cast<const char*>(&after) + row.offset, sizeof value);
            EXPECT_EQ(value, on ? 1 : 0);
            // Only that field changed.
            std::memcpy(reinterpret_cast<char*>(&before) + row.offset, &value, sizeof value);
            EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
        }
        EXPECT_EQ((ets.*row.set)(999, true), 0) << "unknown object";
        EXPECT_EQ((ets.*row.set)(11, true), 2) << "hidden object";
    }
}

TEST(EtsDeviceParameters, WritingAValueShowsAndHidesItsObjects)
{
    TEtsTestProject project;
    auto& ets = project.ets;
    const auto visible = [&](std::int32_t id) {
        DAL_DEVICE_OBJECT o;
        EXPECT_EQ(ets.DalGetDeviceObjectData(DAL_MODE_KEY, id, -1, &o), DAL_OK);
        return o.Visible;
    };
    std::vector<tagDAL_OBJECT_INFO> shown;
    ASSERT_EQ(ets.SetDeviceParameter(1, 10, 1, &shown), 0);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Name, "Melder 1");
    EXPECT_EQ(shown[0].Text, "Eingang");
    EXPECT_EQ(shown[0].DeviceObjectId, 11);
    EXPECT_EQ(shown[0].ObjectId, 1);
    EXPECT_EQ(shown[0].ObjectNumber, 0);
    EXPECT_EQ(shown[0].ObjectKind, 1);
    EXPECT_EQ(shown[1].DeviceObjectId, 12);
    EXPECT_EQ(shown[1].ObjectType, 7);
    EXPECT_EQ(shown[1].IoType, 1);
    EXPECT_EQ(visible(11), 1);
    EXPECT_EQ(visible(15), 0);

    // Another value shows other objects; a hidden object loses its links.
    ASSERT_GT(ets.CoLinkObjectToSubGroup(11, 2, -1, false, true, true), 0);
    ASSERT_EQ(ets.SetDeviceParameter(1, 10, 2, &shown), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].DeviceObjectId, 15);
    EXPECT_EQ(visible(11), 0);
    EXPECT_EQ(LinksOf(ets, 11), std::vector<TLink>{});
    EXPECT_EQ(SubType(ets, 2), -1);

    std::int32_t value = 0;
    ASSERT_EQ(ets.GetDeviceParameter(1, 10, value, &shown), 0);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(shown.size(), 1u);

    // Value 0 shows nothing.
    ASSERT_EQ(ets.SetDeviceParameter(1, 10, 0, &shown), 0);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(visible(15), 0);

    // Parameter number, device and missing objects.
    EXPECT_EQ(ets.SetDeviceParameter(1, 11, 1, &shown), 1);
    EXPECT_EQ(ets.GetDeviceParameter(1, 11, value, nullptr), 1);
    EXPECT_EQ(ets.SetDeviceParameter(99, 10, 1, &shown), 3);
    project.Sql("DELETE FROM device_object WHERE id = 12");
    EXPECT_EQ(ets.SetDeviceParameter(1, 10, 1, &shown), 1);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(visible(11), 0) << "a refused write changes nothing";
    ASSERT_EQ(ets.GetDeviceParameter(1, 10, value, nullptr), 0);
    EXPECT_EQ(value, 0);
}

TEST(EtsDeviceParameters, SetDeviceParameterValueLongResults)
{
    TEtsTestProject project;
    auto& ets = project.ets;
    // "DeviceId" shows nothing: 1.
    EXPECT_EQ(ets.CoSetDeviceParameterValueLong(31, 4711, false, false), 1);
    DAL_DEVICE_PARAM param;
    ASSERT_EQ(ets.DalGetDeviceParamData(DAL_MODE_KEY, 31, -1, &param), DAL_OK);
    EXPECT_EQ(+param.Value, 4711);
    // A value that changes the objects shown: 2.
    project.Sql("INSERT INTO device_param (id, device_id, parameter_id, value) VALUES (32, 1, 1, 0)");
    EXPECT_EQ(ets.CoSetDeviceParameterValueLong(32, 1, false, false), 2);
    EXPECT_EQ(ets.CoSetDeviceParameterValueLong(32, 1, false, false), 1);
    EXPECT_EQ(ets.CoSetDeviceParameterValueLong(999, 1, false, false), 0);
}

TEST(EtsGroupAddresses, CreateNewAndExisting)
{
    TEtsTestProject project;
    auto& ets = project.ets;
    TEtsGroupPath path;
    ASSERT_TRUE(ets.CreateGroupAddress(1, 0x0A07, "Küche", path));
    EXPECT_TRUE(path.Created);
    EXPECT_EQ(path.Main.Id, 1);
    EXPECT_EQ(path.Middle.Id, 1);
    EXPECT_EQ(path.Sub.Number, 0x0A07);
    EXPECT_EQ(path.Sub.Name, "Küche");

    ASSERT_TRUE(ets.CreateGroupAddress(1, 0x0A05, "anders", path));
    EXPECT_FALSE(path.Created);
    EXPECT_EQ(path.Sub.Id, 1);
    EXPECT_EQ(path.Sub.Name, "Flur") << "an existing address keeps its name";
    EXPECT_EQ(path.Sub.ObjectType, 0);

    // Main and middle group made on the way.
    ASSERT_TRUE(ets.CreateGroupAddress(2, 0x7FFF, "", path));
    EXPECT_TRUE(path.Created);
    EXPECT_EQ(path.Main.Number, 15);
    EXPECT_EQ(path.Middle.Number, 7);
    TEtsGroupTree tree;
    ASSERT_TRUE(ets.ReadGroupTree(1, tree));
    EXPECT_EQ(tree.Mains.size(), 3u);
    EXPECT_EQ(tree.Subs.back().Number, 0x7FFF);

    EXPECT_FALSE(ets.CreateGroupAddress(1, 0, "", path));
    EXPECT_FALSE(ets.CreateGroupAddress(1, 0x8000, "", path));
    EXPECT_FALSE(ets.CreateGroupAddress(99, 0x0A08, "", path));
    std::uint16_t word = 0;
    EXPECT_TRUE(ets.GetGroupAddressWord(1, word));
    EXPECT_EQ(word, 0x0A05);
    EXPECT_FALSE(ets.GetGroupAddressWord(999, word));
}

// The tree arrives level by level, each in address order, whatever order the ids were given
// in: the highest main and middle group and the highest address are made last here, yet come
// first among the ids.
TEST(EtsGroupTree, StreamsEachLevelInAddressOrder)
{
    TEtsTestProject project;
    project.Sql("INSERT INTO main_group (id, project_id, number, name) VALUES (9, 1, 15, 'Ende');"
                "INSERT INTO middle_group (id, main_group_id, number, name) VALUES (9, 9, 7, ''), (8, 1, 0, '');"
                "INSERT INTO sub_group (id, middle_group_id, address, name) "
                "VALUES (7, 9, 32767, ''), (8, 8, 2049, ''), (9, 8, 2048, '');");
    std::vector<std::string> streamed;
    ASSERT_TRUE(project.ets.ReadGroupTree(1, [&streamed](TEtsGroupLevel level, const TEtsGroupRow& row) {
        streamed.push_back(std::string(level == TEtsGroupLevel::Main ? "main " : level == TEtsGroupLevel::Middle
                                                                               ? "middle "
                                                                               : "sub ")
                           + std::to_string(row.Id));
    }));
    const std::vector<std::string> order = {"main 2",   "main 1",   "main 9", "middle 2", "middle 8",
                                            "middle 1", "middle 9", "sub 3",  "sub 9",    "sub 8",
                                            "sub 1",    "sub 2",    "sub 7"};
    EXPECT_EQ(streamed, order);

    TEtsGroupTree tree;
    ASSERT_TRUE(project.ets.ReadGroupTree(1, tree));
    std::vector<std::string> held;
    for (const auto& [name, rows] : {std::pair{"main ", &tree.Mains}, {"middle ", &tree.Middles}, {"sub ", &tree.Subs}})
        for (const TEtsGroupRow& row : *rows)
            held.push_back(name + std::to_string(row.Id));
    EXPECT_EQ(held, order) << "the tree holds what the stream hands over";

    // A reader that gives up by throwing ends the read; the next one reads the whole tree.
    EXPECT_THROW(project.ets.ReadGroupTree(1, [](TEtsGroupLevel level, const TEtsGroupRow&) {
        if (level == TEtsGroupLevel::Sub)
            throw std::runtime_error("genug");
    }),
                 std::runtime_error);
    ASSERT_TRUE(project.ets.ReadGroupTree(1, tree));
    EXPECT_EQ(tree.Subs.size(), 6u);
}

} // namespace
