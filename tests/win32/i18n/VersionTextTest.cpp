#include <gtest/gtest.h>

#include "TestPaths.h"
#include "update/VersionText.h"

namespace {

TEST(VersionText, ReadsTheRunningExesOwnFileVersion) {
  EXPECT_EQ(GetVersionText(u"%d.%d.%d.%d"), u"3.14.159.2653");
  EXPECT_EQ(GetVersionText(u"%d.%d.%d"), u"3.14.159");
}

TEST(VersionText, TheProgramCarriesTheVersionOfTheBuild) {
  const std::u16string buildVersion = ORVANTA_BUILD_VERSION;
  const std::u16string exe = BesideThisTest(u"orvanta.exe");
  EXPECT_EQ(GetVersionTextOf(exe, u"%d.%d.%d.%d"), buildVersion);
  EXPECT_EQ(GetVersionTextOf(exe, u"%d.%d.%d"), buildVersion.substr(0, buildVersion.find_last_of(u'.')));
}

TEST(VersionText, NoVersionInformationGivesZerosWhateverTheFormat) {
  for (const std::u16string& file : {BesideThisTest(u"orvanta_language_probe.exe"), BesideThisTest(u"missing.exe")}) {
    EXPECT_EQ(GetVersionTextOf(file, u"%d.%d.%d.%d"), u"0.0.0.0");
    EXPECT_EQ(GetVersionTextOf(file, u"%d.%d.%d"), u"0.0.0.0");
  }
}

}  // namespace
