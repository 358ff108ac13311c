#if defined(_WIN32)

#include "platform/xml/MsxmlParse_windows.h"

#include <climits>
#include <cstring>
#include <new>

#include "platform/automation/Variant.h"
#include "platform/xml/DocumentProlog.h"

namespace platform::xml_detail {
namespace {

// The element depth libxml2 refuses beyond, which the Linux side keeps.
constexpr LONG kMaxElementDepth = 256;

bool SetDocumentProperty(IXMLDOMDocument2& document, std::u16string_view name,
                         const Variant& value) {
  return SUCCEEDED(document.setProperty(Bstr(name).Get(), value));
}

// A fresh document for each load: elements handed out of the last one keep
// reading their own tree. Loading is synchronous, nothing is validated or
// fetched from outside, white space stays as written (as libxml2 keeps it),
// and selections speak XPath rather than MSXML 3's default XSL patterns.
ComPtr<IXMLDOMDocument2> NewMsxmlDocument() {
  ComPtr<IXMLDOMDocument2> document;
  if (FAILED(CoCreateInstance(msxml::kDomDocument30, nullptr, CLSCTX_INPROC_SERVER,
                              IidOf<IXMLDOMDocument2>(), document.ReleaseAndGetVoidAddressOf())) ||
      FAILED(document->put_async(VARIANT_FALSE)) ||
      FAILED(document->put_validateOnParse(VARIANT_FALSE)) ||
      FAILED(document->put_resolveExternals(VARIANT_FALSE)) ||
      FAILED(document->put_preserveWhiteSpace(VARIANT_TRUE)) ||
      !SetDocumentProperty(*document, u"SelectionLanguage", Variant(u"XPath"))) {
    return nullptr;
  }
  // Only the later service packs of MSXML 3 know the depth limit, and Wine's
  // msxml3 refuses it; there the parser keeps the same limit on its own.
  SetDocumentProperty(*document, u"MaxElementDepth", Variant(kMaxElementDepth));
  return document;
}

// The bytes as MSXML's load takes them, which reads the declaration and
// byte order mark itself.
Variant ByteArray(std::string_view bytes) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
  if (array == nullptr) throw std::bad_alloc();
  Variant variant;
  variant.vt = VT_ARRAY | VT_UI1;
  variant.parray = array;
  if (!bytes.empty()) std::memcpy(array->pvData, bytes.data(), bytes.size());
  return variant;
}

// MSXML's parseError, its reason without the line break it ends with.
XmlParseError ParseErrorOf(IXMLDOMDocument2& document) {
  XmlParseError error;
  ComPtr<IXMLDOMParseError> parseError;
  Bstr reason;
  LONG line = 0;
  LONG column = 0;
  if (SUCCEEDED(document.get_parseError(parseError.ReleaseAndGetAddressOf())) && parseError &&
      SUCCEEDED(parseError->get_reason(reason.Receive())) &&
      SUCCEEDED(parseError->get_line(&line)) && SUCCEEDED(parseError->get_linepos(&column))) {
    error.reason = AnsiOf(reason.Get());
    error.line = static_cast<int>(line);
    error.column = static_cast<int>(column);
  }
  while (!error.reason.empty() && static_cast<unsigned char>(error.reason.back()) <= ' ') {
    error.reason.pop_back();
  }
  if (error.reason.empty()) error.reason = "the document is not well-formed";
  return error;
}

}  // namespace

std::shared_ptr<Tree> ParseTree(std::string_view bytes, XmlParseError& error) {
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
    error.reason = "the document is larger than the parser takes";
    return nullptr;
  }
  // MSXML 3 expands the entities a document type declares whatever it is
  // told, so no document type reaches it.
  DocumentProlog prolog = ReadDocumentProlog(bytes);
  if (prolog.verdict == PrologVerdict::kDocumentType) {
    error.reason = "the document declares a document type, which is refused";
    return nullptr;
  }
  if (prolog.verdict == PrologVerdict::kUnreadable) {
    error.reason = "the document is in an encoding whose markup cannot be checked";
    return nullptr;
  }
  ComPtr<IXMLDOMDocument2> document = NewMsxmlDocument();
  if (!document) {
    error.reason = "the parser cannot be created";
    return nullptr;
  }
  VARIANT_BOOL loaded = VARIANT_FALSE;
  if (FAILED(document->load(ByteArray(bytes), &loaded)) || loaded != VARIANT_TRUE) {
    error = ParseErrorOf(*document);
    return nullptr;
  }
  return std::make_shared<Tree>(std::move(document), std::move(prolog.declaration));
}

}  // namespace platform::xml_detail

#endif  // _WIN32
