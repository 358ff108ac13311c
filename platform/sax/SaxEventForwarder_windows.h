// Internal to platform/sax on Windows: MSXML's SAX callbacks, turned into the
// events of a platform::SaxContentHandler (UTF-8 text, names split into URI,
// local name and prefix, namespace declarations left out), and the record of
// why a parse ended.
#pragma once

#if defined(_WIN32)

#include <exception>
#include <string>
#include <vector>

#include "platform/com/ComObject.h"
#include "platform/sax/SaxXmlReader.h"
#include "platform/xml/Msxml_windows.h"

namespace platform::sax_detail {

class SaxEventForwarder final : public ComObject<ISAXContentHandler, ISAXErrorHandler> {
 public:
  explicit SaxEventForwarder(SaxContentHandler& handler) : handler_(handler) {}

  // What the parse came to, given what MSXML's parse returned. An exception
  // the handler threw is thrown again here, once MSXML is out of the way.
  SaxStatus Outcome(HRESULT parseResult) const;

  // ISAXContentHandler
  HRESULT STDMETHODCALLTYPE putDocumentLocator(ISAXLocator*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE startDocument() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE endDocument() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE startPrefixMapping(const wchar_t*, int, const wchar_t*, int) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE endPrefixMapping(const wchar_t*, int) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE startElement(const wchar_t* uri, int uriLength,
                                         const wchar_t* localName, int localNameLength,
                                         const wchar_t* qualifiedName, int qualifiedNameLength,
                                         ISAXAttributes* attributes) override;
  HRESULT STDMETHODCALLTYPE endElement(const wchar_t* uri, int uriLength, const wchar_t* localName,
                                       int localNameLength, const wchar_t* qualifiedName,
                                       int qualifiedNameLength) override;
  HRESULT STDMETHODCALLTYPE characters(const wchar_t* text, int length) override;
  HRESULT STDMETHODCALLTYPE ignorableWhitespace(const wchar_t* text, int length) override {
    return characters(text, length);
  }
  HRESULT STDMETHODCALLTYPE processingInstruction(const wchar_t*, int, const wchar_t*,
                                                  int) override {
    return S_OK;
  }
  // An entity the reader did not expand leaves text out of the document.
  HRESULT STDMETHODCALLTYPE skippedEntity(const wchar_t*, int) override { return Malformed(); }

  // ISAXErrorHandler: errors and fatal errors alike end the document.
  HRESULT STDMETHODCALLTYPE error(ISAXLocator*, const wchar_t*, HRESULT) override {
    return Malformed();
  }
  HRESULT STDMETHODCALLTYPE fatalError(ISAXLocator*, const wchar_t*, HRESULT) override {
    return Malformed();
  }
  HRESULT STDMETHODCALLTYPE ignorableWarning(ISAXLocator*, const wchar_t*, HRESULT) override {
    return S_OK;
  }

 private:
  // An element's name as UTF-8, kept while the handler looks at it.
  struct Name {
    std::string uri;
    std::string localName;
    std::string prefix;

    SaxName View() const { return {uri, localName, prefix}; }
  };

  HRESULT Malformed();
  // Runs one event of the handler unless the parse has already ended: S_OK
  // to go on, E_ABORT when the handler refused or threw.
  template <class Event>
  HRESULT Deliver(Event&& event);
  void ReadName(const wchar_t* uri, int uriLength, const wchar_t* localName, int localNameLength,
                const wchar_t* qualifiedName, int qualifiedNameLength);
  bool ReadAttributes(ISAXAttributes* attributes);

  SaxContentHandler& handler_;
  bool stoppedByHandler_ = false;
  bool malformed_ = false;
  std::exception_ptr thrown_;
  Name name_;
  // The attributes of the element being started in the table layout
  // SaxAttributes reads: their NUL-terminated texts and the pointers into
  // them.
  std::string attributeText_;
  std::vector<const unsigned char*> attributeTable_;
};

}  // namespace platform::sax_detail

#endif  // _WIN32
