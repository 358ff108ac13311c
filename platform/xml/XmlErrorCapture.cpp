#include "platform/xml/XmlErrorCapture.h"

#include <libxml/globals.h>

#include <string_view>

#include "platform/trace/Contain.h"

namespace platform::xml_detail {

ScopedXmlErrorCapture::ScopedXmlErrorCapture()
    : previousHandler_(xmlStructuredError),
      previousContext_(xmlStructuredErrorContext),
      previousGeneric_(xmlGenericError),
      previousGenericContext_(xmlGenericErrorContext) {
  xmlSetStructuredErrorFunc(this, &ScopedXmlErrorCapture::Receive);
  xmlSetGenericErrorFunc(nullptr, &ScopedXmlErrorCapture::Drop);
}

ScopedXmlErrorCapture::~ScopedXmlErrorCapture() {
  xmlSetStructuredErrorFunc(previousContext_, previousHandler_);
  xmlSetGenericErrorFunc(previousGenericContext_, previousGeneric_);
}

void ScopedXmlErrorCapture::Receive(void* capture, ReportedError error) {
  if (error != nullptr) static_cast<ScopedXmlErrorCapture*>(capture)->Keep(*error);
}

void ScopedXmlErrorCapture::Keep(const xmlError& error) {
  if (!haveError_ && error.level >= XML_ERR_ERROR) {
    haveError_ = true;
    std::string_view reason = error.message == nullptr ? "" : error.message;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' ')) {
      reason.remove_suffix(1);
    }
    // Nothing may unwind through libxml2's C frames; a capture whose reason
    // could not be kept still has its place.
    platform::Contain("ScopedXmlErrorCapture::Keep", false, [&] {
      first_.reason = std::string(reason);
      return true;
    });
  }
  if (haveError_ && first_.line == 0 && error.line > 0) {
    first_.line = error.line;
    first_.column = error.int2;
  }
}

}  // namespace platform::xml_detail
