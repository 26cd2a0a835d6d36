#include "update/PromptText.h"

#include <algorithm>
#include <iterator>

namespace {

struct TPromptRow {
  std::u16string_view Code;
  std::u16string_view Message;  // paragraphs joined by two carriage returns: one empty line
  std::u16string_view Yes;
  std::u16string_view No;
};

// The last row, without a code, is for every language that has no row of its own.
constexpr TPromptRow PromptRows[] = {
    {u"ko",
     u"업데이트 정보가 있습니다."
     u"\r\r"
     u"안정적으로 사용하기 위해 업데이트를 하시길 권장합니다."
     u"\r\r"
     u"다운로드 받으시겠습니까?",
     u"예", u"아니오"},
    {u"ja",
     u"このプログラムがアップデートされました。"
     u"\r\r"
     u"安定的に使用するために新しくダウンロード·実行することをお勧めします。"
     u"\r\r"
     u"ダウンロードしますか。",
     u"はい", u"いいえ"},
    {u"zh",
     u"该程序已更新。"
     u"\r\r"
     u"建议下载并执行新程序以稳定使用。"
     u"\r\r"
     u"您要下载吗？",
     u"是", u"否"},
    {u"de",
     u"Dieses Programm ist aktualisiert worden."
     u"\r\r"
     u"Es wird empfohlen, es herunterzuladen und neu auszuführen, um es stabil zu verwenden."
     u"\r\r"
     u"Möchten Sie es herunterladen?",
     u"Ja", u"Nein"},
    {u"ru",
     u"Данная программа была обновлена."
     u"\r\r"
     u"Рекомендуется скачать и выполнить новое для стабильного использования."
     u"\r\r"
     u"Вы хотите загрузить ее?",
     u"Да", u"Нет"},
    {u"it",
     u"È disponibile una nuova versione del programma."
     u"\r\r"
     u"Ti suggeriamo di scaricare ed aggiornare il programma."
     u"\r\r"
     u"Vuoi scaricare la nuova versione del programma?",
     u"Sì", u"No"},
    {u"fr",
     u"Ce programme a été mis à jour."
     u"\r\r"
     u"Il est recommandé de télécharger et d'exécuter la nouvelle version pour une utilisation stable."
     u"\r\r"
     u"Voulez-vous le télécharger?",
     u"Oui", u"Non"},
    {u"",
     u"This program has been updated."
     u"\r\r"
     u"It is recommended to download and execute new for stable use."
     u"\r\r"
     u"Do you want to download it?",
     u"Yes", u"No"},
};

}  // namespace

std::u16string PromptText(int index, std::u16string_view languageCode) {
  const auto last = std::prev(std::end(PromptRows));
  const auto found = std::find_if(std::begin(PromptRows), last,
                                  [languageCode](const TPromptRow& row) { return row.Code == languageCode; });
  switch (index) {
    case 0:
      return std::u16string(found->Message);
    case 1:
      return std::u16string(found->Yes);
    case 2:
      return std::u16string(found->No);
    default:
      return {};
  }
}
