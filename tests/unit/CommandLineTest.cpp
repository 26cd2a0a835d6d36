#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

struct TArgumentCase {
  std::u16string_view Argument;
  TStartMode Expected;
};

TEST(StartMode, OnlyTheExactLowerCaseWordsCount) {
  const TArgumentCase cases[] = {
      {u"", TStartMode::Normal},           {u"/start", TStartMode::Start},  {u"/inst", TStartMode::Install},
      {u"/uninst", TStartMode::Uninstall}, {u"/START", TStartMode::Normal}, {u"/Start", TStartMode::Normal},
      {u"/UNINST", TStartMode::Normal},    {u"start", TStartMode::Normal},  {u"/start ", TStartMode::Normal},
      {u"/install", TStartMode::Normal},   {u"-start", TStartMode::Normal},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StartModeOf(c.Argument), c.Expected) << std::string(c.Argument.begin(), c.Argument.end());
  }
}

TEST(InstanceCommand, OneShowsTwoQuitsAnythingElseIsIgnored) {
  EXPECT_EQ(InstanceCommandOf(1), TInstanceCommand::Show);
  EXPECT_EQ(InstanceCommandOf(2), TInstanceCommand::Quit);
  for (std::uintptr_t other : {std::uintptr_t{0}, std::uintptr_t{3}, std::uintptr_t{0x102}, ~std::uintptr_t{0}}) {
    EXPECT_EQ(InstanceCommandOf(other), TInstanceCommand::None) << other;
  }
}

}  // namespace
