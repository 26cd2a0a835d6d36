#pragma once

#include <string>

// Shows the update prompt for the service's answer; true when the user chose Yes.
bool UpdateDialog(const std::u16string& data);
