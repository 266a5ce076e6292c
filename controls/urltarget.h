// The target a link label opens, built from its kind and its address parts.
#pragma once

#include <string>
#include <vector>

namespace controls {

enum TUrlType { utCustom, utClickEvent, utFile, utFtp, utGopher, utHttp, utHttps, utMail, utNews, utTelnet, utWais };

struct TUrlParts {
  TUrlType URLType = utHttp;
  std::string CustomURLType;
  std::string URL;
  std::string MailSubject;
  std::vector<std::string> MailBody;
  std::string Bcc;
  std::string Cc;
};

// utClickEvent gives an empty target; utMail appends "?Subject=", "&Body=", "&Bcc=",
// "&Cc=" for the parts that are not empty (the first present one after "?"), the body's
// line breaks written as "%0A%0D".
std::string BuildUrl(const TUrlParts& parts);

}  // namespace controls
