// The auto-login request: after a login or a logout the browser's UI thread
// tells the product web site the member's single-sign-on token and whether
// the site should sign the member in by itself from now on. The site's
// answer is not read.
//
//   session::SendAutoLoginRequest(ssoToken, autoLoginSwitch);
//
// The call returns at once: the request goes out on a worker thread
// (platform::StartWorkerThread), so a dead or silent host never holds the
// caller, and its connect, send and receive time-outs (10 s each) end the
// worker in bounded time. The web site is soap::DefaultWebSite() at the time
// of the call; only its host and port are used (port 80 unless it names
// one). A malformed web-site address, or a token that would make the object
// name longer than a browser URL may be, sends nothing. Every outcome is
// traced as "AutoLogin::Send ..." (never the token); nothing is thrown.
#pragma once

#include <string>

namespace session {

void SendAutoLoginRequest(std::string ssoToken, bool autoLogin);

}  // namespace session
