#include "tools/browser/Pictures.h"

#include <cstdlib>
#include <fstream>

namespace browserhost {
namespace {

// The sidebar band is this wide in the browser.
constexpr int kSidebarWidth = 145;
constexpr int kSidebarHeight = 600;

bool Installed(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::filesystem::path& path) {
  std::string quoted = "'";
  for (char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  return file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && file.flush();
}

std::string Chromium() {
  if (const char* given = std::getenv("CHROMIUM"); given != nullptr && *given != '\0') return given;
  return Installed("chromium") ? "chromium" : std::string();
}

// NAME.svg, and NAME.png from it when a converter is installed.
bool WriteSvgAndPng(const std::filesystem::path& directory, const std::string& name,
                    const std::string& svg, std::vector<std::string>& files) {
  const auto svgPath = directory / (name + ".svg");
  if (!WriteFile(svgPath, svg)) return false;
  files.push_back(svgPath.string());
  const auto pngPath = directory / (name + ".png");
  if (Installed("rsvg-convert") &&
      std::system(("rsvg-convert " + Quoted(svgPath) + " -o " + Quoted(pngPath)).c_str()) == 0) {
    files.push_back(pngPath.string());
  }
  return true;
}

}  // namespace

void WriteDialogPicture(const std::filesystem::path& directory, const std::string& name,
                        const std::string& svg, std::vector<std::string>& files) {
  std::error_code failed;
  std::filesystem::create_directories(directory, failed);
  if (!svg.empty()) WriteSvgAndPng(directory, name, svg, files);
}

std::string WritePictures(const std::filesystem::path& directory, const std::string& name,
                          const PictureSource& source, std::vector<std::string>& files) {
  std::error_code failed;
  std::filesystem::create_directories(directory, failed);
  if (source.toolbarSvg.empty()) return "the window shows no toolbar";
  if (!WriteSvgAndPng(directory, name, source.toolbarSvg, files)) {
    return "cannot write " + (directory / (name + ".svg")).string();
  }
  if (!source.hasSidebar) return "ok";

  const auto page = directory / (name + "-sidebar.html");
  const std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>" +
                           source.sidebarHtml + "</body></html>\n";
  if (!WriteFile(page, html)) return "cannot write " + page.string();
  files.push_back(page.string());
  const std::string chromium = Chromium();
  if (chromium.empty()) return "ok";
  const auto shot = directory / (name + "-sidebar.png");
  const std::string command =
      Quoted(chromium) + " --headless --no-sandbox --disable-gpu --hide-scrollbars" +
      " --window-size=" + std::to_string(kSidebarWidth) + "," + std::to_string(kSidebarHeight) +
      " --screenshot=" + Quoted(shot) + " " +
      Quoted("file://" + std::filesystem::absolute(page).string()) + " >/dev/null 2>&1";
  if (std::system(command.c_str()) == 0 && std::filesystem::exists(shot)) {
    files.push_back(shot.string());
  }
  return "ok";
}

}  // namespace browserhost
