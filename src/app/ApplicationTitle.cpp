#include "app/ApplicationTitle.h"

namespace {

std::u16string& Title() {
  static std::u16string title = u"Orvanta";
  return title;
}

}  // namespace

const std::u16string& ApplicationTitle() {
  return Title();
}

void SetApplicationTitle(std::u16string_view title) {
  Title() = title;
}
