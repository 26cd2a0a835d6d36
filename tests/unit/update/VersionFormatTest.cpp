#include <gtest/gtest.h>

#include "update/VersionFormat.h"

namespace {

TEST(VersionFormat, SplitsTheHalvesIntoMajorMinorReleaseBuild) {
  const TFileVersion version = FileVersionOf(0x0003000E, 0x009F0A5D);
  EXPECT_EQ(FormatVersion(u"%d.%d.%d.%d", version), u"3.14.159.2653");
  EXPECT_EQ(FormatVersion(u"%d.%d.%d", version), u"3.14.159");
  EXPECT_EQ(FormatVersion(u"%d.%d.%d.%d", FileVersionOf(0x00010008, 0x00090000)), u"1.8.9.0");
  EXPECT_EQ(FormatVersion(u"%d.%d.%d.%d", FileVersionOf(0xFFFFFFFF, 0xFFFF0000)), u"65535.65535.65535.0");
}

TEST(VersionFormat, UnderstandsOnlyDecimalFieldsAndPercentSigns) {
  const TFileVersion version{1, 8, 9, 0};
  struct TCase {
    std::u16string_view Format, Expected;
  };
  const TCase cases[] = {
      {u"ver %d.%d", u"ver 1.8"}, {u"%d.%d.%d.%d.%d", u"1.8.9.0.%d"},  // no fifth number to read
      {u"%%d %d", u"%d 1"},       {u"%s %x %", u"%s %x %"},           {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatVersion(c.Format, version), c.Expected);
}

}  // namespace
