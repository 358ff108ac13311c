// The product's main event, played in the stand-in browser: a tab with the
// shipped toolbar opens a page of the reference web site, the user presses
// the ads button, the sidebar opens on its waiting page, the ads thread asks
// the reference service for the page's ads and the sidebar shows them; the
// next page hides the sidebar again. Prints each step, and writes the
// waiting page and what the sidebar received into `pictureDirectory`, where
// scripts/demo.sh has headless Chromium take the sidebar's picture.
#pragma once

#include <filesystem>
#include <ostream>

#include "tools/refservice/ReferenceService.h"

namespace demo {

bool PlayAdsTour(std::ostream& out, const refservice::ReferenceService& service,
                 const std::filesystem::path& pictureDirectory);

}  // namespace demo
