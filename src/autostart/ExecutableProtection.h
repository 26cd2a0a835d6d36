#pragma once

#include <windows.h>

#include <string>

// The logon task starts the exe elevated at every logon, without a prompt. That is safe only
// when nobody but the machine's administrators can replace the exe: these checks decide it.

// The folder part of a full path, ending with its separator; empty when there is none.
std::wstring ExecutableFolder(const std::wstring& exePath);

// True when the descriptor lets no one but BUILTIN\Administrators, LocalSystem and
// TrustedInstaller write, delete, add to, or change the permissions or owner of the object.
// The owner counts too, since an owner may always rewrite the permissions. A missing or NULL
// DACL grants everything; an entry that is inherit-only applies only to what is created inside
// a folder later, not to the object itself.
bool OnlyAdministratorsCanChange(PSECURITY_DESCRIPTOR securityDescriptor);

// True when both the exe and its folder are protected that way. A descriptor that cannot be
// read protects nothing.
bool ExecutableIsProtected(const std::wstring& exePath);
