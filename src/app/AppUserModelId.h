#pragma once

#include <string>
#include <string_view>

// The program's application identity: the notification centre files its toasts under it.
inline constexpr wchar_t OrvantaAppUserModelId[] = L"Quiremo.Orvanta";

// Where the identity is registered for the current user, below HKEY_CURRENT_USER.
inline constexpr wchar_t OrvantaAppUserModelIdKey[] = L"Software\\Classes\\AppUserModelId\\Quiremo.Orvanta";

// Gives this process the identity and registers it for the current user, so that an
// exe that was never installed as a package may raise toasts: the key above holds the
// name the notification centre shows (DisplayName) and, once the exe carries its
// "MAINICON" icon, a PNG of it (IconUri) written once to
// %LOCALAPPDATA%\Quiremo\Orvanta\AppIcon.png. Call it before the first window shows, on
// the user-interface thread. Every failure is dropped.
void RegisterAppUserModelId(std::u16string_view displayName);

// The PNG file of the icon, whether or not it exists yet; empty when the folder is unknown.
std::wstring AppIconPngPath();
