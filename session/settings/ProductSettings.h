// The product's values in the registry: who is logged in (member id and
// single-sign-on token), whether to log in by itself, and where the product
// is installed. All are narrow ANSI strings of type REG_SZ under one key of
// HKEY_LOCAL_MACHINE that the installer creates.
//
// Writes store the text's own bytes and no terminator ("true" is 4 bytes),
// because the installer and the product's web pages read them that way.
// A key that cannot be opened reads as the defaults (empty, false) and makes
// a write do nothing; so does a value too long for its read buffer, which is
// what RegQueryValueEx does with a buffer that is too small.
//
// Safe on any thread: every call opens the key afresh.
#pragma once

#include <string>
#include <string_view>

namespace session {

inline constexpr char kProductSettingsKey[] =
    "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{33C6D76E-368F-4a53-86B9-CE4F4B4B386E}";

// Reads of MemberId, SSO and AutoLoggin take at most this many bytes.
inline constexpr std::size_t kSettingReadBytes = 260;
// HotIcon holds a full path and may take twice as many.
inline constexpr std::size_t kInstallPathReadBytes = 520;

std::string ReadMemberId();
void WriteMemberId(std::string_view memberId);

std::string ReadSso();
void WriteSso(std::string_view ssoToken);

// True exactly when the stored text is "true" ("True" is false).
bool ReadAutoLoggin();
void WriteAutoLoggin(bool autoLogin);

// The directory of the file HotIcon names: its text up to, not including,
// the last backslash; empty when there is none.
std::string ReadInstallDirectory();

}  // namespace session
