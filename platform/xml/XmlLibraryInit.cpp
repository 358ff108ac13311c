// libxml2 sets up process-wide tables on its first use, and two threads'
// first uses must not overlap: xmlInitParser is not safe to run on two
// threads at once. The DOM, the SAX reader, the HTML pages and any tool in
// the same process all share one libxml2, so the system sets it up while it
// loads, before any thread of the process runs.
#include <libxml/parser.h>

namespace platform::xml_detail {
namespace {

[[maybe_unused]] const bool libraryReady = (xmlInitParser(), true);

}  // namespace
}  // namespace platform::xml_detail
