// The plain records through which the session and the ads thread talk to
// the services via `VimaruConnector`. Strings are wide; an `AdEntry` or
// `CategoryEntry` string is null where the service left the field out.
#pragma once

#include <string>

#include "platform/com/HResult.h"
#include "soap/runtime/SoapTypes.h"

namespace soap {

// What the ads thread asks for. Numbers travel as decimal text and are
// converted the way the C library's atoi converts ("" and "abc" give 0).
struct AdRequest {
  std::u16string encryptedMemberId;  // sent with member ads only
  std::u16string offerId;            // decimal text; the product sends "60"
  std::u16string memberIp;
  std::u16string categoryGroup;  // sent as cgroup
  std::u16string keyword;
  std::u16string maxAds;     // decimal text; the product sends "5"
  std::u16string userAgent;  // sent as ua
  std::u16string pageUrl;    // sent as sURL
};

struct AdEntry {
  SoapString Title;
  SoapString Url;
  SoapString Description;
  SoapString ClickUrl;
};

// A category (keyword in Label, category group in Name), or a blocked term
// (the term in Label, Name null).
struct CategoryEntry {
  SoapString Label;
  SoapString Name;
};

// The member's figures for the toolbar's buttons; `valid` is 1 only when
// the rest came from the service.
struct MemberTotals {
  int valid = 0;
  double money = 0;
  int friends = 0;
  int mailCount = 0;
  int mailFlag = 0;  // 1: the member has mail to show
};

// How the one call of a `bx` operation ended, for the people who debug it;
// the product itself acts on the counts and the valid flag alone. `status`
// is the call's HRESULT, `error` the proxy's client error and `cause` the
// failure in words (empty when the call succeeded).
struct CallOutcome {
  HRESULT status = S_OK;
  SoapClientError error = SoapClientError::kSuccess;
  std::string cause;
};

}  // namespace soap
