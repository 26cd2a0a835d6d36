#include "autostart/ExecutableProtection.h"

#include <aclapi.h>
#include <sddl.h>

#include <array>
#include <memory>

namespace {

using TLocalMemory = std::unique_ptr<void, decltype(&::LocalFree)>;

// Rights that let their holder change what runs: write or append to the file, add files or
// folders to the folder, delete the object or anything in the folder, or rewrite its
// permissions or owner. Generic rights count for what they map to.
constexpr ACCESS_MASK ChangingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                                       WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

TLocalMemory SidOf(const wchar_t* text) {
  PSID sid = nullptr;
  if (!::ConvertStringSidToSidW(text, &sid)) sid = nullptr;
  return TLocalMemory(sid, &::LocalFree);
}

bool IsAdministrative(PSID sid) {
  static const std::array<TLocalMemory, 3> trusted = {
      SidOf(L"BA"),                                                              // BUILTIN\Administrators
      SidOf(L"SY"),                                                              // LocalSystem
      SidOf(L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"),  // NT SERVICE\TrustedInstaller
  };
  for (const TLocalMemory& candidate : trusted) {
    if (candidate && ::EqualSid(candidate.get(), sid)) return true;
  }
  return false;
}

// Every access-allowed entry starts with its header and mask; the plain and the callback
// (conditional) kinds follow it with the SID.
bool GrantsChangeToOthers(ACE_HEADER& header) {
  if ((header.AceFlags & INHERIT_ONLY_ACE) != 0) return false;
  auto& allowed = reinterpret_cast<ACCESS_ALLOWED_ACE&>(header);
  const ACCESS_MASK mask = allowed.Mask;
  switch (header.AceType) {
    case ACCESS_ALLOWED_ACE_TYPE:
    case ACCESS_ALLOWED_CALLBACK_ACE_TYPE:
      // A conditional grant may hold at any time, so it counts as a grant.
      return (mask & ChangingRights) != 0 && !IsAdministrative(&allowed.SidStart);
    case ACCESS_ALLOWED_COMPOUND_ACE_TYPE:
    case ACCESS_ALLOWED_OBJECT_ACE_TYPE:
    case ACCESS_ALLOWED_CALLBACK_OBJECT_ACE_TYPE:
      // Grants of kinds that files do not use: whoever they are for, assume the worst.
      return (mask & ChangingRights) != 0;
    default:
      // Denials and audit entries grant nothing.
      return false;
  }
}

bool PathIsProtected(const std::wstring& path) {
  PSECURITY_DESCRIPTOR securityDescriptor = nullptr;
  const DWORD result =
      ::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, nullptr, nullptr, &securityDescriptor);
  const TLocalMemory owner(securityDescriptor, &::LocalFree);
  return result == ERROR_SUCCESS && OnlyAdministratorsCanChange(securityDescriptor);
}

}  // namespace

std::wstring ExecutableFolder(const std::wstring& exePath) {
  const std::size_t separator = exePath.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return {};
  return exePath.substr(0, separator + 1);
}

bool OnlyAdministratorsCanChange(PSECURITY_DESCRIPTOR securityDescriptor) {
  if (securityDescriptor == nullptr || !::IsValidSecurityDescriptor(securityDescriptor)) return false;

  PSID owner = nullptr;
  BOOL ownerDefaulted = FALSE;
  if (!::GetSecurityDescriptorOwner(securityDescriptor, &owner, &ownerDefaulted)) return false;
  if (owner == nullptr || !IsAdministrative(owner)) return false;

  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  if (!::GetSecurityDescriptorDacl(securityDescriptor, &present, &dacl, &defaulted)) return false;
  if (!present || dacl == nullptr) return false;

  ACL_SIZE_INFORMATION size{};
  if (!::GetAclInformation(dacl, &size, sizeof(size), AclSizeInformation)) return false;
  for (DWORD index = 0; index < size.AceCount; ++index) {
    void* ace = nullptr;
    if (!::GetAce(dacl, index, &ace) || ace == nullptr) return false;
    if (GrantsChangeToOthers(*static_cast<ACE_HEADER*>(ace))) return false;
  }
  return true;
}

bool ExecutableIsProtected(const std::wstring& exePath) {
  const std::wstring folder = ExecutableFolder(exePath);
  if (folder.empty() || folder.size() == exePath.size()) return false;
  // "C:\" names the drive's root only with its separator; other folders are read without it.
  std::wstring folderPath = folder;
  if (folderPath.size() > 1 && folderPath[folderPath.size() - 2] != L':') folderPath.pop_back();
  return PathIsProtected(exePath) && PathIsProtected(folderPath);
}
