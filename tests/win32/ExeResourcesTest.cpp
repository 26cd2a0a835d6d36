#include <gtest/gtest.h>
#include <windows.h>

#include "ResourceModule.h"
#include "TestPaths.h"

#include <string>
#include <vector>

namespace {

TEST(ExeResources, ManifestAsksForElevationPerMonitorDpiAndCommonControls6) {
  const TResourceModule exe(BesideThisTest(u"orvanta.exe"));
  const std::string manifest(exe.Bytes(MAKEINTRESOURCEW(1), RT_MANIFEST));
  ASSERT_FALSE(manifest.empty());
  for (const char* needed : {
           R"(level="requireAdministrator")", "PerMonitorV2",
           R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
       }) {
    EXPECT_NE(manifest.find(needed), std::string::npos) << needed;
  }
}

TEST(ExeResources, FileVersionComesFromTheBuild) {
  const std::wstring exe = OrvantaExePath();
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length));
  EXPECT_EQ(HIWORD(info->dwFileVersionMS), ORVANTA_VERSION_MAJOR);
  EXPECT_EQ(LOWORD(info->dwFileVersionMS), ORVANTA_VERSION_MINOR);
  EXPECT_EQ(HIWORD(info->dwFileVersionLS), ORVANTA_VERSION_PATCH);
  EXPECT_EQ(LOWORD(info->dwFileVersionLS), ORVANTA_VERSION_TWEAK);
}

}  // namespace
