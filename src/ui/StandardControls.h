#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "i18n/ComponentKinds.h"
#include "ui/ControlOf.h"

// Thin wrappers of the system's own controls, as the window's layout uses them.

class TLabel : public TControlOf<TComponent> {
 public:
  using TControlOf::TControlOf;
  enum class TAlignment { Left, Centre };
  void SetAlignment(TAlignment alignment) { FAlignment = alignment; }
  // Reads right to left whatever the window does.
  void SetRightToLeftReading(bool rightToLeft) { FRightToLeft = rightToLeft; }

 protected:
  TCreateParams CreateParams() const override;

 private:
  TAlignment FAlignment = TAlignment::Left;
  bool FRightToLeft = false;
};

class TCheckBox : public TControlOf<TComponent> {
 public:
  using TControlOf::TControlOf;
  std::function<void(TCheckBox&)> OnClick;

  bool Checked() const { return FChecked; }
  // Like a click by the user: a change of state runs OnClick.
  void SetChecked(bool checked);

  bool HandleCommand(WORD code) override;

 protected:
  TCreateParams CreateParams() const override;
  void HandleCreated() override;

 private:
  bool FChecked = false;
};

class TGroupBox : public TControlOf<TComponent> {
 public:
  using TControlOf::TControlOf;
  // Its frame goes under the controls it holds, which are made after it (and so below it).
  void CreateHandles() override;

 protected:
  TCreateParams CreateParams() const override;
};

// A drop-down list the user can only pick from. Its items are a list of texts the
// translation walk may change in place.
class TDropDownList : public TControlOf<TComboBox>, private TStrings {
 public:
  TDropDownList(TComponent* owner, std::u16string name, TLayoutNode* parent, TRect96 bounds, int controlId,
                std::vector<std::u16string> items);
  bool HasCaption() const override { return false; }

  // Runs when the user picks an item, never when code selects one.
  std::function<void(TDropDownList&)> OnChange;

  TStrings* Items() override { return this; }
  int ItemIndex() const override { return FItemIndex; }
  // Out of range means no selection and empty text.
  void SetItemIndex(int index) override;
  // The selected item's text, valid until the items change; empty without a selection.
  std::u16string_view SelectedText() const;

  bool HandleCommand(WORD code) override;
  void Realize() override;

 protected:
  TCreateParams CreateParams() const override;
  void HandleCreated() override;

 private:
  int Count() const override { return static_cast<int>(FItems.size()); }
  std::u16string Get(int index) const override { return FItems.at(static_cast<std::size_t>(index)); }
  void Put(int index, std::u16string_view text) override;
  void BeginUpdate() override { ++FUpdateDepth; }
  void EndUpdate() override;
  void FillWindow();

  std::vector<std::u16string> FItems;
  int FItemIndex = -1;
  // Inside BeginUpdate and EndUpdate the window's list is filled once, at the end.
  int FUpdateDepth = 0;
  bool FChangedWhileUpdating = false;
};

class TProgressBar : public TControlOf<TComponent> {
 public:
  using TControlOf::TControlOf;
  bool HasCaption() const override { return false; }
  int Position() const { return FPosition; }
  void SetPosition(int position);

 protected:
  TCreateParams CreateParams() const override;
  void HandleCreated() override;

 private:
  int FPosition = 0;
};

// A borderless read-only line of text, as the version field is.
class TReadOnlyEdit : public TControlOf<TComponent> {
 public:
  using TControlOf::TControlOf;
  bool HasCaption() const override { return false; }
  std::function<void(TReadOnlyEdit&)> OnClick;
  bool HandleCommand(WORD code) override;

 protected:
  TCreateParams CreateParams() const override;
};

// A picture with a hand cursor that opens something when clicked.
class TClickableImage : public TControlOf<TComponent> {
 public:
  using TControlOf::TControlOf;
  bool HasCaption() const override { return false; }
  std::function<void(TClickableImage&)> OnClick;
  bool HandleCommand(WORD code) override;
  HCURSOR Cursor() const override { return ::LoadCursorW(nullptr, IDC_HAND); }

 protected:
  TCreateParams CreateParams() const override;
};
