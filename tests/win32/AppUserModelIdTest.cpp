#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/AppUserModelId.h"
#include "win32/RegistryKey.h"

namespace {

struct TValue {
  DWORD Type = REG_NONE;
  std::wstring Text;
};

// One value of the identity's key, unexpanded; no type when it is missing.
TValue ReadValue(const wchar_t* name) {
  TValue value;
  DWORD bytes = 0;
  constexpr DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  if (::RegGetValueW(HKEY_CURRENT_USER, OrvantaAppUserModelIdKey, name, flags, &value.Type, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  std::wstring text(bytes / sizeof(wchar_t), L'\0');
  ::RegGetValueW(HKEY_CURRENT_USER, OrvantaAppUserModelIdKey, name, flags, nullptr, text.data(), &bytes);
  text.resize(::wcslen(text.c_str()));
  value.Text = text;
  return value;
}

// The test works on the real key of this test prefix and removes it again.
class RegisterAppUserModelIdTest : public testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, OrvantaAppUserModelIdKey); }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, OrvantaAppUserModelIdKey); }
};

// The process's own identity cannot be read back here: Wine answers
// GetCurrentProcessExplicitAppUserModelID with E_NOTIMPL.
TEST_F(RegisterAppUserModelIdTest, NamesTheIdentityForTheUser) {
  RegisterAppUserModelId(u"Orvanta 메모리 정리");

  const TValue name = ReadValue(L"DisplayName");
  EXPECT_EQ(name.Type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(name.Text, L"Orvanta 메모리 정리");

  // The name follows the interface language of the latest start.
  RegisterAppUserModelId(u"Orvanta memory cleaner");
  EXPECT_EQ(ReadValue(L"DisplayName").Text, L"Orvanta memory cleaner");
}

TEST_F(RegisterAppUserModelIdTest, NamesNoPictureWhileTheExeHasNoIcon) {
  // This test exe has no MAINICON; an older registration may still name a picture.
  const std::wstring png = AppIconPngPath();
  ASSERT_FALSE(png.empty());
  ASSERT_EQ(::GetFileAttributesW(png.c_str()), INVALID_FILE_ATTRIBUTES) << "the prefix already holds the picture";
  TRegistryKey key;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, OrvantaAppUserModelIdKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              key.Receive(), nullptr),
            ERROR_SUCCESS);
  const wchar_t stale[] = L"C:\\gone.png";
  ASSERT_EQ(
      ::RegSetValueExW(key.Get(), L"IconUri", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(stale), sizeof(stale)),
      ERROR_SUCCESS);

  RegisterAppUserModelId(u"Orvanta");
  EXPECT_EQ(ReadValue(L"IconUri").Type, static_cast<DWORD>(REG_NONE));
  EXPECT_EQ(::GetFileAttributesW(png.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadValue(L"DisplayName").Text, L"Orvanta");
}

}  // namespace
