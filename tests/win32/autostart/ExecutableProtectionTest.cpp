#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "autostart/ExecutableProtection.h"

namespace {

using TLocalMemory = std::unique_ptr<void, decltype(&::LocalFree)>;

// Descriptors are written in SDDL, with {TI} for TrustedInstaller and {ANN} for a user.
TLocalMemory DescriptorOf(std::wstring sddl) {
  const std::pair<std::wstring, std::wstring> names[] = {
      {L"{TI}", L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"},
      {L"{ANN}", L"S-1-5-21-1004336348-1177238915-682003330-1001"},
  };
  for (const auto& [name, sid] : names) {
    for (std::size_t at = sddl.find(name); at != std::wstring::npos; at = sddl.find(name))
      sddl.replace(at, name.size(), sid);
  }
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr)) {
    ADD_FAILURE() << "the test's SDDL does not parse: " << testing::PrintToString(sddl);
    descriptor = nullptr;
  }
  return TLocalMemory(descriptor, &::LocalFree);
}

TEST(ExecutableProtection, OnlyAdministratorsSystemAndTrustedInstallerMayChangeTheExe) {
  struct TCase {
    const wchar_t* Name;
    const wchar_t* Sddl;
    bool Protected;
  };
  const TCase cases[] = {
      // The program files folder as Windows ships it: users read and run, and the entries
      // for creators and users apply only to what is made inside it later.
      {L"program files folder",
       L"O:{TI}D:PAI(A;;FA;;;{TI})(A;CIIO;GA;;;{TI})(A;;0x1301bf;;;SY)(A;OICIIO;GA;;;SY)(A;;0x1301bf;;;BA)"
       L"(A;OICIIO;GA;;;BA)(A;;0x1200a9;;;BU)(A;OICIIO;GXGR;;;BU)(A;OICIIO;GA;;;CO)(A;;0x1200a9;;;AC)"
       L"(A;OICIIO;GXGR;;;AC)",
       true},
      {L"installed exe inheriting from it",
       L"O:BAD:AI(A;ID;FA;;;{TI})(A;ID;0x1301bf;;;SY)(A;ID;0x1301bf;;;BA)(A;ID;0x1200a9;;;BU)(A;ID;0x1200a9;;;AC)",
       true},
      {L"owned by SYSTEM", L"O:SYD:(A;;FA;;;SY)(A;;FA;;;BA)", true},
      {L"nobody may do anything", L"O:BAD:", true},
      {L"denials grant nothing", L"O:BAD:(A;;FA;;;BA)(D;;FA;;;WD)", true},
      {L"users may change attributes only", L"O:BAD:(A;;FA;;;BA)(A;;0x1201a9;;;BU)", true},
      {L"inherit-only full control for users", L"O:BAD:(A;;FA;;;BA)(A;OICIIO;FA;;;BU)", true},

      // A user's own folder, Downloads say: the user owns it and has full control.
      {L"downloads", L"O:{ANN}D:(A;OICIID;FA;;;SY)(A;OICIID;FA;;;BA)(A;OICIID;FA;;;{ANN})", false},
      {L"owned by a user", L"O:{ANN}D:(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x1200a9;;;BU)", false},
      {L"owned by users", L"O:BUD:(A;;FA;;;BA)", false},
      {L"authenticated users modify", L"O:BAD:(A;;FA;;;BA)(A;;0x1301bf;;;AU)", false},
      {L"everyone full control", L"O:BAD:(A;;FA;;;WD)", false},
      {L"creator owner on the object itself", L"O:BAD:(A;;FA;;;BA)(A;;FA;;;CO)", false},
      {L"a service account writes", L"O:BAD:(A;;FA;;;BA)(A;;FW;;;NS)", false},
      {L"no DACL", L"O:BA", false},
      {L"no owner", L"D:(A;;FA;;;BA)", false},
  };
  for (const TCase& c : cases) {
    const TLocalMemory descriptor = DescriptorOf(c.Sddl);
    EXPECT_EQ(OnlyAdministratorsCanChange(descriptor.get()), c.Protected) << testing::PrintToString(c.Name);
  }
}

TEST(ExecutableProtection, AnyOneRightToReplaceOrRepermitIsEnough) {
  struct TCase {
    const wchar_t* Right;
    ACCESS_MASK Mask;
  };
  const TCase cases[] = {
      {L"FILE_WRITE_DATA (FILE_ADD_FILE)", FILE_WRITE_DATA},
      {L"FILE_APPEND_DATA (FILE_ADD_SUBDIRECTORY)", FILE_APPEND_DATA},
      {L"FILE_DELETE_CHILD", FILE_DELETE_CHILD},
      {L"DELETE", DELETE},
      {L"WRITE_DAC", WRITE_DAC},
      {L"WRITE_OWNER", WRITE_OWNER},
      {L"GENERIC_WRITE", GENERIC_WRITE},
      {L"GENERIC_ALL", GENERIC_ALL},
  };
  for (const TCase& c : cases) {
    const std::wstring sddl = L"O:BAD:(A;;FA;;;BA)(A;;" + std::to_wstring(c.Mask) + L";;;BU)";
    const TLocalMemory descriptor = DescriptorOf(sddl);
    EXPECT_FALSE(OnlyAdministratorsCanChange(descriptor.get())) << testing::PrintToString(c.Right);
  }
}

TEST(ExecutableProtection, ANullDaclGrantsEverything) {
  SECURITY_DESCRIPTOR descriptor{};
  ASSERT_TRUE(::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
  const TLocalMemory owner = DescriptorOf(L"O:BA");
  PSID administrators = nullptr;
  BOOL defaulted = FALSE;
  ASSERT_TRUE(::GetSecurityDescriptorOwner(owner.get(), &administrators, &defaulted));
  ASSERT_TRUE(::SetSecurityDescriptorOwner(&descriptor, administrators, FALSE));
  ASSERT_TRUE(::SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE));
  EXPECT_FALSE(OnlyAdministratorsCanChange(&descriptor));

  EXPECT_FALSE(OnlyAdministratorsCanChange(nullptr));
}

// Grants in the forms SDDL cannot always spell: a conditional (callback) entry and an
// object entry, each built by hand.
TEST(ExecutableProtection, ConditionalAndObjectGrantsCount) {
  const TLocalMemory users = DescriptorOf(L"O:BU");
  PSID usersSid = nullptr;
  BOOL defaulted = FALSE;
  ASSERT_TRUE(::GetSecurityDescriptorOwner(users.get(), &usersSid, &defaulted));
  const DWORD sidLength = ::GetLengthSid(usersSid);

  struct TCase {
    const wchar_t* Name;
    BYTE AceType;
    DWORD ObjectFlags;  // only object entries carry this field
    ACCESS_MASK Mask;
    bool Protected;
  };
  const TCase cases[] = {
      {L"conditional write for users", ACCESS_ALLOWED_CALLBACK_ACE_TYPE, 0, FILE_WRITE_DATA, false},
      {L"conditional read for users", ACCESS_ALLOWED_CALLBACK_ACE_TYPE, 0, FILE_GENERIC_READ, true},
      {L"object write for users", ACCESS_ALLOWED_OBJECT_ACE_TYPE, 0, FILE_WRITE_DATA, false},
      {L"object read for users", ACCESS_ALLOWED_OBJECT_ACE_TYPE, 0, FILE_GENERIC_READ, true},
  };
  for (const TCase& c : cases) {
    const bool object = c.AceType == ACCESS_ALLOWED_OBJECT_ACE_TYPE;
    std::vector<BYTE> ace(sizeof(ACE_HEADER) + sizeof(ACCESS_MASK) + (object ? sizeof(DWORD) : 0) + sidLength);
    auto* header = reinterpret_cast<ACE_HEADER*>(ace.data());
    header->AceType = c.AceType;
    header->AceSize = static_cast<WORD>(ace.size());
    *reinterpret_cast<ACCESS_MASK*>(ace.data() + sizeof(ACE_HEADER)) = c.Mask;
    BYTE* sid = ace.data() + sizeof(ACE_HEADER) + sizeof(ACCESS_MASK);
    if (object) sid += sizeof(DWORD);  // the object flags stay 0: no object types follow
    ASSERT_TRUE(::CopySid(sidLength, sid, usersSid));

    std::vector<BYTE> acl(sizeof(ACL) + ace.size() + 64);
    ASSERT_TRUE(::InitializeAcl(reinterpret_cast<PACL>(acl.data()), static_cast<DWORD>(acl.size()), ACL_REVISION_DS));
    ASSERT_TRUE(::AddAce(reinterpret_cast<PACL>(acl.data()), ACL_REVISION_DS, MAXDWORD, ace.data(),
                         static_cast<DWORD>(ace.size())))
        << ::GetLastError();

    SECURITY_DESCRIPTOR descriptor{};
    ASSERT_TRUE(::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    const TLocalMemory owner = DescriptorOf(L"O:BA");
    PSID administrators = nullptr;
    ASSERT_TRUE(::GetSecurityDescriptorOwner(owner.get(), &administrators, &defaulted));
    ASSERT_TRUE(::SetSecurityDescriptorOwner(&descriptor, administrators, FALSE));
    ASSERT_TRUE(::SetSecurityDescriptorDacl(&descriptor, TRUE, reinterpret_cast<PACL>(acl.data()), FALSE));
    EXPECT_EQ(OnlyAdministratorsCanChange(&descriptor), c.Protected) << testing::PrintToString(c.Name);
  }
}

// Wine gives every file a descriptor owned by the user, so a real exe is never protected
// there; what can be checked on the file system is the refusal when nothing can be read.
TEST(ExecutableProtection, AnExeWhosePermissionsCannotBeReadIsNotProtected) {
  EXPECT_FALSE(ExecutableIsProtected(L"C:\\no such folder\\orvanta.exe"));
  EXPECT_FALSE(ExecutableIsProtected(L"orvanta.exe"));
  EXPECT_FALSE(ExecutableIsProtected(L""));
}

}  // namespace
