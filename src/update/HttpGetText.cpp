#include "update/HttpGetText.h"

#include <optional>

#include "i18n/Utf8.h"
#include "update/ServiceUrl.h"
#include "win32/ProcAddress.h"
#include "win32/WideText.h"

namespace {

TWinHttpApi BindSystemWinHttpApi() {
  // Never unloaded: requests may run on worker threads until the process ends.
  const HMODULE winhttp = LoadSystemLibrary(L"winhttp.dll");
  TWinHttpApi api{};
  api.Open = ProcAddress<decltype(api.Open)>(winhttp, "WinHttpOpen");
  api.Connect = ProcAddress<decltype(api.Connect)>(winhttp, "WinHttpConnect");
  api.OpenRequest = ProcAddress<decltype(api.OpenRequest)>(winhttp, "WinHttpOpenRequest");
  api.AddRequestHeaders = ProcAddress<decltype(api.AddRequestHeaders)>(winhttp, "WinHttpAddRequestHeaders");
  api.SendRequest = ProcAddress<decltype(api.SendRequest)>(winhttp, "WinHttpSendRequest");
  api.ReceiveResponse = ProcAddress<decltype(api.ReceiveResponse)>(winhttp, "WinHttpReceiveResponse");
  api.QueryDataAvailable = ProcAddress<decltype(api.QueryDataAvailable)>(winhttp, "WinHttpQueryDataAvailable");
  api.ReadData = ProcAddress<decltype(api.ReadData)>(winhttp, "WinHttpReadData");
  api.CloseHandle = ProcAddress<decltype(api.CloseHandle)>(winhttp, "WinHttpCloseHandle");
  return api;
}

bool Complete(const TWinHttpApi& api) {
  return api.Open && api.Connect && api.OpenRequest && api.AddRequestHeaders && api.SendRequest &&
         api.ReceiveResponse && api.QueryDataAvailable && api.ReadData && api.CloseHandle;
}

// Owns one WinHTTP handle; closed through the same table that opened it.
class TInternetHandle {
 public:
  TInternetHandle(const TWinHttpApi& api, HINTERNET handle) : FApi(api), FHandle(handle) {}
  TInternetHandle(const TInternetHandle&) = delete;
  TInternetHandle& operator=(const TInternetHandle&) = delete;
  ~TInternetHandle() {
    if (FHandle != nullptr) FApi.CloseHandle(FHandle);
  }
  HINTERNET Get() const { return FHandle; }

 private:
  const TWinHttpApi& FApi;
  HINTERNET FHandle;
};

std::optional<std::string> ReadBody(const TWinHttpApi& api, HINTERNET request) {
  std::string body;
  for (;;) {
    DWORD available = 0;
    if (!api.QueryDataAvailable(request, &available)) return std::nullopt;
    if (available == 0) return body;
    if (body.size() + available > MaxBodyBytes) return std::nullopt;
    const std::size_t start = body.size();
    body.resize(start + available);
    DWORD read = 0;
    if (!api.ReadData(request, body.data() + start, available, &read)) return std::nullopt;
    body.resize(start + read);
    if (read == 0) return body;
  }
}

}  // namespace

const TWinHttpApi& SystemWinHttpApi() {
  static const TWinHttpApi api = BindSystemWinHttpApi();
  return api;
}

bool HttpGetText(const TWinHttpApi& api, std::u16string_view url, const THeaderList& headers, std::u16string& text) {
  try {
    const std::optional<TServiceUrl> target = SplitServiceUrl(url);
    if (!target || !Complete(api)) return false;
    const TInternetHandle session(
        api, api.Open(nullptr, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (session.Get() == nullptr) return false;
    const std::u16string host = target->Host;
    const TInternetHandle connection(api, api.Connect(session.Get(), AsWide(host), target->Port, 0));
    if (connection.Get() == nullptr) return false;
    const std::u16string path = target->Path;
    const TInternetHandle request(
        api, api.OpenRequest(connection.Get(), L"GET", AsWide(path), nullptr, WINHTTP_NO_REFERER,
                             WINHTTP_DEFAULT_ACCEPT_TYPES, target->Secure ? WINHTTP_FLAG_SECURE : 0));
    if (request.Get() == nullptr) return false;
    for (const auto& [name, value] : headers) {
      const std::u16string line = name + u": " + value;
      if (!api.AddRequestHeaders(request.Get(), AsWide(line), static_cast<DWORD>(-1L), WINHTTP_ADDREQ_FLAG_ADD)) {
        return false;
      }
    }
    if (!api.SendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0)) {
      return false;
    }
    if (!api.ReceiveResponse(request.Get(), nullptr)) return false;
    const std::optional<std::string> body = ReadBody(api, request.Get());
    if (!body) return false;
    text = DecodeUtf8(*body);
    return true;
  } catch (...) {
    // Out of memory on a request counts as a failed attempt, like any network error.
    return false;
  }
}

bool HttpGetText(std::u16string_view url, const THeaderList& headers, std::u16string& text) {
  return HttpGetText(SystemWinHttpApi(), url, headers, text);
}
