#include "update/UpdateDialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ApplicationTitle.h"
#include "app/InstanceName.h"
#include "i18n/Translation.h"
#include "ui/MessageDialog.h"
#include "update/PromptLayout.h"
#include "update/ShellOpen.h"
#include "update/UpdateCheck.h"

namespace {

// What a test does once the prompt is on screen; it runs inside the prompt's own loop.
std::function<void(HWND)> OnShown;
void Shown(HWND dialog) {
  if (OnShown) OnShown(dialog);
}

std::atomic<int> HoldRequests = 0;
bool ServiceWithoutUpdate(std::u16string_view, const THeaderList& headers, std::u16string& text) {
  for (const auto& [name, value] : headers) {
    if (name == u"User-Command" && value == u"hold") ++HoldRequests;
  }
  text = u"{\"update\":\"\"}";
  return true;
}

std::vector<std::wstring> Opened;
void RecordOpen(const wchar_t* target) {
  Opened.emplace_back(target);
}

bool OwnerQuitsOnDestroy = true;
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY && OwnerQuitsOnDestroy) ::PostQuitMessage(7);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// Runs steps later from the prompt's loop, after the input posted before them.
LRESULT CALLBACK StepProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    const std::unique_ptr<std::function<void()>> step(reinterpret_cast<std::function<void()>*>(lParam));
    (*step)();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return text;
}

// A part's bounds in the dialog's client coordinates.
RECT ClientBounds(HWND dialog, int id) {
  RECT bounds{};
  ::GetWindowRect(::GetDlgItem(dialog, id), &bounds);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

int OuterHeight(HWND window) {
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  return bounds.bottom - bounds.top;
}

int OuterWidth(HWND window) {
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  return bounds.right - bounds.left;
}

void Click(HWND dialog, int id) {
  ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PostKey(HWND target, WPARAM key) {
  ::PostMessageW(target, WM_KEYDOWN, key, 0);
  ::PostMessageW(target, WM_KEYUP, key, 0);
}

std::u16string Answer(std::u16string_view info) {
  return u"{\"update\":\"https://example.com/setup.exe\",\"info\":{" + std::u16string(info) + u"}}";
}

class UpdateDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HoldRequests = 0;
    Opened.clear();
    FShellOpen = ShellApi().Open;
    ShellApi().Open = &RecordOpen;
    UpdateCheckSeams().HttpGetText = &ServiceWithoutUpdate;
    // A check without an update fixes the main window's layout adjustment, as at start.
    CheckUpdate(u"http://127.0.0.1/api.init.php", nullptr, 10);
    ASSERT_EQ(UpdateLayoutAdjust(), 10);
    SetCurrentLanguage(u"en");
    SetApplicationTitle(u"Orvanta");
    SetStartedHidden(false);
    TMessageDialog::ShownHook = &Shown;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW ownerClass{};
    ownerClass.lpfnWndProc = &OwnerProc;
    ownerClass.hInstance = instance;
    ownerClass.lpszClassName = InstanceName;
    ::RegisterClassW(&ownerClass);
    FOwner = ::CreateWindowExW(0, InstanceName, L"Orvanta", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                               instance, nullptr);
    ASSERT_NE(FOwner, nullptr);
    WNDCLASSW stepClass{};
    stepClass.lpfnWndProc = &StepProc;
    stepClass.hInstance = instance;
    stepClass.lpszClassName = L"UpdateDialogTestSteps";
    ::RegisterClassW(&stepClass);
    FSteps =
        ::CreateWindowExW(0, stepClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    ASSERT_NE(FSteps, nullptr);
  }
  void TearDown() override {
    TMessageDialog::ShownHook = nullptr;
    OnShown = nullptr;
    ShellApi().Open = FShellOpen;
    UpdateCheckSeams() = TUpdateCheckSeams{};
    SetStartedHidden(false);
    if (::IsWindow(FOwner)) ::DestroyWindow(FOwner);
    ::DestroyWindow(FSteps);
    MSG quit{};
    while (::PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  void Later(std::function<void()> step) {
    ::PostMessageW(FSteps, WM_APP, 0, reinterpret_cast<LPARAM>(new std::function<void()>(std::move(step))));
  }

  HWND FOwner = nullptr;
  HWND FSteps = nullptr;
  void (*FShellOpen)(const wchar_t*) = nullptr;
};

TEST_F(UpdateDialogTest, ShowsTheMessageAndButtonCaptionsOfTheLanguage) {
  struct TCase {
    const char16_t* Language;
    const wchar_t* FirstParagraph;
    const wchar_t* Yes;
    const wchar_t* No;
  };
  const TCase cases[] = {
      {u"ko", L"업데이트 정보가 있습니다.", L"예", L"아니오"},
      {u"it", L"È disponibile una nuova versione del programma.", L"Sì", L"No"},
      {u"ar", L"This program has been updated.", L"Yes", L"No"},
  };
  for (const TCase& c : cases) {
    SetCurrentLanguage(c.Language);
    std::wstring message, yes, no, caption;
    bool warningIcon = false;
    OnShown = [&](HWND dialog) {
      message = Text(::GetDlgItem(dialog, MessageDialogText));
      yes = Text(::GetDlgItem(dialog, MessageDialogYes));
      no = Text(::GetDlgItem(dialog, MessageDialogNo));
      caption = Text(dialog);
      warningIcon = ::SendDlgItemMessageW(dialog, MessageDialogIcon, STM_GETICON, 0, 0) != 0;
      Click(dialog, MessageDialogNo);
    };
    EXPECT_FALSE(UpdateDialog(Answer(u""))) << "No gives false";
    EXPECT_EQ(message.rfind(c.FirstParagraph, 0), 0u) << "message of " << static_cast<char>(c.Language[0]);
    // The paragraphs stand apart with an empty line between them.
    EXPECT_NE(message.find(L"\r\n\r\n"), std::wstring::npos);
    EXPECT_EQ(yes, c.Yes);
    EXPECT_EQ(no, c.No);
    EXPECT_EQ(caption, L"Orvanta");
    EXPECT_TRUE(warningIcon);
  }
}

TEST_F(UpdateDialogTest, YesGivesTrue) {
  OnShown = [](HWND dialog) { Click(dialog, MessageDialogYes); };
  EXPECT_TRUE(UpdateDialog(Answer(u"")));
  EXPECT_EQ(HoldRequests, 0);
}

TEST_F(UpdateDialogTest, EnterChoosesYesAndEscapeNo) {
  const std::pair<WPARAM, bool> cases[] = {{VK_RETURN, true}, {VK_ESCAPE, false}};
  for (const auto& [key, expected] : cases) {
    OnShown = [key](HWND) { PostKey(::GetFocus(), key); };
    EXPECT_EQ(UpdateDialog(Answer(u"")), expected) << "key " << key;
  }
}

TEST_F(UpdateDialogTest, PlacesTheNoticeRowBelowTheButtonsByStyle) {
  int plainHeight = 0;
  OnShown = [&](HWND dialog) {
    plainHeight = OuterHeight(dialog);
    Click(dialog, MessageDialogNo);
  };
  UpdateDialog(Answer(u"\"style\":\"\""));
  ASSERT_GT(plainHeight, 0);

  struct TCase {
    const char16_t* Style;
    bool Line, TickBox, Link;
  };
  const TCase cases[] = {
      {u"", false, false, false},    {u"hold", true, true, false},  {u"note", true, false, true},
      {u"Hold", true, false, false}, {u"Note", true, false, false}, {u"other", true, false, false},
  };
  for (const TCase& c : cases) {
    const std::string style(c.Style, c.Style + std::char_traits<char16_t>::length(c.Style));
    OnShown = [&](HWND dialog) {
      const int dpi = static_cast<int>(::GetDpiForWindow(dialog));
      const int height = OuterHeight(dialog);
      EXPECT_EQ(::GetDlgItem(dialog, MessageDialogLine) != nullptr, c.Line) << "line, style " << style;
      EXPECT_EQ(::GetDlgItem(dialog, MessageDialogTickBox) != nullptr, c.TickBox) << "tick box, style " << style;
      EXPECT_EQ(::GetDlgItem(dialog, MessageDialogLink) != nullptr, c.Link) << "link, style " << style;
      EXPECT_EQ(height - plainHeight, c.Line ? ScaleByDpiFactor(30, dpi) : 0) << "extra height, style " << style;
      if (c.Line) {
        // The height is the outer one; line and row are placed in client coordinates.
        const RECT line = ClientBounds(dialog, MessageDialogLine);
        EXPECT_EQ(line.top, height - ScaleByDpiFactor(66, dpi)) << style;
        EXPECT_EQ(line.bottom - line.top, 1) << style;
        EXPECT_EQ(line.left, 0) << style;
        EXPECT_EQ(line.right, OuterWidth(dialog)) << style;
        // Under the buttons.
        EXPECT_GE(line.top, ClientBounds(dialog, MessageDialogYes).bottom) << style;
      }
      const int rowId = c.TickBox ? MessageDialogTickBox : MessageDialogLink;
      if (c.TickBox || c.Link) {
        const RECT row = ClientBounds(dialog, rowId);
        EXPECT_EQ(row.top, height - ScaleByDpiFactor(56, dpi)) << style;
        EXPECT_EQ(row.left, ScaleByDpiFactor(10, dpi)) << style;
        EXPECT_EQ(Text(::GetDlgItem(dialog, rowId)), L"Remind me later") << style;
      }
      if (c.TickBox) {
        const RECT row = ClientBounds(dialog, rowId);
        EXPECT_EQ(row.right - row.left, OuterWidth(dialog)) << style;
        EXPECT_EQ(::IsDlgButtonChecked(dialog, MessageDialogTickBox), static_cast<UINT>(BST_UNCHECKED));
      }
      Click(dialog, MessageDialogNo);
    };
    UpdateDialog(Answer(u"\"style\":\"" + std::u16string(c.Style) + u"\",\"text\":\"Remind me later\""));
  }
  // The plain numbers of the layout at 96 and at 144 DPI (the latter in the 144 DPI prefix).
  struct TPixels {
    int Dpi, Extra, Line, Row, Left;
  };
  const TPixels pixels[] = {{96, 30, 66, 56, 10}, {144, 45, 99, 84, 15}};
  OnShown = [&](HWND dialog) {
    const int dpi = static_cast<int>(::GetDpiForWindow(dialog));
    if (const char* expected = std::getenv("ORVANTA_TEST_DPI")) {
      EXPECT_EQ(dpi, std::atoi(expected));
    }
    bool known = false;
    for (const TPixels& p : pixels) {
      if (p.Dpi != dpi) continue;
      known = true;
      const int height = OuterHeight(dialog);
      EXPECT_EQ(height - plainHeight, p.Extra) << dpi << " DPI";
      EXPECT_EQ(height - ClientBounds(dialog, MessageDialogLine).top, p.Line) << dpi << " DPI";
      EXPECT_EQ(height - ClientBounds(dialog, MessageDialogTickBox).top, p.Row) << dpi << " DPI";
      EXPECT_EQ(ClientBounds(dialog, MessageDialogTickBox).left, p.Left) << dpi << " DPI";
    }
    EXPECT_TRUE(known) << "no plain numbers for " << dpi << " DPI";
    Click(dialog, MessageDialogNo);
  };
  UpdateDialog(Answer(u"\"style\":\"hold\""));
}

TEST_F(UpdateDialogTest, ATickedBoxSendsTheHoldCommandWhateverTheAnswer) {
  const std::pair<int, bool> cases[] = {{MessageDialogNo, false}, {MessageDialogYes, true}};
  for (const auto& [button, expected] : cases) {
    HoldRequests = 0;
    OnShown = [&, button = button](HWND dialog) {
      // Tab reaches the box after the two buttons, and Space ticks it.
      PostKey(::GetFocus(), VK_TAB);
      PostKey(::GetFocus(), VK_TAB);
      Later([this, dialog, button] {
        const HWND focused = ::GetFocus();
        EXPECT_EQ(::GetDlgCtrlID(focused), MessageDialogTickBox);
        PostKey(focused, VK_SPACE);
        Later([dialog, button] {
          EXPECT_EQ(::IsDlgButtonChecked(dialog, MessageDialogTickBox), static_cast<UINT>(BST_CHECKED));
          Click(dialog, button);
        });
      });
    };
    EXPECT_EQ(UpdateDialog(Answer(u"\"style\":\"hold\",\"text\":\"Do not ask again\"")), expected);
    WaitForHoldCommands(5000);
    EXPECT_EQ(HoldRequests, 1) << "button " << button;
  }
  // Unticked, nothing is sent.
  HoldRequests = 0;
  OnShown = [](HWND dialog) { Click(dialog, MessageDialogYes); };
  UpdateDialog(Answer(u"\"style\":\"hold\""));
  WaitForHoldCommands(5000);
  EXPECT_EQ(HoldRequests, 0);
}

TEST_F(UpdateDialogTest, TheLinkOpensItsPageByKeyboardAndClick) {
  OnShown = [this](HWND dialog) {
    PostKey(::GetFocus(), VK_TAB);
    PostKey(::GetFocus(), VK_TAB);
    Later([this, dialog] {
      const HWND focused = ::GetFocus();
      EXPECT_EQ(::GetDlgCtrlID(focused), MessageDialogLink);
      PostKey(focused, VK_RETURN);
      Later([this, dialog] {
        EXPECT_EQ(Opened.size(), 1u) << "Enter on the link opens it";
        Click(dialog, MessageDialogLink);
        Later([dialog] { Click(dialog, MessageDialogNo); });
      });
    });
  };
  // Enter on the link opens the page and does not answer the prompt.
  EXPECT_FALSE(UpdateDialog(Answer(u"\"style\":\"note\",\"text\":\"News\",\"url\":\"https://example.com/news\"")));
  EXPECT_EQ(Opened, (std::vector<std::wstring>{L"https://example.com/news", L"https://example.com/news"}));
}

TEST_F(UpdateDialogTest, StaysOnTopOnlyForTheExactFlagAndStandsAloneAfterAHiddenStart) {
  struct TCase {
    const char16_t* Flag;
    bool StartedHidden;
    bool OnTop;
    bool Owned;
  };
  const TCase cases[] = {
      {u"x-stayontop-y", false, true, true},
      {u"x-stayontop-y", true, true, false},
      {u"StayOnTop", true, false, true},
      {u"", true, false, true},
  };
  for (const TCase& c : cases) {
    SetStartedHidden(c.StartedHidden);
    bool onTop = false;
    HWND owner = nullptr;
    OnShown = [&](HWND dialog) {
      onTop = (::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      owner = ::GetWindow(dialog, GW_OWNER);
      Click(dialog, MessageDialogNo);
    };
    UpdateDialog(Answer(u"\"flag\":\"" + std::u16string(c.Flag) + u"\""));
    EXPECT_EQ(onTop, c.OnTop) << "hidden start " << c.StartedHidden;
    EXPECT_EQ(owner, c.Owned ? FOwner : nullptr) << "hidden start " << c.StartedHidden;
    EXPECT_TRUE(::IsWindowEnabled(FOwner)) << "the owner is enabled again";
  }
}

TEST_F(UpdateDialogTest, EndsWithFalseWhenTheMainWindowGoesAndKeepsTheQuitRequest) {
  // Owned, and on its own after a hidden start; with and without a quit request behind.
  for (const bool hidden : {false, true}) {
    for (const bool quits : {true, false}) {
      SetStartedHidden(hidden);
      OwnerQuitsOnDestroy = quits;
      if (!::IsWindow(FOwner)) {
        FOwner = ::CreateWindowExW(0, InstanceName, L"Orvanta", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
      }
      const HWND owner = FOwner;
      OnShown = [this, owner, hidden, quits](HWND dialog) {
        ::PostMessageW(owner, WM_CLOSE, 0, 0);
        Later([dialog, hidden, quits] {
          if (!::IsWindow(dialog)) return;
          ADD_FAILURE() << "the prompt still runs after its main window went; hidden start " << hidden
                        << ", quit request " << quits;
          Click(dialog, MessageDialogNo);
        });
      };
      EXPECT_FALSE(UpdateDialog(Answer(u"\"flag\":\"stayontop\",\"style\":\"note\",\"url\":\"https://example.com/\"")));
      EXPECT_FALSE(::IsWindow(owner));
      MSG message{};
      EXPECT_EQ(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, quits)
          << "hidden start " << hidden << ", quit request " << quits;
      if (quits) {
        EXPECT_EQ(message.wParam, 7u);
      }
      // The pending check runs now, against a prompt that is gone.
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
      EXPECT_TRUE(Opened.empty());
    }
  }
  OwnerQuitsOnDestroy = true;
}

TEST_F(UpdateDialogTest, ABrokenEscapeShowsNothing) {
  bool shown = false;
  OnShown = [&](HWND dialog) {
    shown = true;
    Click(dialog, MessageDialogYes);
  };
  EXPECT_FALSE(UpdateDialog(Answer(u"\"style\":\"hold\",\"text\":\"\\uZZZZ\"")));
  EXPECT_FALSE(shown);
}

}  // namespace
