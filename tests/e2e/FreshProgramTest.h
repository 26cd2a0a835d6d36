#pragma once

#include <gtest/gtest.h>

#include "OrvantaProcess.h"

// A test that meets the program as on a new machine: no instance left by an earlier test and
// no stored settings; whatever it started ends with it.
class TFreshProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EndAnyInstance();
    ForgetSettings();
  }
  void TearDown() override {
    EndAnyInstance();
    ForgetSettings();
  }
};
