#include "ui/Fonts.h"

#include <cwchar>

#include "ui/Geometry.h"

TGdiObject<HFONT> CreateFontFor(const TFontDescription& description, UINT dpi) {
  LOGFONTW font{};
  // A negative height asks for the character height, without internal leading.
  font.lfHeight = -ScaleToDpi(description.Height96, dpi);
  font.lfWeight = description.Bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = description.Antialiased ? ANTIALIASED_QUALITY : DEFAULT_QUALITY;
  std::wcsncpy(font.lfFaceName, description.Face.c_str(), LF_FACESIZE - 1);
  return TGdiObject<HFONT>(::CreateFontIndirectW(&font));
}
