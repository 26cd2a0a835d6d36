#pragma once

#include <string>

// The maker's links, all on the link-redirect host chosen by the build.
std::u16string CopyrightLink();  // with the program's version
std::u16string DonateLink();
std::u16string LogoLink();
