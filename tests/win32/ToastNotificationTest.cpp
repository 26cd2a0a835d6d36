#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <string>
#include <thread>

#include "FakeToastService.h"
#include "app/ToastNotification.h"
#include "app/ToastXml.h"
#include "win32/ProcAddress.h"

namespace {

using TStep = TFakeToastService::TStep;

constexpr std::u16string_view ApplicationId = u"Quiremo.Orvanta";
constexpr std::u16string_view Title = u"Orvanta";
constexpr std::u16string_view Body = u"Memory & standby list <cleaned>";

class ShowToastTest : public testing::Test {
 protected:
  void SetUp() override { TFakeToastService::Reset(); }

  static void Show() { ShowToast(TFakeToastService::Api(), ApplicationId, Title, Body); }

  // Whatever happened, the apartment is left as found and nothing is held.
  static void ExpectBalanced() {
    EXPECT_EQ(TFakeToastService::Initializations, std::vector<RO_INIT_TYPE>{RO_INIT_SINGLETHREADED});
    EXPECT_EQ(TFakeToastService::Uninitializations, 1);
    EXPECT_TRUE(TFakeToastService::EverythingReleasedAtUninitialize) << "the runtime went before its objects";
    EXPECT_TRUE(TFakeToastService::EverythingReleased()) << "still held: " << TFakeToastService::Leaks();
  }
};

TEST_F(ShowToastTest, ShowsTheEscapedDocumentUnderTheRegisteredIdentity) {
  Show();
  EXPECT_EQ(TFakeToastService::NotifierApplicationId, ApplicationId);
  EXPECT_EQ(TFakeToastService::LoadedXml, std::vector<std::u16string>{ToastXml(Title, Body)});
  ASSERT_EQ(TFakeToastService::LoadedXml.size(), 1u);
  EXPECT_NE(TFakeToastService::LoadedXml[0].find(u"<text>Memory &amp; standby list &lt;cleaned&gt;</text>"),
            std::u16string::npos);
  EXPECT_EQ(TFakeToastService::ActivatedClasses, std::vector<std::u16string>{u"Windows.Data.Xml.Dom.XmlDocument"});
  EXPECT_TRUE(TFakeToastService::ToastMadeFromTheLoadedDocument);
  EXPECT_EQ(TFakeToastService::Shows, 1);
  EXPECT_TRUE(TFakeToastService::ShownToastIsTheOneMade);
  ExpectBalanced();
}

TEST_F(ShowToastTest, WithoutAToastServiceShowsNothingAndBuildsNothing) {
  TFakeToastService::FailingStep = TStep::ManagerFactory;
  TFakeToastService::FailingResult = REGDB_E_CLASSNOTREG;
  EXPECT_NO_THROW(Show());
  EXPECT_EQ(TFakeToastService::FactoryClasses,
            std::vector<std::u16string>{u"Windows.UI.Notifications.ToastNotificationManager"});
  EXPECT_TRUE(TFakeToastService::ActivatedClasses.empty());
  EXPECT_EQ(TFakeToastService::Shows, 0);
  ExpectBalanced();
}

TEST_F(ShowToastTest, DropsTheToastWhereverACallFailsAndReleasesEverything) {
  struct TCase {
    TStep Step;
    HRESULT Result;
    bool NullObject;
  };
  const TCase cases[] = {
      {TStep::CreateString, E_OUTOFMEMORY, false},
      {TStep::ManagerFactory, S_OK, true},
      {TStep::CreateNotifier, E_ACCESSDENIED, false},
      {TStep::CreateNotifier, S_OK, true},
      {TStep::ActivateXmlDocument, REGDB_E_CLASSNOTREG, false},
      {TStep::ActivateXmlDocument, S_OK, true},
      {TStep::QueryXmlDocumentIO, E_NOINTERFACE, false},
      {TStep::QueryXmlDocumentIO, S_OK, true},
      {TStep::LoadXml, static_cast<HRESULT>(0xC00CE558), false},  // an XML parse error
      {TStep::QueryXmlDocument, E_NOINTERFACE, false},
      {TStep::ToastFactory, REGDB_E_CLASSNOTREG, false},
      {TStep::ToastFactory, S_OK, true},
      {TStep::CreateToast, E_INVALIDARG, false},
      {TStep::CreateToast, S_OK, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "failing step " << static_cast<int>(c.Step) << ", result 0x" << std::hex
                                    << static_cast<unsigned long>(c.Result) << (c.NullObject ? " with no object" : ""));
    TFakeToastService::Reset();
    TFakeToastService::FailingStep = c.Step;
    TFakeToastService::FailingResult = c.Result;
    TFakeToastService::FailWithNullObject = c.NullObject;
    EXPECT_NO_THROW(Show());
    EXPECT_EQ(TFakeToastService::Shows, 0);
    ExpectBalanced();
  }
}

TEST_F(ShowToastTest, NotificationsTurnedOffAreNoError) {
  TFakeToastService::FailingStep = TStep::Show;
  TFakeToastService::FailingResult = static_cast<HRESULT>(0x803E0111);  // notifications disabled
  EXPECT_NO_THROW(Show());
  EXPECT_EQ(TFakeToastService::Shows, 1);
  ExpectBalanced();
}

TEST_F(ShowToastTest, UndoesOnlyTheInitialisationItMade) {
  struct TCase {
    HRESULT Initialize;
    int Shows;
    int Uninitializations;
  };
  const TCase cases[] = {
      {S_FALSE, 1, 1},             // already single-threaded: one more count to give back
      {RPC_E_CHANGED_MODE, 1, 0},  // the thread is multithreaded, which serves as well
      {E_OUTOFMEMORY, 0, 0},       // no runtime on this thread
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "RoInitialize 0x" << std::hex << static_cast<unsigned long>(c.Initialize));
    TFakeToastService::Reset();
    TFakeToastService::InitializeResult = c.Initialize;
    Show();
    EXPECT_EQ(TFakeToastService::Shows, c.Shows);
    EXPECT_EQ(TFakeToastService::Uninitializations, c.Uninitializations);
    EXPECT_TRUE(TFakeToastService::EverythingReleased()) << "still held: " << TFakeToastService::Leaks();
  }
}

// The real runtime of this system. Under Wine there is no toast service; a Windows
// machine may show the toast. Either way the thread must be usable for the
// apartment-threaded COM calls of the logon task afterwards.
TEST(ShowToastOnThisSystem, LeavesTheThreadReadyForApartmentThreadedCom) {
  // Binding loads combase, so it is looked up afterwards.
  const TWinRtApi& api = SystemWinRtApi();
  const HMODULE combase = ::GetModuleHandleW(L"combase.dll");
  ASSERT_EQ(api.RoInitialize, ProcAddress<decltype(TWinRtApi::RoInitialize)>(combase, "RoInitialize"))
      << "the toast would not reach the system's runtime";
  std::thread([] {
    ShowToast(SystemWinRtApi(), ApplicationId, Title, Body);
    const HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(result, S_OK) << "the toast left the apartment initialised or changed";
    if (SUCCEEDED(result)) ::CoUninitialize();
  }).join();
}

TEST(ShowToastOnThisSystem, KeepsAMultithreadedThreadMultithreaded) {
  std::thread([] {
    ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    ShowToast(SystemWinRtApi(), ApplicationId, Title, Body);
    // Still the same apartment, with the one count taken above.
    EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    ::CoUninitialize();
    ::CoUninitialize();
  }).join();
}

}  // namespace
