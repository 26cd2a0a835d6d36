#pragma once

#include <windows.h>

#include <utility>

#include "win32/OwnedCounts.h"

// Owns one GDI object (brush, pen, bitmap, font) and deletes it once.
template <typename THandle>
class TGdiObject {
 public:
  explicit TGdiObject(THandle handle = nullptr) : FHandle(handle) {
    if (FHandle != nullptr) NoteOwned(TOwnedKind::GdiObject, 1);
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  TGdiObject(TGdiObject&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
  TGdiObject& operator=(TGdiObject&& other) noexcept {
    if (this != &other) {
      Delete();
      FHandle = std::exchange(other.FHandle, nullptr);
    }
    return *this;
  }
  ~TGdiObject() { Delete(); }
  THandle Get() const { return FHandle; }

 private:
  void Delete() {
    if (FHandle == nullptr) return;
    ::DeleteObject(FHandle);
    NoteOwned(TOwnedKind::GdiObject, -1);
  }

  THandle FHandle;
};

// Owns a memory device context.
class TMemoryDc {
 public:
  explicit TMemoryDc(HDC dc) : FDc(dc) {
    if (FDc != nullptr) NoteOwned(TOwnedKind::GdiObject, 1);
  }
  TMemoryDc(const TMemoryDc&) = delete;
  TMemoryDc& operator=(const TMemoryDc&) = delete;
  ~TMemoryDc() {
    if (FDc == nullptr) return;
    ::DeleteDC(FDc);
    NoteOwned(TOwnedKind::GdiObject, -1);
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
