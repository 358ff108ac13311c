#include "commands/sites/ProductSite.h"

#include "soap/ServiceConfig.h"

namespace commands {

std::string ProductSitePage(std::string_view relativePage) {
  std::string page = soap::DefaultWebSite();
  // An override may leave out the closing slash; the page still lands under
  // the site and not beside it.
  if (page.empty() || page.back() != '/') page += '/';
  page += relativePage;
  return page;
}

}  // namespace commands
