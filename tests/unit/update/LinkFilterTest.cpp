#include <gtest/gtest.h>

#include "update/LinkCases.h"
#include "update/LinkFilter.h"

namespace {

TEST(LinkFilter, OnlyAbsoluteWebLinksReachTheShell) {
  for (const auto& c : LinkCases) {
    EXPECT_EQ(IsWebLink(c.Target), c.Opens) << testing::PrintToString(std::u16string(c.Target));
  }
}

}  // namespace
