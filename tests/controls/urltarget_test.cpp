#include "controls/urltarget.h"

#include <gtest/gtest.h>

namespace controls {
namespace {

TEST(BuildUrl, EveryKind) {
  struct {
    TUrlType type;
    const char* want;
  } cases[] = {
      {utCustom, "irc://example.org"}, {utClickEvent, ""},
      {utFile, "file://example.org"},  {utFtp, "ftp://example.org"},
      {utGopher, "gopher://example.org"}, {utHttp, "http://example.org"},
      {utHttps, "https://example.org"}, {utMail, "mailto:example.org"},
      {utNews, "news:example.org"},     {utTelnet, "telnet:example.org"},
      {utWais, "wais:example.org"},
  };
  for (const auto& c : cases) {
    TUrlParts p;
    p.URLType = c.type;
    p.CustomURLType = "irc://";
    p.URL = "example.org";
    EXPECT_EQ(BuildUrl(p), c.want) << c.type;
  }
}

TEST(BuildUrl, MailParameters) {
  TUrlParts p;
  p.URLType = utMail;
  p.URL = "a@b.c";
  p.MailSubject = std::string("S");
  p.MailBody = {"X", "Y"};
  EXPECT_EQ(BuildUrl(p), "mailto:a@b.c?Subject=S&Body=X%0A%0DY%0A%0D");
  p.Bcc = "d@e";
  p.Cc = "f@g";
  EXPECT_EQ(BuildUrl(p), "mailto:a@b.c?Subject=S&Body=X%0A%0DY%0A%0D&Bcc=d@e&Cc=f@g");

  TUrlParts cc;
  cc.URLType = utMail;
  cc.URL = "a@b.c";
  cc.Cc = "f@g";
  EXPECT_EQ(BuildUrl(cc), "mailto:a@b.c?Cc=f@g");
}

}  // namespace
}  // namespace controls
