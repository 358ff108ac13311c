#include "tools/refservice/ServiceData.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tools/refservice/HttpMessage.h"
#include "tools/refservice/RecordFile.h"

#ifndef VIMARU_REFSERVICE_DATA_DIR
#define VIMARU_REFSERVICE_DATA_DIR "tools/refservice/data"
#endif

namespace refservice {

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream) throw std::runtime_error(path.string() + ": cannot be read");
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

[[noreturn]] void Fail(const std::filesystem::path& file, int line, const std::string& what) {
  throw std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + what);
}

int ToInt(const std::filesystem::path& file, const RecordField& field) {
  int value = 0;
  const auto [end, error] =
      std::from_chars(field.value.data(), field.value.data() + field.value.size(), value);
  if (error != std::errc() || end != field.value.data() + field.value.size()) {
    Fail(file, field.line, "\"" + field.key + "\" is not an integer");
  }
  return value;
}

bool ToBool(const std::filesystem::path& file, const RecordField& field) {
  if (field.value == "true") return true;
  if (field.value == "false") return false;
  Fail(file, field.line, "\"" + field.key + "\" must be true or false");
}

void RequireFields(const std::filesystem::path& file, const Record& record,
                   std::initializer_list<std::string_view> keys) {
  for (const std::string_view key : keys) {
    bool found = false;
    for (const auto& field : record) found = found || field.key == key;
    if (!found) Fail(file, record.front().line, "record lacks \"" + std::string(key) + "\"");
  }
}

std::vector<Category> LoadCategories(const std::filesystem::path& file) {
  std::vector<Category> categories;
  for (const Record& record : ParseRecords(ReadFile(file), file.string())) {
    for (const RecordField& field : record) {
      std::string_view labels = field.value;
      while (!labels.empty()) {
        const std::size_t comma = labels.find(',');
        std::string_view label = labels.substr(0, comma);
        while (!label.empty() && label.front() == ' ') label.remove_prefix(1);
        while (!label.empty() && label.back() == ' ') label.remove_suffix(1);
        if (!label.empty()) categories.push_back({std::string(label), field.key});
        if (comma == std::string_view::npos) break;
        labels.remove_prefix(comma + 1);
      }
    }
  }
  if (categories.empty()) Fail(file, 1, "no categories");
  return categories;
}

std::vector<Ad> LoadAds(const std::filesystem::path& file) {
  std::vector<Ad> ads;
  for (const Record& record : ParseRecords(ReadFile(file), file.string())) {
    RequireFields(file, record, {"id", "group", "title", "url"});
    Ad ad;
    ad.bidPrice = "0.10";
    for (const RecordField& field : record) {
      if (field.key == "id")
        ad.id = field.value;
      else if (field.key == "group")
        ad.group = field.value;
      else if (field.key == "title")
        ad.title = field.value;
      else if (field.key == "description")
        ad.description = field.value;
      else if (field.key == "url")
        ad.displayUrl = field.value;
      else if (field.key == "keyword")
        ad.keyword = field.value;
      else if (field.key == "bid")
        ad.bidPrice = field.value;
      else if (field.key == "image")
        ad.imageUrl = field.value;
      else
        Fail(file, field.line, "unknown key \"" + field.key + "\"");
    }
    ads.push_back(std::move(ad));
  }
  return ads;
}

std::vector<Member> LoadMembers(const std::filesystem::path& file) {
  std::vector<Member> members;
  for (const Record& record : ParseRecords(ReadFile(file), file.string())) {
    RequireFields(file, record, {"email", "password", "enc-member-id", "sso", "statistics"});
    Member member;
    for (const RecordField& field : record) {
      if (field.key == "email")
        member.email = field.value;
      else if (field.key == "password")
        member.password = field.value;
      else if (field.key == "question")
        member.securityQuestionId = ToInt(file, field);
      else if (field.key == "answer")
        member.securityAnswer = field.value;
      else if (field.key == "user")
        member.userName = field.value;
      else if (field.key == "enc-member-id")
        member.encMemberId = field.value;
      else if (field.key == "sso")
        member.sso = field.value;
      else if (field.key == "statistics")
        member.statistics = field.value;
      else
        Fail(file, field.line, "unknown key \"" + field.key + "\"");
    }
    members.push_back(std::move(member));
  }
  return members;
}

VersionData LoadVersion(const std::filesystem::path& file) {
  const auto records = ParseRecords(ReadFile(file), file.string());
  if (records.size() != 1) Fail(file, 1, "expected exactly one record");
  RequireFields(file, records.front(), {"version", "download"});
  VersionData version;
  for (const RecordField& field : records.front()) {
    if (field.key == "version")
      version.versionNumber = field.value;
    else if (field.key == "download")
      version.downloadUrl = field.value;
    else if (field.key == "desktop-version-id")
      version.desktopVersionId = ToInt(file, field);
    else if (field.key == "offer-id")
      version.offerId = ToInt(file, field);
    else if (field.key == "frequency")
      version.frequency = ToInt(file, field);
    else if (field.key == "upgrade-required")
      version.upgradeRequired = ToBool(file, field);
    else
      Fail(file, field.line, "unknown key \"" + field.key + "\"");
  }
  return version;
}

}  // namespace

const Member* ServiceData::FindMemberById(std::string_view encMemberId) const {
  if (encMemberId.empty()) return nullptr;
  for (const Member& member : members) {
    if (member.encMemberId == encMemberId) return &member;
  }
  return nullptr;
}

std::vector<const Ad*> ServiceData::AdsForGroup(std::string_view group) const {
  std::vector<const Ad*> found;
  for (const Ad& ad : ads) {
    if (EqualsIgnoringCase(ad.group, group)) found.push_back(&ad);
  }
  if (found.empty() && !EqualsIgnoringCase(group, defaultGroup)) return AdsForGroup(defaultGroup);
  return found;
}

ServiceData LoadServiceData(const std::filesystem::path& directory) {
  ServiceData data;
  data.directory = directory;
  data.categories = LoadCategories(directory / "categories.txt");
  data.blockedTerms = ParseLines(ReadFile(directory / "blocked.txt"));
  data.ads = LoadAds(directory / "ads.txt");
  data.members = LoadMembers(directory / "members.txt");
  data.version = LoadVersion(directory / "version.txt");
  // The toolbar's page scan falls back to the last category when nothing
  // matches, so that category's group is the natural default for ads too.
  data.defaultGroup = data.categories.back().name;
  return data;
}

std::filesystem::path DefaultDataDirectory() { return VIMARU_REFSERVICE_DATA_DIR; }

}  // namespace refservice
