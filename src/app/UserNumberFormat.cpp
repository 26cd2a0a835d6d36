#include "app/UserNumberFormat.h"

#include <windows.h>

#include <array>
#include <string_view>

#include "win32/WideText.h"

namespace {

// Replaces Text with the locale's value, or leaves it when the query fails. Windows allows
// three characters for these separators; the buffer leaves room for more.
void ReadLocaleText(LCTYPE type, std::u16string& text, bool mayBeEmpty) {
  std::array<wchar_t, 16> buffer{};
  const int written = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer.data(), static_cast<int>(buffer.size()));
  if (written < 1) return;
  const std::wstring_view value(buffer.data(), static_cast<std::size_t>(written - 1));
  if (value.empty() && !mayBeEmpty) return;
  text = FromWide(value);
}

}  // namespace

TNumberFormat ReadUserNumberFormat() {
  TNumberFormat numbers;
  ReadLocaleText(LOCALE_STHOUSAND, numbers.ThousandSeparator, true);
  ReadLocaleText(LOCALE_SDECIMAL, numbers.DecimalSeparator, false);
  return numbers;
}
