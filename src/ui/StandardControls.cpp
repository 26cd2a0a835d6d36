#include "ui/StandardControls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "ui/Form.h"

// Labels -------------------------------------------------------------------------------

TWindowedControl::TCreateParams TLabel::CreateParams() const {
  DWORD style = WS_VISIBLE | SS_NOPREFIX | (FAlignment == TAlignment::Centre ? SS_CENTER : SS_LEFT);
  DWORD exStyle = 0;
  if (FRightToLeft) {
    style = (style & ~static_cast<DWORD>(SS_LEFT)) | SS_RIGHT;
    exStyle |= WS_EX_RTLREADING;
  }
  return {L"STATIC", style, exStyle};
}

// Check boxes --------------------------------------------------------------------------

TWindowedControl::TCreateParams TCheckBox::CreateParams() const {
  return {L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, 0};
}

void TCheckBox::HandleCreated() {
  ::SendMessageW(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool checked) {
  if (FChecked == checked) return;
  FChecked = checked;
  if (Handle() != nullptr) ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (OnClick) OnClick(*this);
}

bool TCheckBox::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  // BS_CHECKBOX leaves the toggling to us, so state and handler never disagree.
  SetChecked(!FChecked);
  return true;
}

// Group boxes --------------------------------------------------------------------------

TWindowedControl::TCreateParams TGroupBox::CreateParams() const {
  return {L"BUTTON", WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, 0};
}

void TGroupBox::CreateHandles() {
  TControlOf::CreateHandles();
  if (Handle() != nullptr) ::SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Drop-down lists ----------------------------------------------------------------------

TDropDownList::TDropDownList(TComponent* owner, std::u16string name, TLayoutNode* parent, TRect96 bounds, int controlId,
                             std::vector<std::u16string> items)
    : TControlOf(owner, std::move(name), parent, bounds, controlId), FItems(std::move(items)) {}

TWindowedControl::TCreateParams TDropDownList::CreateParams() const {
  return {WC_COMBOBOXW, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
}

void TDropDownList::HandleCreated() {
  FillWindow();
}

void TDropDownList::FillWindow() {
  if (Handle() == nullptr) return;
  ::SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const auto& item : FItems) ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(item)));
  ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TDropDownList::SetItemIndex(int index) {
  FItemIndex = (index >= 0 && index < Count()) ? index : -1;
  if (Handle() != nullptr) ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

std::u16string_view TDropDownList::SelectedText() const {
  return FItemIndex >= 0 ? std::u16string_view(FItems[static_cast<std::size_t>(FItemIndex)]) : std::u16string_view();
}

void TDropDownList::Put(int index, std::u16string_view text) {
  std::u16string& item = FItems.at(static_cast<std::size_t>(index));
  if (item == text) return;
  item = text;
  if (FUpdateDepth > 0) {
    FChangedWhileUpdating = true;
  } else {
    FillWindow();
  }
}

void TDropDownList::EndUpdate() {
  if (FUpdateDepth == 0 || --FUpdateDepth > 0 || !FChangedWhileUpdating) return;
  FChangedWhileUpdating = false;
  FillWindow();
}

void TDropDownList::Realize() {
  TControlOf::Realize();
  TFormWindow* form = Form();
  if (Handle() == nullptr || form == nullptr) return;
  // The system sizes the closed list from its font; the layout's height wins at every DPI.
  // The field's frame does not grow one for one with the item height, so step towards it.
  const int target = ScaleToDpi(Bounds().Height, form->Dpi());
  for (int attempt = 0; attempt < 4; ++attempt) {
    RECT closed{};
    ::GetWindowRect(Handle(), &closed);
    const int difference = target - (closed.bottom - closed.top);
    const LRESULT itemHeight = ::SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (difference == 0 || itemHeight <= 0) return;
    const LRESULT step = difference > 0 ? 1 : -1;
    ::SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                   itemHeight + step * std::max<LRESULT>(1, std::abs(difference) / 2));
  }
}

bool TDropDownList::HandleCommand(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  FItemIndex = static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
  if (OnChange) OnChange(*this);
  return true;
}

// Progress bar -------------------------------------------------------------------------

TWindowedControl::TCreateParams TProgressBar::CreateParams() const {
  return {PROGRESS_CLASSW, WS_VISIBLE | PBS_SMOOTH, 0};
}

void TProgressBar::HandleCreated() {
  ::SendMessageW(Handle(), PBM_SETRANGE32, 0, 100);
  ::SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetPosition(int position) {
  FPosition = position;
  if (Handle() != nullptr) ::SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

// Read-only edit -----------------------------------------------------------------------

TWindowedControl::TCreateParams TReadOnlyEdit::CreateParams() const {
  return {L"EDIT", WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, 0};
}

bool TReadOnlyEdit::HandleCommand(WORD code) {
  if (code != EN_SETFOCUS) return false;
  if (OnClick) OnClick(*this);
  return true;
}

// Clickable image ----------------------------------------------------------------------

TWindowedControl::TCreateParams TClickableImage::CreateParams() const {
  return {L"STATIC", WS_VISIBLE | SS_NOTIFY | SS_BITMAP, 0};
}

bool TClickableImage::HandleCommand(WORD code) {
  if (code != STN_CLICKED) return false;
  if (OnClick) OnClick(*this);
  return true;
}
