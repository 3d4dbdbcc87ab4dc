// The gate against the program itself: random sequences of a person's operations on the demo
// alarm centre and on new devices of every variant (Bedienfolge.h), each stored, exported and
// passed through every reader: each takes it and reads back the same.

#include "Bedienfolge.h"

#include "DemoProject.h"
#include "kestrin/EtsTransaction.h"
#include "platform/kestrin/EtsTestProject.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

struct Bedienfolgen : ::testing::Test {
    Bedienfolgen() { project.Sql(DemoProjectSql()); }

    // One sequence on the device as stored, in a write burst that is never stored: the next
    // starts from the same store. danach sees the device as the last reader left it.
    std::vector<std::string> Pruefe(const std::vector<uint8_t>& bytes,
                                    const std::function<void(TAzGeraet&)>& danach = {})
    {
        TScriptedMessageBox boxen{IDOK};
        TEtsTransaction burst(&project.ets);
        TAzGeraet geraet{project.ets, kDemoAlarmCentreId};
        if (!geraet.inst.GetDataFromServer(geraet.host.GetHandle(), false))
            return {"the demo alarm centre does not load"};
        std::vector<std::string> fehler = Bedienfolge::TFolge(geraet, bytes).Pruefen(project.ets);
        if (danach)
            danach(geraet);
        return fehler;
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

// A sequence kept: on the demo device, the arming input of area 1 linked to 1/0/1 (object 8,
// address 0); an input of security area 1 (node 10) given the type "Sabotage-Schalteinrichtung"
// (row 0, entry 3); area 1's first switching device chosen among the devices on 1/0/1 (node
// 15, dialog row 0); that input chosen as its sabotage input (row 2, entry 1). The gate once
// drew the arming node without the detectors of its tree and refused what this makes.
TEST_F(Bedienfolgen, ASwitchingDevicesSabotageInputIsTakenByEveryReader)
{
    const std::vector<uint8_t> bytes = {0,                               // the device as stored
                                        4, 0, 8, 0, 0,                   // link
                                        2, 0, 10, 0, 0, 0, 3,            // input type
                                        3, 0, 15, 0, 0, 1, 0, 0, 0,      // switching device
                                        2, 0, 15, 0, 2, 0, 1};           // its sabotage input
    int32_t sabotage = TAzScharfschaltungSsb::kKeineSabotage;
    const std::vector<std::string> fehler = Pruefe(bytes, [&sabotage](TAzGeraet& g) {
        if (TAzScharfschaltungSsb* ssb = g.inst.GetPointerInstScharfschaltungSsb(1))
            sabotage = ssb->GetMelderNrSaboSe(1);
    });
    EXPECT_TRUE(fehler.empty()) << Zeilen(fehler);
    EXPECT_NE(sabotage, TAzScharfschaltungSsb::kKeineSabotage) << "the sequence no longer reaches the case";
}

} // namespace
