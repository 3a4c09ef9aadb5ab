#pragma once
#include "TempProgramDir.h"

#include <gtest/gtest.h>
#include <string>

// A suite whose tests run on the database file and on the database server alike: declared
// with TEST_P on a fixture derived from BackendTest and instantiated with
// TANZO_ON_BOTH_BACKENDS(suite), each test is named "<suite>.<test>/file" and
// "<suite>.<test>/server". The program's file run runs the first, its server run (where
// CTest has started the server) the second. Every directory the test makes uses its back
// end; isServer() tells a test which one it runs on.
class BackendTest : public ::testing::TestWithParam<TempProgramDir::Backend> {
protected:
    BackendTest() : choice_(GetParam()) {}
    bool isServer() const { return GetParam() == TempProgramDir::Backend::Server; }

private:
    TempProgramDir::BackendChoice choice_;
};

inline std::string backendName(const ::testing::TestParamInfo<TempProgramDir::Backend>& info)
{
    return info.param == TempProgramDir::Backend::Server ? "server" : "file";
}

#define TANZO_ON_BOTH_BACKENDS(suite)                                                                       \
    INSTANTIATE_TEST_SUITE_P(, suite,                                                                       \
                             ::testing::Values(TempProgramDir::Backend::File, TempProgramDir::Backend::Server), \
                             backendName)
