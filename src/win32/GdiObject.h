#pragma once

#include <windows.h>

#include <utility>

// Owns one GDI object (brush, pen, bitmap, font) and deletes it once.
template <typename THandle>
class TGdiObject {
 public:
  explicit TGdiObject(THandle handle = nullptr) : FHandle(handle) {}
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  TGdiObject(TGdiObject&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
  TGdiObject& operator=(TGdiObject&& other) noexcept {
    if (this != &other) {
      if (FHandle != nullptr) ::DeleteObject(FHandle);
      FHandle = std::exchange(other.FHandle, nullptr);
    }
    return *this;
  }
  ~TGdiObject() {
    if (FHandle != nullptr) ::DeleteObject(FHandle);
  }
  THandle Get() const { return FHandle; }

 private:
  THandle FHandle;
};

// Owns a memory device context.
class TMemoryDc {
 public:
  explicit TMemoryDc(HDC dc) : FDc(dc) {}
  TMemoryDc(const TMemoryDc&) = delete;
  TMemoryDc& operator=(const TMemoryDc&) = delete;
  ~TMemoryDc() {
    if (FDc != nullptr) ::DeleteDC(FDc);
  }
  HDC Get() const { return FDc; }

 private:
  HDC FDc;
};

// Selects an object into a DC for one scope and puts the previous one back.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : FDc(dc), FOld(::SelectObject(dc, object)) {}
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;
  ~TSelectObject() { ::SelectObject(FDc, FOld); }

 private:
  HDC FDc;
  HGDIOBJ FOld;
};
