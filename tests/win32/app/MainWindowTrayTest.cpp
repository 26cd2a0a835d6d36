#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InProcessMainWindow.h"
#include "app/MainWindow.h"
#include "update/VersionText.h"

namespace {

class MainWindowTray : public InProcessMainWindow, public ::testing::WithParamInterface<const char16_t*> {};

struct TMenuCase {
  const char16_t* Language;
  std::vector<std::u16string> Items;
};

const TMenuCase MenuCases[] = {
    {u"ko", {u"Orvanta", u"-", u"만든이 Talvane", u"종료"}},
    {u"en", {u"Orvanta", u"-", u"Crafted by Talvane", u"Quit"}},
    {u"fr", {u"Orvanta", u"-", u"Créé par Talvane", u"Quitter"}},
};

TEST_P(MainWindowTray, TheIconIsShownWithItsHintAndTheMenuComesTranslated) {
  const TMenuCase& menuCase = *std::find_if(std::begin(MenuCases), std::end(MenuCases), [](const TMenuCase& c) {
    return std::u16string_view(c.Language) == GetParam();
  });
  SetCurrentLanguage(menuCase.Language);
  TFrmOrvanta form(TStartMode::Normal, OfflineSeams());
  ASSERT_TRUE(form.Create());

  const TTrayIcon* icon = form.TrayIcon();
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(icon->Visible());
  EXPECT_EQ(icon->IconIndex(), 0);
  EXPECT_EQ(icon->Hint(), form.Caption() + u" " + GetVersionText(u"%d.%d.%d"));

  TMenuItem* root = const_cast<TPopup&>(form.TrayMenu()).Items();
  ASSERT_EQ(root->Count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(root->Items(i)->Caption(), menuCase.Items[static_cast<std::size_t>(i)]) << i;
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowTray, ::testing::Values(u"ko", u"en", u"fr"),
                         [](const ::testing::TestParamInfo<const char16_t*>& info) {
                           return std::string(info.param, info.param + 2);
                         });

}  // namespace
