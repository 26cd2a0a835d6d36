#include "ui/PopupMenu.h"

#include <memory>
#include <type_traits>

void TPopup::PopupAt(HWND owner, POINT screenPoint) {
  const std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&::DestroyMenu)> menu(::CreatePopupMenu(),
                                                                                     &::DestroyMenu);
  if (menu == nullptr) return;
  for (int i = 0; i < FRoot.Count(); ++i) {
    TMenuEntry* entry = FRoot.Entry(i);
    if (entry->IsSeparator()) {
      ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      const std::u16string caption = entry->Caption();
      ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(i + 1),
                    reinterpret_cast<const wchar_t*>(caption.c_str()));
    }
  }
  // The owner must be in front, or the menu does not close when the user clicks elsewhere.
  ::SetForegroundWindow(owner);
  const int chosen = static_cast<int>(::TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                         screenPoint.x, screenPoint.y, owner, nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  if (chosen > 0 && chosen <= FRoot.Count()) {
    TMenuEntry* entry = FRoot.Entry(chosen - 1);
    if (entry->OnClick) entry->OnClick(*entry);
  }
}
