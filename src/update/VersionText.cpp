#include "update/VersionText.h"

#include <windows.h>

#include <vector>

#include "win32/ModulePath.h"
#include "win32/ProcAddress.h"
#include "win32/WideText.h"

namespace {

// version.dll is not a KnownDLL, so it is loaded from System32 at run time rather than
// imported. Loaded once and kept for the life of the process.
struct TVersionApi {
  using TGetSize = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
  using TGetInfo = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
  using TQueryValue = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

  TGetSize GetFileVersionInfoSize = nullptr;
  TGetInfo GetFileVersionInfo = nullptr;
  TQueryValue VerQueryValue = nullptr;

  bool Available() const {
    return GetFileVersionInfoSize != nullptr && GetFileVersionInfo != nullptr && VerQueryValue != nullptr;
  }
};

const TVersionApi& VersionApi() {
  static const TVersionApi api = [] {
    TVersionApi loaded;
    const HMODULE module = LoadSystemLibrary(L"version.dll");
    loaded.GetFileVersionInfoSize = ProcAddress<TVersionApi::TGetSize>(module, "GetFileVersionInfoSizeW");
    loaded.GetFileVersionInfo = ProcAddress<TVersionApi::TGetInfo>(module, "GetFileVersionInfoW");
    loaded.VerQueryValue = ProcAddress<TVersionApi::TQueryValue>(module, "VerQueryValueW");
    return loaded;
  }();
  return api;
}

constexpr std::u16string_view NoVersion = u"0.0.0.0";

}  // namespace

std::optional<TFileVersion> ReadFileVersion(const std::u16string& path) {
  const TVersionApi& api = VersionApi();
  if (!api.Available()) return std::nullopt;
  DWORD ignored = 0;
  const DWORD size = api.GetFileVersionInfoSize(AsWide(path), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<unsigned char> buffer(size);
  if (!api.GetFileVersionInfo(AsWide(path), 0, size, buffer.data())) return std::nullopt;
  void* block = nullptr;
  UINT blockSize = 0;
  if (!api.VerQueryValue(buffer.data(), L"\\", &block, &blockSize)) return std::nullopt;
  if (block == nullptr || blockSize < sizeof(VS_FIXEDFILEINFO)) return std::nullopt;
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(block);
  if (info->dwSignature != 0xFEEF04BD) return std::nullopt;
  return FileVersionOf(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::u16string GetVersionTextOf(const std::u16string& path, std::u16string_view format) {
  try {
    const std::optional<TFileVersion> version = path.empty() ? std::nullopt : ReadFileVersion(path);
    return version ? FormatVersion(format, *version) : std::u16string(NoVersion);
  } catch (...) {
    return std::u16string(NoVersion);
  }
}

std::u16string GetVersionText(std::u16string_view format) {
  return GetVersionTextOf(ModuleFilePath(), format);
}
