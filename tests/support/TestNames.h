#pragma once
// Names of the instances of parameterised tests, so that a failing line says what failed.
#include <gtest/gtest.h>
#include <string>

// A test run over the serial line (false) or loopback TCP (true).
inline std::string LinkName(const ::testing::TestParamInfo<bool>& info) { return info.param ? "Tcp" : "Serial"; }
