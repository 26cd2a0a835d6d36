#pragma once

#include "ui/Color.h"
#include "ui/EnumSet.h"

enum TStyledButtonDrawType { btRoundRect, btRounded, btRect, btEllipse };
enum TButtonDrawStyle { btnClear, btnSolid };  // btnClear: no fill
enum TBorderDrawStyle { brdClear, brdSolid };  // brdClear: no border
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TEnumSet<TFontStyle>;
enum TRoundedCorner { rcTopLeft, rcTopRight, rcBottomLeft, rcBottomRight };
using TRoundedCorners = TEnumSet<TRoundedCorner>;

inline constexpr TRoundedCorners AllRoundedCorners{rcTopLeft, rcTopRight, rcBottomLeft, rcBottomRight};

// How a styled button looks in one state. Lengths are at 96 DPI; the painter scales them.
// A default-constructed set is what every family starts from when it fills its sets.
struct TStyledButtonAttributes {
  TStyledButtonDrawType DrawType = btRoundRect;
  TButtonDrawStyle ButtonDrawStyle = btnSolid;
  TBorderDrawStyle BorderDrawStyle = brdSolid;
  TColor ButtonColor = clBlack;
  TColor BorderColor = clBlack;
  int BorderWidth = 0;  // 0 draws the thinnest visible border
  TColor FontColor = clBlack;
  TFontStyles FontStyle;
  int Radius = 6;
  TRoundedCorners RoundedCorners = AllRoundedCorners;

  bool operator==(const TStyledButtonAttributes&) const = default;
};

enum TStyledButtonState { bsmNormal, bsmPressed, bsmSelected, bsmHot, bsmDisabled };

// The state a speed or tool button draws in. They never take bsmSelected: keyboard focus is
// shown by a focus cue over the state's own set instead.
constexpr TStyledButtonState StyledButtonStateFor(bool enabled, bool pressedOrDown, bool hot) {
  if (!enabled) return bsmDisabled;
  if (pressedOrDown) return bsmPressed;
  if (hot) return bsmHot;
  return bsmNormal;
}
