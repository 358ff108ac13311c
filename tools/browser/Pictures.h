// A picture step's files: the toolbar as NAME.svg (and NAME.png when an SVG
// converter is installed), the sidebar's HTML as NAME-sidebar.html and, when
// Chromium is installed, a screenshot of that page at the sidebar's width
// as NAME-sidebar.png.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace browserhost {

struct PictureSource {
  std::string toolbarSvg;  // empty: the window shows no toolbar
  bool hasSidebar = false;
  std::string sidebarHtml;  // the body's markup, UTF-8
};

// A picture of a dialog as it is about to be answered, as NAME.svg and
// NAME.png; `files` gets every path written.
void WriteDialogPicture(const std::filesystem::path& directory, const std::string& name,
                        const std::string& svg, std::vector<std::string>& files);

// "ok", or what could not be written; `files` gets every path written.
std::string WritePictures(const std::filesystem::path& directory, const std::string& name,
                          const PictureSource& source, std::vector<std::string>& files);

}  // namespace browserhost
