// Write bursts: many writes in one transaction, kept or undone together.
#include "EtsStoreDump.h"
#include "EtsTestProject.h"

#include "kestrin/EtsTransaction.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The project tables a burst of the test writes to, as a second connection sees them.
std::string Seen(const TEtsTestProject& project)
{
    return DumpStore(project.file, {"device_param", "device_object", "sub_to_object", "sub_group", "device_blob"});
}

void Writes(TEtsTestProject& project)
{
    ASSERT_EQ(project.ets.CoSetDeviceParameterValueLong(31, 77, false, false), 1);
    ASSERT_EQ(project.ets.SqlSetDeviceObjectReadFlag(13, true), 1);
    ASSERT_GT(project.ets.CoLinkObjectToSubGroup(13, 2, 1, false, false, false), 0);
    ASSERT_TRUE(project.ets.BlobWrite("neu", 3, 1));
}

TEST(EtsWriteBurst, IsStoredWholeAtItsEndAndNotBefore)
{
    TEtsTestProject project;
    const std::string before = Seen(project);
    TEtsTransaction burst(&project.ets);
    ASSERT_TRUE(burst.IsOpen());
    Writes(project);
    EXPECT_EQ(Seen(project), before) << "nothing is stored while the burst runs";
    DAL_DEVICE_PARAM param;
    ASSERT_EQ(project.ets.DalGetDeviceParamData(DAL_MODE_KEY, 31, -1, &param), DAL_OK);
    EXPECT_EQ(+param.Value, 77) << "the burst reads its own writes";
    EXPECT_TRUE(burst.Commit());
    EXPECT_FALSE(burst.Commit()) << "committed once";
    EXPECT_EQ(project.ets.BurstDepth(), 0);
    const std::string after = Seen(project);
    EXPECT_NE(after, before);
    EXPECT_NE(after.find("31|1|2|77|"), std::string::npos) << after;
}

TEST(EtsWriteBurst, LeftWithoutCommitNothingOfItStays)
{
    struct TRow {
        const char* name;
        bool throws;       // left by an exception, else by a return
        bool innerCommits; // a nested burst inside commits before the outer one is left
    };
    for (const TRow& row : {TRow{"exception", true, false}, TRow{"return", false, false},
                            TRow{"nested commit, outer left", true, true}}) {
        SCOPED_TRACE(row.name);
        TEtsTestProject project;
        const std::string before = Seen(project);
        try {
            TEtsTransaction burst(&project.ets);
            Writes(project);
            if (row.innerCommits) {
                TEtsTransaction inner(&project.ets);
                ASSERT_EQ(project.ets.SqlSetDeviceObjectWriteFlag(21, false), 1);
                EXPECT_TRUE(inner.Commit());
            }
            if (row.throws)
                throw std::runtime_error("a writer failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(project.ets.BurstDepth(), 0);
        EXPECT_EQ(Seen(project), before);
        // The store takes writes again afterwards, each stored at once.
        ASSERT_EQ(project.ets.SqlSetDeviceObjectReadFlag(13, true), 1);
        EXPECT_NE(Seen(project), before);
    }
}

// A call that fails inside a burst takes back only its own changes.
TEST(EtsWriteBurst, AFailedCallTakesBackOnlyItself)
{
    TEtsTestProject project;
    project.Sql("DELETE FROM device_object WHERE id = 12");
    TEtsTransaction burst(&project.ets);
    ASSERT_EQ(project.ets.SqlSetDeviceObjectReadFlag(13, true), 1);
    // Value 1 shows objects 1 and 2; the device lacks the second: the write is refused whole.
    EXPECT_EQ(project.ets.SetDeviceParameter(1, 10, 1, nullptr), 1);
    EXPECT_TRUE(burst.Commit());
    DAL_DEVICE_OBJECT object;
    ASSERT_EQ(project.ets.DalGetDeviceObjectData(DAL_MODE_KEY, 13, -1, &object), DAL_OK);
    EXPECT_EQ(+object.ReadFlag, 1);
    ASSERT_EQ(project.ets.DalGetDeviceObjectData(DAL_MODE_KEY, 11, -1, &object), DAL_OK);
    EXPECT_EQ(+object.Visible, 0) << "the refused write showed nothing";
    DAL_DEVICE_PARAM param;
    int rows = 0;
    for (int r = project.ets.DalGetDeviceParamData(DAL_MODE_FIRST, -1, 1, &param); r == DAL_OK;
         r = project.ets.DalGetDeviceParamData(DAL_MODE_NEXT, -1, 1, &param))
        ++rows;
    EXPECT_EQ(rows, 1) << "no value row of the refused write";
}

TEST(EtsWriteBurst, NoBurstWithoutAStoreAndNoPeriodInsideOne)
{
    TEts2Cdi closed(nullptr, "244_ID", false);
    TEtsTransaction none(&closed);
    EXPECT_FALSE(none.IsOpen());
    EXPECT_FALSE(none.Commit());
    TEtsTransaction null(nullptr);
    EXPECT_FALSE(null.Commit());

    TEtsTestProject project;
    {
        TEtsTransaction burst(&project.ets);
        EXPECT_FALSE(project.ets.BeginEditPeriod()) << "a period does not begin inside a burst";
    }
    ASSERT_TRUE(project.ets.BeginEditPeriod());
    {
        TEtsTransaction burst(&project.ets);
        EXPECT_FALSE(project.ets.ReturnToEts(1)) << "nor ends inside one";
        EXPECT_TRUE(burst.Commit());
    }
    EXPECT_TRUE(project.ets.ReturnToEts(1));
}

} // namespace
