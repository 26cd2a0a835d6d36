#pragma once

#include <windows.h>

#include <string>

#include "win32/GdiObject.h"

// A font as the layout names it: face and character height at 96 DPI.
struct TFontDescription {
  std::wstring Face = L"Tahoma";
  int Height96 = 11;
  bool Bold = false;
  bool Antialiased = false;

  friend bool operator==(const TFontDescription&, const TFontDescription&) = default;
};

// The GDI font of a description at a DPI.
TGdiObject<HFONT> CreateFontFor(const TFontDescription& description, UINT dpi);
