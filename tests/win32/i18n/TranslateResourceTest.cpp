#include <gtest/gtest.h>

#include <windows.h>

#include "ResourceModule.h"
#include "TestPaths.h"
#include "i18n/ShippedTable.h"
#include "i18n/Translation.h"
#include "i18n/TranslationModule.h"
#include "win32/WideText.h"

namespace {

TEST(TranslateResource, TheExeCarriesTheTableFileByteForByte) {
  const TResourceModule exe(BesideThisTest(u"orvanta.exe"));
  ASSERT_NE(exe.Get(), nullptr);
  const std::string_view bytes = exe.Bytes(L"translate", RT_RCDATA);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
  EXPECT_TRUE(bytes == ShippedTranslationTable) << "the compiled-in table differs from the source file";
}

TEST(TranslateResource, TheExeTableLoadsAsTheProgramReadsIt) {
  const TResourceModule exe(BesideThisTest(u"orvanta.exe"));
  ASSERT_NE(exe.Get(), nullptr);
  ExpectShippedTableShape(LoadTranslationTable(exe.Get()));
}

TEST(TranslateResource, WithoutTheResourceTheInterfaceStaysKorean) {
  // This test program carries no table: the real start-up leaves texts as written.
  EXPECT_TRUE(LoadTranslationTable(::GetModuleHandleW(nullptr)).empty());
  StartTranslationModule();
  EXPECT_EQ(TranslateText(u"처음화면", u"en"), u"처음화면");
  EXPECT_EQ(CurrentLanguage().size(), 2u);
}

}  // namespace
