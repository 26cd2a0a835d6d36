#pragma once

#include <windows.h>
// after windows.h, which it relies on
#include <winhttp.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The WinHTTP calls of a request, bound at run time to System32's winhttp.dll (it is no
// KnownDLL: imported statically, a copy beside the exe would run with its rights).
struct TWinHttpApi {
  decltype(&::WinHttpOpen) Open;
  decltype(&::WinHttpConnect) Connect;
  decltype(&::WinHttpOpenRequest) OpenRequest;
  decltype(&::WinHttpAddRequestHeaders) AddRequestHeaders;
  decltype(&::WinHttpSendRequest) SendRequest;
  decltype(&::WinHttpReceiveResponse) ReceiveResponse;
  decltype(&::WinHttpQueryDataAvailable) QueryDataAvailable;
  decltype(&::WinHttpReadData) ReadData;
  decltype(&::WinHttpCloseHandle) CloseHandle;
};
// Null entries (no winhttp.dll) make every request fail.
const TWinHttpApi& SystemWinHttpApi();

using THeaderList = std::vector<std::pair<std::u16string, std::u16string>>;

// The service's answers are a few hundred bytes; a longer body is refused, not read.
inline constexpr std::size_t MaxBodyBytes = 1024 * 1024;

// One GET of url with a fresh session: the headers in list order, no body, WinHTTP's own
// time-outs, proxy and redirects. True when any response arrived (the status is not
// looked at), with its body decoded as UTF-8 into text; false on any failure, and for a
// body over MaxBodyBytes, with text left as it was.
bool HttpGetText(std::u16string_view url, const THeaderList& headers, std::u16string& text);
bool HttpGetText(const TWinHttpApi& api, std::u16string_view url, const THeaderList& headers, std::u16string& text);
