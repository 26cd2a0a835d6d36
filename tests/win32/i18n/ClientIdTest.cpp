#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "update/ClientId.h"
#include "win32/RegistryKey.h"
#include "win32/WideText.h"

namespace {

// Each test works below a scratch key of its own in place of HKEY_CURRENT_USER, so the
// prefix's real identifier is never touched.
class ClientIdTest : public testing::Test {
 protected:
  void SetUp() override {
    FScratchPath = L"Software\\OrvantaTests\\ClientId" + std::to_wstring(::GetCurrentProcessId());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, FScratchPath.c_str());
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, FScratchPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                FRoot.Receive(), nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    FRoot.Reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, FScratchPath.c_str());
  }

  struct TValue {
    DWORD Type = REG_NONE;
    std::vector<BYTE> Data;
    bool operator==(const TValue&) const = default;
  };

  void WriteValue(DWORD type, const void* data, DWORD size) {
    TRegistryKey maker;
    ASSERT_EQ(::RegCreateKeyExW(FRoot.Get(), L"Software\\Quiremo", 0, nullptr, 0, KEY_WRITE, nullptr, maker.Receive(),
                                nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(maker.Get(), L"QUID", 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }

  // The stored value, or no type at all when it does not exist.
  TValue ReadValue() const {
    TValue value;
    DWORD size = 0;
    if (::RegGetValueW(FRoot.Get(), L"Software\\Quiremo", L"QUID", RRF_RT_ANY | RRF_NOEXPAND, &value.Type, nullptr,
                       &size) != ERROR_SUCCESS) {
      return {};
    }
    value.Data.resize(size);
    ::RegGetValueW(FRoot.Get(), L"Software\\Quiremo", L"QUID", RRF_RT_ANY | RRF_NOEXPAND, &value.Type,
                   value.Data.data(), &size);
    value.Data.resize(size);
    return value;
  }

  std::wstring FScratchPath;
  TRegistryKey FRoot;
};

bool LooksLikeClientId(const std::u16string& id) {
  if (id.size() != 32) return false;
  for (std::size_t i = 0; i < id.size(); ++i) {
    const char16_t c = id[i];
    const bool decimal = c >= u'0' && c <= u'9';
    const bool hex = decimal || (c >= u'A' && c <= u'F');
    const bool datePart = (i >= 8 && i < 14) || (i >= 18 && i < 24);
    if (datePart ? !decimal : !hex) return false;
  }
  // The large random parts are below 2^31, so they start with 0 to 7.
  return id[0] <= u'7' && id[24] <= u'7';
}

TEST_F(ClientIdTest, FirstUseStoresAStringIdentifierThatLaterCallsReturn) {
  const std::u16string first = GetClientIdUnder(FRoot.Get());
  EXPECT_TRUE(LooksLikeClientId(first)) << testing::PrintToString(first);

  const TValue stored = ReadValue();
  EXPECT_EQ(stored.Type, static_cast<DWORD>(REG_SZ));
  const std::u16string terminated = first + u'\0';
  EXPECT_EQ(stored.Data, std::vector<BYTE>(reinterpret_cast<const BYTE*>(terminated.data()),
                                           reinterpret_cast<const BYTE*>(terminated.data() + terminated.size())));
  EXPECT_EQ(GetClientIdUnder(FRoot.Get()), first);
  EXPECT_EQ(ReadValue(), stored);
}

TEST_F(ClientIdTest, ExistingStringValuesAreReturnedAndNeverRewritten) {
  struct TCase {
    std::u16string Stored;
    DWORD Bytes;  // as written by some other program, terminator or not
    std::u16string Expected;
  };
  const TCase cases[] = {
      {u"", 0, u""},
      {u"", 2, u""},
      {u"0123456789ABCDEF0123456789ABCDEF", 66, u"0123456789ABCDEF0123456789ABCDEF"},
      {u"ABCD", 8, u"ABCD"},
  };
  for (const auto& c : cases) {
    WriteValue(REG_SZ, c.Stored.c_str(), c.Bytes);
    const TValue before = ReadValue();
    EXPECT_EQ(GetClientIdUnder(FRoot.Get()), c.Expected) << testing::PrintToString(c.Stored);
    EXPECT_EQ(ReadValue(), before);
  }
}

TEST_F(ClientIdTest, AValueOfAnotherTypeGivesNoIdentifierAndIsLeftAsItIs) {
  const DWORD number = 42;
  const wchar_t expandable[] = L"%USERPROFILE%";
  const BYTE binary[] = {1, 2, 3};
  struct TCase {
    DWORD Type;
    const void* Data;
    DWORD Size;
  };
  const TCase cases[] = {
      {REG_DWORD, &number, sizeof(number)},
      {REG_EXPAND_SZ, expandable, sizeof(expandable)},
      {REG_BINARY, binary, sizeof(binary)},
  };
  for (const auto& c : cases) {
    WriteValue(c.Type, c.Data, c.Size);
    const TValue before = ReadValue();
    EXPECT_EQ(GetClientIdUnder(FRoot.Get()), u"") << "type " << c.Type;
    EXPECT_EQ(ReadValue(), before);
    EXPECT_EQ(ReadValue().Type, c.Type);
  }
}

TEST_F(ClientIdTest, AKeyThatCannotBeCreatedGivesNoIdentifier) {
  // The registry refuses a lasting key below a volatile one.
  TRegistryKey volatileRoot;
  ASSERT_EQ(::RegCreateKeyExW(FRoot.Get(), L"Volatile", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              volatileRoot.Receive(), nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(GetClientIdUnder(volatileRoot.Get()), u"");
  TRegistryKey maker;
  EXPECT_NE(::RegOpenKeyExW(volatileRoot.Get(), L"Software", 0, KEY_READ, maker.Receive()), ERROR_SUCCESS);
}

TEST_F(ClientIdTest, GetClientIdKeepsItsIdentifierUnderTheCurrentUser) {
  // HKEY_CURRENT_USER itself is redirected to the scratch key for this process.
  ASSERT_EQ(::RegOverridePredefKey(HKEY_CURRENT_USER, FRoot.Get()), ERROR_SUCCESS);
  const std::u16string first = GetClientId();
  const std::u16string second = GetClientId();
  ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);

  EXPECT_TRUE(LooksLikeClientId(first)) << testing::PrintToString(first);
  EXPECT_EQ(second, first);
  EXPECT_EQ(ReadValue().Type, static_cast<DWORD>(REG_SZ));
}

TEST(NewClientId, TwoIdentifiersOfOneMomentDiffer) {
  const std::u16string first = NewClientId();
  EXPECT_TRUE(LooksLikeClientId(first)) << testing::PrintToString(first);
  EXPECT_NE(NewClientId(), first);
}

}  // namespace
