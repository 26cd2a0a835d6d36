#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/WideText.h"

// A module loaded for its resources only, as a resource viewer would load the exe.
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

  // The bytes of one resource; empty when the module or the resource is missing.
  std::string_view Bytes(const wchar_t* name, const wchar_t* type) const {
    const HRSRC resource = FModule != nullptr ? ::FindResourceW(FModule, name, type) : nullptr;
    if (resource == nullptr) return {};
    return {static_cast<const char*>(::LockResource(::LoadResource(FModule, resource))),
            ::SizeofResource(FModule, resource)};
  }

 private:
  HMODULE FModule;
};
