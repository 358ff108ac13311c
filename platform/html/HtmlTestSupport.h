// Helpers for the document model's tests: a complete document from page
// text, and element lookups that fail the test instead of crashing.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/html/HtmlDocument.h"

namespace platform::html::testing {

inline ComPtr<HtmlDocument> LoadedDocument(std::string_view page,
                                           std::u16string url = u"http://127.0.0.1/page.htm") {
  auto document = Make<HtmlDocument>(std::move(url));
  document->LoadPage(page);
  document->SetComplete(true);
  return document;
}

inline ComPtr<IHTMLElement> Body(IHTMLDocument2* document) {
  ComPtr<IHTMLElement> body;
  EXPECT_EQ(document->get_body(body.ReleaseAndGetAddressOf()), S_OK);
  return body;
}

inline ComPtr<IHTMLElement> ById(HtmlDocument* document, std::u16string_view id) {
  ComPtr<IHTMLElement> element;
  EXPECT_EQ(document->getElementById(Bstr(id).Get(), element.ReleaseAndGetAddressOf()), S_OK);
  return element;
}

inline std::u16string InnerText(IHTMLElement* element) {
  Bstr text;
  EXPECT_EQ(element->get_innerText(text.Receive()), S_OK);
  return text.String();
}

inline std::u16string InnerHtml(IHTMLElement* element) {
  Bstr html;
  EXPECT_EQ(element->get_innerHTML(html.Receive()), S_OK);
  return html.String();
}

}  // namespace platform::html::testing
