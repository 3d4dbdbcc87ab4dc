// The gate against the program itself: random sequences of a person's operations on the demo
// alarm centre and on new devices of every variant (Bedienfolge.h), each stored, exported and
// passed through every reader: each takes it and reads back the same.

#include "Bedienfolge.h"

#include "DemoProject.h"
#include "kestrin/EtsTransaction.h"
#include "platform/kestrin/EtsTestProject.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Bedienfolgen : ::testing::Test {
    Bedienfolgen() { project.Sql(DemoProjectSql()); }

    // One sequence on the device as stored, in a write burst that is never stored: the next
    // starts from the same store.
    std::vector<std::string> Pruefe(const std::vector<uint8_t>& bytes)
    {
        TScriptedMessageBox boxen{IDOK};
        TEtsTransaction burst(&project.ets);
        TAzGeraet geraet{project.ets, kDemoAlarmCentreId};
        if (!geraet.inst.GetDataFromServer(geraet.host.GetHandle(), false))
            return {"the demo alarm centre does not load"};
        return Bedienfolge::TFolge(geraet, bytes).Pruefen(project.ets);
    }

    TEtsTestProject project{false};
};

std::string Zeilen(const std::vector<std::string>& zeilen)
{
    std::string text;
    for (const std::string& zeile : zeilen)
        text += "  " + zeile + "\n";
    return text;
}

TEST_F(Bedienfolgen, EveryConfigurationAPersonMakesPassesEveryReaderAndReadsBackTheSame)
{
    constexpr uint32_t kSeeds = 300;
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        std::mt19937 zufall(seed);
        std::vector<uint8_t> bytes(96);
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(zufall());
        const std::vector<std::string> fehler = Pruefe(bytes);
        EXPECT_TRUE(fehler.empty()) << "seed " << seed << ":\n" << Zeilen(fehler);
    }
}

} // namespace
