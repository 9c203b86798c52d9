#pragma once
// Parameterised cases are named by their own name field, so a case has the same
// readable name in every build (never the case's raw bytes) and the name says what
// the case is about. Each case type also has a PrintTo that prints that name.
#include <gtest/gtest.h>

#include <string>

namespace tavrelo::test {

template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

} // namespace tavrelo::test
