#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

// The tests work on the real key and picture of this test prefix; a picture that an
// earlier start of the exe wrote is set aside meanwhile.
class RegisterAppUserModelIdTest : public testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, OrvantaAppUserModelIdKey);
    FPng = AppIconPngPath();
    ASSERT_FALSE(FPng.empty());
    FKeptPng = FPng + L".kept-by-test";
    FPngKept = ::MoveFileExW(FPng.c_str(), FKeptPng.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  void TearDown() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, OrvantaAppUserModelIdKey);
    ::DeleteFileW(FPng.c_str());
    if (FPngKept) ::MoveFileExW(FKeptPng.c_str(), FPng.c_str(), MOVEFILE_REPLACE_EXISTING);
  }

  std::wstring FPng;
  std::wstring FKeptPng;
  bool FPngKept = false;
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
  ASSERT_EQ(::GetFileAttributesW(FPng.c_str()), INVALID_FILE_ATTRIBUTES);
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
  EXPECT_EQ(::GetFileAttributesW(FPng.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadValue(L"DisplayName").Text, L"Orvanta");
}

TEST_F(RegisterAppUserModelIdTest, NamesThePictureOnceWrittenWithoutWritingItAgain) {
  const std::wstring folder = FPng.substr(0, FPng.find_last_of(L'\\'));
  const int created = ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  ASSERT_TRUE(created == ERROR_SUCCESS || created == ERROR_ALREADY_EXISTS) << created;
  const std::string written = "a picture of an earlier start";
  {
    std::ofstream file(std::filesystem::path(FPng), std::ios::binary);
    file << written;
  }

  RegisterAppUserModelId(u"Orvanta");
  const TValue icon = ReadValue(L"IconUri");
  EXPECT_EQ(icon.Type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(icon.Text, FPng);
  std::ifstream file(std::filesystem::path(FPng), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), written);
}

}  // namespace
