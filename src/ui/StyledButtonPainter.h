#pragma once

#include <windows.h>

#include <string_view>

#include "ui/StyledButtonAttributes.h"

// Draws one styled button face into bounds: the shape anti-aliased with GDI+, filled when
// btnSolid, bordered when brdSolid (BorderWidth 0 gives the thinnest visible border), and the
// caption centred on one line in FontColor with FontStyle applied to font ("&" marks an
// accelerator, as on any Windows button). Lengths of the set are at 96 DPI and scaled to dpi.
// A focused button gets a dotted focus cue inside its border, over its own state's set.
// The face is not opaque: the caller paints the parent's background into bounds first, so a
// clear fill shows it. The DC's state is left as it was found.
void PaintStyledButton(HDC dc, const RECT& bounds, const TStyledButtonAttributes& attributes, std::wstring_view caption,
                       HFONT font, UINT dpi, bool focused);
