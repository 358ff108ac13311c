#include "tools/refservice/ProductEnvironment.h"

namespace refservice {

std::vector<EnvironmentVariable> ProductEnvironmentFor(std::string_view baseUrl) {
  const std::string site(baseUrl);
  return {
      {"VIMARU_ADS_ENDPOINT", site + "/qxadsex.asmx"},
      {"VIMARU_UTILS_ENDPOINT", site + "/utils/utils.asmx"},
      {"VIMARU_WEB_SITE", site + "/"},
      {"VIMARU_MAIL_SITE", site + "/mail"},
      {"VIMARU_MAIL_SECURE_SITE", site + "/mail"},
      {"VIMARU_SEARCH_SITE", site + "/classifieds"},
      {"VIMARU_SEARCH_MSN", site + "/engines/msn"},
      {"VIMARU_SEARCH_ASK", site + "/engines/ask"},
      {"VIMARU_SEARCH_GOOGLE", site + "/engines/google"},
      {"VIMARU_SEARCH_LYCOS", site + "/engines/lycos"},
      {"VIMARU_SEARCH_YAHOO", site + "/engines/yahoo"},
  };
}

}  // namespace refservice
