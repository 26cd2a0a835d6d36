#pragma once

#include <string>

// Shows the update prompt for the service's answer; true when the user chose Yes. False as
// well when the main window goes away meanwhile (an uninstall call, log-off): the prompt
// then ends at once and leaves the program's quit request to the main loop.
bool UpdateDialog(const std::u16string& data);

// Whether the main window stayed hidden at start (a logon start): a prompt kept on top then
// gets a taskbar button of its own.
void SetStartedHidden(bool hidden);
