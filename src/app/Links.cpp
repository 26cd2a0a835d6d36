#include "app/Links.h"

#include "update/VersionText.h"

// ORVANTA_LINK_HOST is set by the build (a CMake cache variable).
std::u16string CopyrightLink() {
  return u"https://" ORVANTA_LINK_HOST u"/orvanta?v=" + GetVersionText(u"%d.%d.%d");
}

std::u16string DonateLink() {
  return u"https://" ORVANTA_LINK_HOST u"/donate?orvanta";
}

std::u16string LogoLink() {
  return u"http://" ORVANTA_LINK_HOST u"/orvanta";
}
