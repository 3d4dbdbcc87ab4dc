#pragma once
// The name of a parameterised test's row: the row's own `name` field. Every table of a
// TEST_P is instantiated with it, so that CTest names each case "Prefix/Suite.Test/RowName".
//
//   INSTANTIATE_TEST_SUITE_P(Prefix, Suite, ::testing::ValuesIn(kZeilen), TZeilenName());

#include <gtest/gtest.h>

#include <string>

struct TZeilenName {
    template <class Zeile>
    std::string operator()(const ::testing::TestParamInfo<Zeile>& info) const
    {
        return std::string(info.param.name);
    }
};
