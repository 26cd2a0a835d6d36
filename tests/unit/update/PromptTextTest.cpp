#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "update/PromptText.h"

namespace {

struct TPromptCase {
  std::u16string_view Code;
  std::u16string_view Paragraphs[3];
  std::u16string_view Yes;
  std::u16string_view No;
};

// The paragraphs are shown with an empty line between them: two bare carriage returns.
std::u16string Message(const TPromptCase& c) {
  return std::u16string(c.Paragraphs[0]) + u"\r\r" + std::u16string(c.Paragraphs[1]) + u"\r\r" +
         std::u16string(c.Paragraphs[2]);
}

constexpr TPromptCase Rows[] = {
    {u"ko",
     {u"업데이트 정보가 있습니다.", u"안정적으로 사용하기 위해 업데이트를 하시길 권장합니다.",
      u"다운로드 받으시겠습니까?"},
     u"예",
     u"아니오"},
    {u"ja",
     {u"このプログラムがアップデートされました。",
      u"安定的に使用するために新しくダウンロード·実行することをお勧めします。", u"ダウンロードしますか。"},
     u"はい",
     u"いいえ"},
    {u"zh", {u"该程序已更新。", u"建议下载并执行新程序以稳定使用。", u"您要下载吗？"}, u"是", u"否"},
    {u"de",
     {u"Dieses Programm ist aktualisiert worden.",
      u"Es wird empfohlen, es herunterzuladen und neu auszuführen, um es stabil zu verwenden.",
      u"Möchten Sie es herunterladen?"},
     u"Ja",
     u"Nein"},
    {u"ru",
     {u"Данная программа была обновлена.", u"Рекомендуется скачать и выполнить новое для стабильного использования.",
      u"Вы хотите загрузить ее?"},
     u"Да",
     u"Нет"},
    {u"it",
     {u"È disponibile una nuova versione del programma.", u"Ti suggeriamo di scaricare ed aggiornare il programma.",
      u"Vuoi scaricare la nuova versione del programma?"},
     u"Sì",
     u"No"},
    {u"fr",
     {u"Ce programme a été mis à jour.",
      u"Il est recommandé de télécharger et d'exécuter la nouvelle version pour une utilisation stable.",
      u"Voulez-vous le télécharger?"},
     u"Oui",
     u"Non"},
};

constexpr TPromptCase English = {
    u"",
    {u"This program has been updated.", u"It is recommended to download and execute new for stable use.",
     u"Do you want to download it?"},
    u"Yes",
    u"No"};

void ExpectTexts(std::u16string_view code, const TPromptCase& expected) {
  const std::string where = "language " + testing::PrintToString(std::u16string(code));
  EXPECT_EQ(PromptText(0, code), Message(expected)) << where;
  EXPECT_EQ(PromptText(1, code), expected.Yes) << where;
  EXPECT_EQ(PromptText(2, code), expected.No) << where;
}

TEST(PromptText, EachLanguageHasItsOwnTexts) {
  for (const auto& row : Rows) ExpectTexts(row.Code, row);
}

TEST(PromptText, OtherLanguagesGetEnglish) {
  for (const std::u16string_view code : {u"en", u"ar", u"", u"KO", u"Ja", u"de-DE", u"k", u"pt"}) {
    ExpectTexts(code, English);
  }
}

TEST(PromptText, KeepsTheCharactersThatLookAlike) {
  // A plain full stop or question mark in their place would pass a glance but not a reader.
  EXPECT_NE(PromptText(0, u"ja").find(u"ダウンロード\u00B7実行"), std::u16string::npos);
  EXPECT_EQ(PromptText(0, u"zh").back(), u'\uFF1F');
  EXPECT_EQ(PromptText(0, u"en").find(u'\n'), std::u16string::npos);
  EXPECT_EQ(PromptText(1, u"it"), u"S\u00EC");
  EXPECT_EQ(PromptText(2, u"it"), PromptText(2, u"en"));
}

TEST(PromptText, UnknownIndexIsEmpty) {
  for (const int index : {-1, 3, 100}) EXPECT_EQ(PromptText(index, u"ko"), u"") << index;
}

}  // namespace
