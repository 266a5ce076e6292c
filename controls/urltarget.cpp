#include "controls/urltarget.h"

namespace controls {

std::string BuildUrl(const TUrlParts& p) {
  switch (p.URLType) {
    case utCustom: return p.CustomURLType + p.URL;
    case utClickEvent: return {};
    case utFile: return "file://" + p.URL;
    case utFtp: return "ftp://" + p.URL;
    case utGopher: return "gopher://" + p.URL;
    case utHttp: return "http://" + p.URL;
    case utHttps: return "https://" + p.URL;
    case utNews: return "news:" + p.URL;
    case utTelnet: return "telnet:" + p.URL;
    case utWais: return "wais:" + p.URL;
    case utMail: break;
  }
  std::string body;
  for (const std::string& line : p.MailBody) body += line + "%0A%0D";
  std::string out = "mailto:" + p.URL;
  bool first = true;
  auto add = [&](const char* key, const std::string& value) {
    if (value.empty()) return;
    out += first ? "?" : "&";
    out += key;
    out += value;
    first = false;
  };
  add("Subject=", p.MailSubject);
  add("Body=", body);
  add("Bcc=", p.Bcc);
  add("Cc=", p.Cc);
  return out;
}

}  // namespace controls
