// Who referred this installation: the installer stores the referrer's id, or
// the referrer's own subdomain, beside the product's uninstall entry. A
// visitor's "Join Free." link is built from them (JoinLink.h). Both are
// narrow ANSI strings of type REG_SZ under HKEY_LOCAL_MACHINE.
//
// The values are outside input: they are read into bounded buffers, never
// trusted to carry a terminator, and a key that cannot be opened, a value
// that is missing, not REG_SZ or longer than its buffer reads as absent.
//
// Safe on any thread: every read opens the key afresh.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace session {

inline constexpr char kReferralKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lantivo Toolbar";

// Each value is read with a buffer of this many bytes.
inline constexpr std::size_t kReferralValueReadBytes = 1023;

// The two referral values a visitor's join link is built from; each absent
// when not stored. A stored value is its text up to the first NUL.
struct ReferralValues {
  std::optional<std::string> referalId;
  std::optional<std::string> referalSubDomain;
};

// Reads ReferalId and ReferalSubDomain. Never throws: a failure (running out
// of memory) reads as both absent, traced as
// "QXThread::ReadReferralValues exception".
ReferralValues ReadReferralValues();

}  // namespace session
