#pragma once

#include <windows.h>

// Typed GetProcAddress. The detour through void(*)() is the one cast GCC accepts
// between unrelated function types without -Wcast-function-type.
template <typename TFunction>
TFunction ProcAddress(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// System DLLs that are not imported statically are loaded from System32 only, never
// from the exe's folder, so a DLL planted beside the exe cannot run elevated.
inline HMODULE LoadSystemLibrary(const wchar_t* fileName) {
  return ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}
