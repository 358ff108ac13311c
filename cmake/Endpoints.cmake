# Where the product's services and web sites live. These are build-time
# constants of the toolbar; a deployment changes them here, not at run time.
# Only the two service endpoints and the web site may be redirected at run
# time, through the environment variables of the same names, so the demo and
# the tests can point a real build at the loopback reference service. The
# namespaces are part of the wire contract and stay as built.
#
# The values end up in a generated header, soap/ServiceConfig.h, that the
# `soap_endpoints` interface library puts on the include path.

set(VIMARU_ADS_ENDPOINT "http://ads.vimaru.com/qxadsex.asmx"
    CACHE STRING "Default endpoint of the ads service (path /qxadsex.asmx)")
set(VIMARU_UTILS_ENDPOINT "http://www.vimaru.com/utils/utils.asmx"
    CACHE STRING "Default endpoint of the utils service (path /utils/utils.asmx)")
set(VIMARU_ADS_NAMESPACE "http://ads.vimaru.com/"
    CACHE STRING "Service namespace of the ads service (ends in /)")
set(VIMARU_UTILS_NAMESPACE "http://www.vimaru.com/Utils/"
    CACHE STRING "Service namespace of the utils service (ends in /Utils/)")
set(VIMARU_WEB_SITE "http://www.vimaru.com/"
    CACHE STRING "Base address of the product's web site (ends in /)")
# The sidebar's links: a visitor's join link goes to the referral site (with
# the referrer's id) or to a referrer's own subdomain of the referral domain,
# and the "ads by QX" mark links to the ad brand's home page. They are only
# links the browser follows, never requests of ours, so the sidebar builds
# them from the values as built. The referral domain alone may be redirected
# at run time, for the member pages the toolbar's buttons open (below).
set(VIMARU_REFERRAL_SITE "http://www.vimaru.com/"
    CACHE STRING "Base address of the referral site (ends in /)")
set(VIMARU_REFERRAL_DOMAIN ".vimaru.com"
    CACHE STRING "Domain that referrers' subdomains live under (starts with .)")
set(VIMARU_AD_BRAND_SITE "http://www.qxads.com/"
    CACHE STRING "Home page of the ad brand (ends in /)")

# The sites the toolbar's buttons and menu items open in the tab: the mail
# service (its home page over http, its enrolment over https), the
# product's own search host (the classifieds), and the five web search
# engines the "Search" menu offers. Each is an origin: scheme and host, no
# path, no trailing slash. The product web site is VIMARU_WEB_SITE above.
# All of them may be redirected at run time by the environment variable of
# the same name, so a walk through the toolbar can land on the reference
# web site; a run-time value may then end in a path (the reference site
# keeps each site in a folder of its own). The mail service's secure origin
# is a value of its own because one host and port cannot answer both
# schemes: a test site serves it over plain http on its own folder.
set(VIMARU_MAIL_SITE "http://mail.vimaru.com"
    CACHE STRING "Origin of the product's mail service (http, no trailing /)")
set(VIMARU_MAIL_SECURE_SITE "https://mail.vimaru.com"
    CACHE STRING "Origin of the mail service's enrolment (https, no trailing /)")
set(VIMARU_SEARCH_SITE "http://search.vimaru.com"
    CACHE STRING "Origin of the product's search host, the classifieds (no trailing /)")
set(VIMARU_SEARCH_MSN "http://search.live.com"
    CACHE STRING "Origin of the MSN Live search engine (no trailing /)")
set(VIMARU_SEARCH_ASK "http://www.ask.com"
    CACHE STRING "Origin of the Ask search engine (no trailing /)")
set(VIMARU_SEARCH_GOOGLE "http://www.google.com"
    CACHE STRING "Origin of the Google search engine (no trailing /)")
set(VIMARU_SEARCH_LYCOS "http://search.lycos.com"
    CACHE STRING "Origin of the Lycos search engine (no trailing /)")
set(VIMARU_SEARCH_YAHOO "http://search.yahoo.com"
    CACHE STRING "Origin of the Yahoo search engine (no trailing /)")

# The values become C string literals and descriptor names: refuse anything
# that is not a plain http URL, and the shapes the services fix.
function(vimaru_check_service_url variable pattern)
  if(NOT "${${variable}}" MATCHES "^http://[^\"\\\\ \t]+${pattern}$")
    message(FATAL_ERROR "${variable} must be an http URL matching ...${pattern}, not '${${variable}}'")
  endif()
endfunction()
vimaru_check_service_url(VIMARU_ADS_ENDPOINT "/qxadsex\\.asmx")
vimaru_check_service_url(VIMARU_UTILS_ENDPOINT "/utils/utils\\.asmx")
vimaru_check_service_url(VIMARU_ADS_NAMESPACE "/")
vimaru_check_service_url(VIMARU_UTILS_NAMESPACE "/Utils/")
vimaru_check_service_url(VIMARU_WEB_SITE "/")
vimaru_check_service_url(VIMARU_REFERRAL_SITE "/")
vimaru_check_service_url(VIMARU_AD_BRAND_SITE "/")
function(vimaru_check_origin variable scheme)
  if(NOT "${${variable}}" MATCHES "^${scheme}://[A-Za-z0-9.-]+(:[0-9]+)?$")
    message(FATAL_ERROR "${variable} must be a ${scheme} origin without a path, not '${${variable}}'")
  endif()
endfunction()
vimaru_check_origin(VIMARU_MAIL_SITE "http")
vimaru_check_origin(VIMARU_MAIL_SECURE_SITE "https")
foreach(origin SEARCH_SITE SEARCH_MSN SEARCH_ASK SEARCH_GOOGLE SEARCH_LYCOS SEARCH_YAHOO)
  vimaru_check_origin(VIMARU_${origin} "http")
endforeach()
# The domain ends a host name the sidebar builds: DNS labels only.
if(NOT VIMARU_REFERRAL_DOMAIN MATCHES "^(\\.[A-Za-z0-9-]+)+$")
  message(FATAL_ERROR "VIMARU_REFERRAL_DOMAIN must be a domain starting with '.', not '${VIMARU_REFERRAL_DOMAIN}'")
endif()

set(VIMARU_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${VIMARU_GENERATED_DIR}/soap/ServiceConfig.h @ONLY CONTENT [[
// Generated by cmake/Endpoints.cmake: the service and web-site addresses
// this build was configured with. Edit the CMake cache variables, not this
// file.
#pragma once

#include <cstdlib>
#include <string>

namespace soap {

inline constexpr char kBuiltInAdsEndpoint[] = "@VIMARU_ADS_ENDPOINT@";
inline constexpr char kBuiltInUtilsEndpoint[] = "@VIMARU_UTILS_ENDPOINT@";
inline constexpr char AdsServiceNamespace[] = "@VIMARU_ADS_NAMESPACE@";
inline constexpr char UtilsServiceNamespace[] = "@VIMARU_UTILS_NAMESPACE@";
inline constexpr char kWebSite[] = "@VIMARU_WEB_SITE@";

// The sidebar's links, fixed at build time: no run-time override.
inline constexpr char kReferralSite[] = "@VIMARU_REFERRAL_SITE@";
inline constexpr char kReferralDomain[] = "@VIMARU_REFERRAL_DOMAIN@";
inline constexpr char kAdBrandSite[] = "@VIMARU_AD_BRAND_SITE@";

// The sites the toolbar's commands open: origins without a trailing slash.
inline constexpr char kBuiltInMailSite[] = "@VIMARU_MAIL_SITE@";
inline constexpr char kBuiltInMailSecureSite[] = "@VIMARU_MAIL_SECURE_SITE@";
inline constexpr char kBuiltInSearchSite[] = "@VIMARU_SEARCH_SITE@";
inline constexpr char kBuiltInMsnSearch[] = "@VIMARU_SEARCH_MSN@";
inline constexpr char kBuiltInAskSearch[] = "@VIMARU_SEARCH_ASK@";
inline constexpr char kBuiltInGoogleSearch[] = "@VIMARU_SEARCH_GOOGLE@";
inline constexpr char kBuiltInLycosSearch[] = "@VIMARU_SEARCH_LYCOS@";
inline constexpr char kBuiltInYahooSearch[] = "@VIMARU_SEARCH_YAHOO@";

inline constexpr char kAdsEndpointVariable[] = "VIMARU_ADS_ENDPOINT";
inline constexpr char kUtilsEndpointVariable[] = "VIMARU_UTILS_ENDPOINT";
inline constexpr char kWebSiteVariable[] = "VIMARU_WEB_SITE";
inline constexpr char kReferralDomainVariable[] = "VIMARU_REFERRAL_DOMAIN";
inline constexpr char kMailSiteVariable[] = "VIMARU_MAIL_SITE";
inline constexpr char kMailSecureSiteVariable[] = "VIMARU_MAIL_SECURE_SITE";
inline constexpr char kSearchSiteVariable[] = "VIMARU_SEARCH_SITE";
inline constexpr char kMsnSearchVariable[] = "VIMARU_SEARCH_MSN";
inline constexpr char kAskSearchVariable[] = "VIMARU_SEARCH_ASK";
inline constexpr char kGoogleSearchVariable[] = "VIMARU_SEARCH_GOOGLE";
inline constexpr char kLycosSearchVariable[] = "VIMARU_SEARCH_LYCOS";
inline constexpr char kYahooSearchVariable[] = "VIMARU_SEARCH_YAHOO";

// The one place the run-time override is read: a proxy built without an
// explicit URL, and every request to the web site, start here. A set but
// empty variable counts as unset, so a stray "export VIMARU_ADS_ENDPOINT="
// cannot leave the proxies without a host.
inline std::string ServiceEndpointOrOverride(const char* variable, const char* builtIn) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0' ? std::string(value) : std::string(builtIn);
}

inline std::string DefaultAdsEndpoint() {
  return ServiceEndpointOrOverride(kAdsEndpointVariable, kBuiltInAdsEndpoint);
}

inline std::string DefaultUtilsEndpoint() {
  return ServiceEndpointOrOverride(kUtilsEndpointVariable, kBuiltInUtilsEndpoint);
}

inline std::string DefaultWebSite() {
  return ServiceEndpointOrOverride(kWebSiteVariable, kWebSite);
}

// The referral domain as the member pages and the sidebar's join link use
// it. A run-time value may carry a port.
inline std::string DefaultReferralDomain() {
  return ServiceEndpointOrOverride(kReferralDomainVariable, kReferralDomain);
}

inline std::string DefaultMailSite() {
  return ServiceEndpointOrOverride(kMailSiteVariable, kBuiltInMailSite);
}

inline std::string DefaultMailSecureSite() {
  return ServiceEndpointOrOverride(kMailSecureSiteVariable, kBuiltInMailSecureSite);
}

inline std::string DefaultSearchSite() {
  return ServiceEndpointOrOverride(kSearchSiteVariable, kBuiltInSearchSite);
}

}  // namespace soap
]])

add_library(soap_endpoints INTERFACE)
target_include_directories(soap_endpoints INTERFACE ${VIMARU_GENERATED_DIR})
