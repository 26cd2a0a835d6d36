#pragma once

#include <windows.h>

#include <string>

// A font as the layout names it: face and character height at 96 DPI.
struct TFontDescription {
  std::wstring Face = L"Tahoma";
  int Height96 = 11;
  bool Bold = false;
  bool Antialiased = false;

  friend bool operator==(const TFontDescription&, const TFontDescription&) = default;
};

// Owns one GDI font.
class TFontHandle {
 public:
  TFontHandle(const TFontDescription& description, UINT dpi);
  TFontHandle(const TFontHandle&) = delete;
  TFontHandle& operator=(const TFontHandle&) = delete;
  ~TFontHandle();
  HFONT Get() const { return FFont; }

 private:
  HFONT FFont;
};
