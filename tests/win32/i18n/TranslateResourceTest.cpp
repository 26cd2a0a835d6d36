#include <gtest/gtest.h>

#include <windows.h>

#include "TestPaths.h"
#include "i18n/ShippedTable.h"
#include "i18n/Translation.h"
#include "i18n/TranslationModule.h"
#include "win32/WideText.h"

namespace {

// A module loaded for its resources only, as the exe would be by a resource viewer.
class TResourceModule {
 public:
  explicit TResourceModule(const std::u16string& path)
      : FModule(::LoadLibraryExW(AsWide(path), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  TResourceModule(const TResourceModule&) = delete;
  TResourceModule& operator=(const TResourceModule&) = delete;
  ~TResourceModule() {
    if (FModule != nullptr) ::FreeLibrary(FModule);
  }
  HMODULE Get() const { return FModule; }

 private:
  HMODULE FModule;
};

std::string_view ResourceBytes(HMODULE module) {
  const HRSRC resource = ::FindResourceW(module, L"translate", RT_RCDATA);
  if (resource == nullptr) return {};
  const HGLOBAL loaded = ::LoadResource(module, resource);
  return {static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(module, resource)};
}

TEST(TranslateResource, TheExeCarriesTheTableFileByteForByte) {
  const TResourceModule exe(BesideThisTest(u"orvanta.exe"));
  ASSERT_NE(exe.Get(), nullptr);
  const std::string_view bytes = ResourceBytes(exe.Get());
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
