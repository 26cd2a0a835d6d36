#include "update/ClientId.h"

#include <vector>

#include "update/ClientIdComposer.h"
#include "update/RandomGenerator.h"
#include "win32/RegistryKey.h"
#include "win32/WideText.h"

namespace {

constexpr wchar_t MakerKey[] = L"Software\\Quiremo";
constexpr wchar_t ClientIdValue[] = L"QUID";

TRandomGenerator& ProcessRandom() {
  static TRandomGenerator generator([] {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return static_cast<std::uint64_t>(counter.QuadPart);
  }());
  return generator;
}

TLocalTime LocalNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

enum class TPresence { Present, Missing, Unknown };

TPresence ValuePresence(HKEY key) {
  const LSTATUS status = ::RegQueryValueExW(key, ClientIdValue, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) return TPresence::Present;
  return status == ERROR_FILE_NOT_FOUND ? TPresence::Missing : TPresence::Unknown;
}

bool WriteString(HKEY key, const std::u16string& text) {
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
  return ::RegSetValueExW(key, ClientIdValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(AsWide(text)), bytes) ==
         ERROR_SUCCESS;
}

// Any process of the user can write this value, so it is read only as a plain REG_SZ
// (not expanded, not another type), terminated and size-checked by RegGetValueW.
std::u16string ReadString(HKEY key) {
  constexpr DWORD flags = RRF_RT_REG_SZ | RRF_NOEXPAND;
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD bytes = 0;
    if (::RegGetValueW(key, nullptr, ClientIdValue, flags, nullptr, nullptr, &bytes) != ERROR_SUCCESS) return {};
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1);
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LSTATUS status = ::RegGetValueW(key, nullptr, ClientIdValue, flags, nullptr, buffer.data(), &bytes);
    // The value grew between the two calls: ask for its size again.
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return {};
    return FromWide(buffer.data());
  }
  return {};
}

}  // namespace

std::u16string NewClientId() {
  return ComposeClientId(&LocalNow, [](std::uint32_t bound) { return ProcessRandom().Below(bound); });
}

std::u16string GetClientIdUnder(HKEY root) {
  try {
    TRegistryKey key;
    if (::RegCreateKeyExW(root, MakerKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, key.Receive(), nullptr) !=
        ERROR_SUCCESS) {
      return {};
    }
    switch (ValuePresence(key.Get())) {
      case TPresence::Missing:
        if (!WriteString(key.Get(), NewClientId())) return {};
        break;
      case TPresence::Present:
        break;
      case TPresence::Unknown:
        return {};
    }
    return ReadString(key.Get());
  } catch (...) {
    return {};
  }
}

std::u16string GetClientId() {
  return GetClientIdUnder(HKEY_CURRENT_USER);
}
