#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "update/ServiceUrl.h"

namespace {

std::string Show(std::u16string_view text) {
  return testing::PrintToString(std::u16string(text));
}

struct TSplitCase {
  std::u16string_view Url;
  bool Secure;
  std::u16string_view Host;
  unsigned short Port;
  std::u16string_view Path;
};

constexpr TSplitCase SplitCases[] = {
    {u"https://api.example.com/api.init.php", true, u"api.example.com", 443, u"/api.init.php"},
    {u"http://127.0.0.1:8080/api.init.php", false, u"127.0.0.1", 8080, u"/api.init.php"},
    {u"https://api.example.com:8443/a/b", true, u"api.example.com", 8443, u"/a/b"},
    {u"http://example.com", false, u"example.com", 80, u"/"},
    {u"HTTPS://Example.com/X", true, u"Example.com", 443, u"/X"},
    {u"http://h:65535/", false, u"h", 65535, u"/"},
    {u"http://h:1/p?x=1&y=2", false, u"h", 1, u"/p?x=1&y=2"},
    {u"http://h?x=1", false, u"h", 80, u"/?x=1"},
    {u"https://h/p#part", true, u"h", 443, u"/p"},
    {u"https://h:0443/p", true, u"h", 443, u"/p"},
};

TEST(ServiceUrl, SplitsSchemeHostPortAndPath) {
  for (const auto& c : SplitCases) {
    const auto split = SplitServiceUrl(c.Url);
    ASSERT_TRUE(split.has_value()) << Show(c.Url);
    EXPECT_EQ(split->Secure, c.Secure) << Show(c.Url);
    EXPECT_EQ(split->Host, c.Host) << Show(c.Url);
    EXPECT_EQ(split->Port, c.Port) << Show(c.Url);
    EXPECT_EQ(split->Path, c.Path) << Show(c.Url);
  }
}

TEST(ServiceUrl, RejectsWhatCannotBeReached) {
  for (const std::u16string_view url : {
           u"",
           u"ftp://example.com/x",
           u"httpx://example.com/",
           u"https:/example.com/",
           u"example.com/api.init.php",
           u"https://",
           u"https:///path",
           u"http://:8080/",
           u"https://h:/p",
           u"https://h:0/p",
           u"https://h:65536/p",
           u"https://h:99999999999999999999/p",
           u"https://h:8o/p",
           u"https://h:-1/p",
           u"https://h:80:81/p",
           u"https://user@h/p",
           u"https://[::1]:8080/p",
           u"https://h h/p",
           u"https://h/p q",
           u"https://h/p\r\nX-Injected: 1",
       }) {
    EXPECT_FALSE(SplitServiceUrl(url).has_value()) << Show(url);
  }
}

}  // namespace
