// Internal to platform/xml: libxml2 reports some failures (an input that
// does not convert from its declared encoding, an I/O error) through the
// thread's error channels, which print to standard error whatever the
// parser options say. While a capture lives, every structured report
// libxml2 raises on this thread comes here instead, and the first error
// (warnings aside) is kept with the first line number any report gave, so
// the caller can say where a document broke; plain text messages are
// dropped. The previous handlers come back when it ends.
#pragma once

#include <libxml/xmlerror.h>
#include <libxml/xmlversion.h>

#include "platform/xml/XmlDocument.h"

namespace platform::xml_detail {

class ScopedXmlErrorCapture {
 public:
  ScopedXmlErrorCapture();
  ~ScopedXmlErrorCapture();
  ScopedXmlErrorCapture(const ScopedXmlErrorCapture&) = delete;
  ScopedXmlErrorCapture& operator=(const ScopedXmlErrorCapture&) = delete;

  // The first error reported: its reason, and its place or, when it had none
  // (an encoding failure is raised before the parser knows the line), the
  // place of the first later report that had one. Empty when none came.
  const XmlParseError& FirstError() const { return first_; }

#if LIBXML_VERSION >= 21200
  using ReportedError = const xmlError*;
#else
  using ReportedError = xmlErrorPtr;
#endif

 private:
  static void Receive(void* capture, ReportedError error);
  static void Drop(void*, const char*, ...) {}
  void Keep(const xmlError& error);

  xmlStructuredErrorFunc previousHandler_;
  void* previousContext_;
  xmlGenericErrorFunc previousGeneric_;
  void* previousGenericContext_;
  XmlParseError first_;
  bool haveError_ = false;
};

}  // namespace platform::xml_detail
