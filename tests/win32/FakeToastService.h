#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "app/ToastAbi.h"
#include "app/ToastNotification.h"

// One object of the fake service.
struct TFakeObject {
  int References = 0;
  int Made = 0;  // how often it was handed out new
};

// A toast service made of test doubles behind a TWinRtApi: the two activation factories,
// the notifier, the XML document and the toast, each a static table of functions. It
// records what it is given and counts every reference and string, so a test sees what a
// toast would have sent and whether everything was released. The IIDs it answers to are
// written here from their text form, apart from the program's own declarations, so a
// wrong IID there finds no interface here. Each test starts with Reset().
struct TFakeToastService {
  // The call that fails, and how.
  enum class TStep {
    None,
    CreateString,
    ManagerFactory,
    CreateNotifier,
    ActivateXmlDocument,
    QueryXmlDocumentIO,
    LoadXml,
    QueryXmlDocument,
    ToastFactory,
    CreateToast,
    Show,
  };

  static inline HRESULT InitializeResult = S_OK;
  static inline TStep FailingStep = TStep::None;
  static inline HRESULT FailingResult = E_FAIL;
  // The failing call reports success but hands back no object, as broken code might.
  static inline bool FailWithNullObject = false;

  static inline std::vector<RO_INIT_TYPE> Initializations;
  static inline int Uninitializations = 0;
  static inline bool EverythingReleasedAtUninitialize = true;
  static inline std::vector<std::u16string> ActivatedClasses;
  static inline std::vector<std::u16string> FactoryClasses;
  static inline std::u16string NotifierApplicationId;
  static inline std::vector<std::u16string> LoadedXml;
  static inline bool ToastMadeFromTheLoadedDocument = false;
  static inline int Shows = 0;
  static inline bool ShownToastIsTheOneMade = false;
  static inline int LiveStrings = 0;

  static inline TFakeObject Manager, ToastFactory, Notifier, XmlDocument, Toast;

  static void Reset();
  static TWinRtApi Api();

  // True when no reference and no string is held any more.
  static bool EverythingReleased();
  static std::string Leaks();
};
