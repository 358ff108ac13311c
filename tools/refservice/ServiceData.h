// The reference service's content, loaded once at start from plain text
// files (see data/README.txt for their formats). Texts may hold "{site}",
// which the service replaces with its own base URL ("http://127.0.0.1:PORT")
// when it answers, because the port is only known once it listens.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace refservice {

struct Category {
  std::string label;  // one lower-case keyword, matched literally in page text
  std::string name;   // the category group sent back as cgroup
};

struct Ad {
  std::string id;
  std::string group;  // category name this ad is served for
  std::string title;
  std::string description;
  std::string displayUrl;
  std::string keyword;
  std::string bidPrice;  // decimal text
  std::string imageUrl;  // may be empty
};

struct Member {
  std::string email;
  std::string password;
  int securityQuestionId = 0;
  std::string securityAnswer;
  std::string userName;
  std::string encMemberId;
  std::string sso;
  std::string statistics;  // "money,mail count,friends,mail flag"
};

struct VersionData {
  int desktopVersionId = 0;
  std::string downloadUrl;
  int offerId = 60;
  int frequency = 24;
  bool upgradeRequired = false;
  std::string versionNumber;
};

struct ServiceData {
  std::vector<Category> categories;
  std::vector<std::string> blockedTerms;
  std::vector<Ad> ads;
  std::vector<Member> members;
  VersionData version;
  std::string defaultGroup;  // ads group used when the asked group has none
  std::filesystem::path directory;

  const Member* FindMemberById(std::string_view encMemberId) const;
  std::vector<const Ad*> AdsForGroup(std::string_view group) const;
};

// Throws std::runtime_error naming the file and line of the first problem.
ServiceData LoadServiceData(const std::filesystem::path& directory);

// The repository's data directory, fixed at build time.
std::filesystem::path DefaultDataDirectory();

}  // namespace refservice
