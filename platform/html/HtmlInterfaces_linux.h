// The Linux side of platform/html/HtmlInterfaces.h: the document object model's interfaces.
#pragma once

#include "platform/automation/Dispatch.h"
#include "platform/automation/SafeArray.h"

struct IHTMLElement;
struct IHTMLElementCollection;
struct IHTMLTxtRange;
struct IHTMLWindow2;
struct IHTMLFramesCollection2;

constexpr LONG FINDTEXT_BACKWARDS = 0x1;
constexpr LONG FINDTEXT_WHOLEWORD = 0x2;
constexpr LONG FINDTEXT_MATCHCASE = 0x4;

struct IHTMLDocument2 : IDispatch {
  static constexpr IID kIid = platform::MakeGuid("332C4425-26CB-11D0-B483-00C04FD90119");
  using BaseInterface = IDispatch;

  virtual HRESULT STDMETHODCALLTYPE get_all(IHTMLElementCollection** all) = 0;
  // S_OK with null when the document has no body yet (still loading). A
  // frameset document answers its frameset element, as MSHTML does.
  virtual HRESULT STDMETHODCALLTYPE get_body(IHTMLElement** body) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_URL(BSTR* url) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_title(BSTR* title) = 0;
  // "loading" or "complete".
  virtual HRESULT STDMETHODCALLTYPE get_readyState(BSTR* state) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_frames(IHTMLFramesCollection2** frames) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_parentWindow(IHTMLWindow2** window) = 0;
  // Writes the strings of an array of variants (VT_BSTR elements) into the
  // document: into the parse of a document that has no body yet, at the end
  // of the body of a complete one.
  virtual HRESULT STDMETHODCALLTYPE write(SAFEARRAY* texts) = 0;

 protected:
  ~IHTMLDocument2() = default;
};

struct IHTMLDocument3 : IDispatch {
  static constexpr IID kIid = platform::MakeGuid("3050F485-98B5-11CF-BB82-00AA00BDCE0B");
  using BaseInterface = IDispatch;

  // The first element in document order with that id; S_OK with null when
  // there is none.
  virtual HRESULT STDMETHODCALLTYPE getElementById(BSTR id, IHTMLElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE getElementsByTagName(BSTR tagName,
                                                         IHTMLElementCollection** elements) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_documentElement(IHTMLElement** root) = 0;

 protected:
  ~IHTMLDocument3() = default;
};

struct IHTMLElement : IDispatch {
  static constexpr IID kIid = platform::MakeGuid("3050F1FF-98B5-11CF-BB82-00AA00BDCE0B");
  using BaseInterface = IDispatch;

  virtual HRESULT STDMETHODCALLTYPE get_id(BSTR* id) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_id(BSTR id) = 0;
  // Upper case, as MSHTML reports it ("DIV").
  virtual HRESULT STDMETHODCALLTYPE get_tagName(BSTR* tagName) = 0;
  // The attribute's text as a VT_BSTR variant, VT_NULL when it is absent.
  // flags: 1 matches the name case-sensitively (0 does not).
  virtual HRESULT STDMETHODCALLTYPE getAttribute(BSTR name, LONG flags, VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE setAttribute(BSTR name, VARIANT value, LONG flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE removeAttribute(BSTR name, LONG flags,
                                                    VARIANT_BOOL* removed) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_innerText(BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_innerText(BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_outerText(BSTR* text) = 0;
  // Replaces the element itself by the text.
  virtual HRESULT STDMETHODCALLTYPE put_outerText(BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_innerHTML(BSTR* html) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_innerHTML(BSTR html) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_outerHTML(BSTR* html) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_outerHTML(BSTR html) = 0;
  // E_INVALIDARG for an unknown position, and for "beforeBegin"/"afterEnd"
  // on an element without a parent.
  virtual HRESULT STDMETHODCALLTYPE insertAdjacentHTML(BSTR where, BSTR html) = 0;
  virtual HRESULT STDMETHODCALLTYPE insertAdjacentText(BSTR where, BSTR text) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_parentElement(IHTMLElement** parent) = 0;
  // Every element below this one, in document order.
  virtual HRESULT STDMETHODCALLTYPE get_all(IDispatch** all) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_document(IDispatch** document) = 0;

 protected:
  ~IHTMLElement() = default;
};

struct IHTMLBodyElement : IDispatch {
  static constexpr IID kIid = platform::MakeGuid("3050F1D8-98B5-11CF-BB82-00AA00BDCE0B");
  using BaseInterface = IDispatch;

  // A range over the whole text of the body.
  virtual HRESULT STDMETHODCALLTYPE createTextRange(IHTMLTxtRange** range) = 0;

 protected:
  ~IHTMLBodyElement() = default;
};

struct IHTMLElementCollection : IDispatch {
  static constexpr IID kIid = platform::MakeGuid("3050F21F-98B5-11CF-BB82-00AA00BDCE0B");
  using BaseInterface = IDispatch;

  virtual HRESULT STDMETHODCALLTYPE get_length(LONG* length) = 0;
  // `name` an integer: the element at that position. `name` a string: the
  // elements whose id or name attribute is that string; with `index` an
  // integer, the index-th of them, otherwise the only one, or a collection
  // of them when there are several. S_OK with null when nothing matches.
  virtual HRESULT STDMETHODCALLTYPE item(VARIANT name, VARIANT index, IDispatch** result) = 0;
  // The elements with that tag name (VT_BSTR, case-insensitive).
  virtual HRESULT STDMETHODCALLTYPE tags(VARIANT tagName, IDispatch** result) = 0;

 protected:
  ~IHTMLElementCollection() = default;
};

struct IHTMLFramesCollection2 : IDispatch {
  static constexpr IID kIid = platform::MakeGuid("332C4426-26CB-11D0-B483-00C04FD90119");
  using BaseInterface = IDispatch;

  // `index` a VT_I4: the frame's window (IHTMLWindow2) as VT_DISPATCH.
  // E_INVALIDARG past the end.
  virtual HRESULT STDMETHODCALLTYPE item(VARIANT* index, VARIANT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_length(LONG* length) = 0;

 protected:
  ~IHTMLFramesCollection2() = default;
};

struct IHTMLWindow2 : IHTMLFramesCollection2 {
  static constexpr IID kIid = platform::MakeGuid("332C4427-26CB-11D0-B483-00C04FD90119");
  using BaseInterface = IHTMLFramesCollection2;

  virtual HRESULT STDMETHODCALLTYPE get_document(IHTMLDocument2** document) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_frames(IHTMLFramesCollection2** frames) = 0;
  // The window of the frame that holds this one; itself at the top.
  virtual HRESULT STDMETHODCALLTYPE get_parent(IHTMLWindow2** parent) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_top(IHTMLWindow2** top) = 0;
  // Scripts do not run here: the call is recorded (see HtmlJournal.h) and
  // answers S_OK with an empty result.
  virtual HRESULT STDMETHODCALLTYPE execScript(BSTR code, BSTR language, VARIANT* result) = 0;

 protected:
  ~IHTMLWindow2() = default;
};

struct IHTMLTxtRange : IDispatch {
  static constexpr IID kIid = platform::MakeGuid("3050F220-98B5-11CF-BB82-00AA00BDCE0B");
  using BaseInterface = IDispatch;

  virtual HRESULT STDMETHODCALLTYPE get_text(BSTR* text) = 0;
  // Replaces the range's content by the HTML; the range then collapses to
  // the end of what was inserted.
  virtual HRESULT STDMETHODCALLTYPE pasteHTML(BSTR html) = 0;
  // Finds the next match (see the flags above) in the range, or from a
  // collapsed range up to `count` characters forwards (backwards when
  // negative); on success the range becomes the match.
  virtual HRESULT STDMETHODCALLTYPE findText(BSTR text, LONG count, LONG flags,
                                             VARIANT_BOOL* found) = 0;
  virtual HRESULT STDMETHODCALLTYPE select() = 0;
  virtual HRESULT STDMETHODCALLTYPE scrollIntoView(VARIANT_BOOL alignToTop) = 0;
  virtual HRESULT STDMETHODCALLTYPE collapse(VARIANT_BOOL toStart) = 0;
  virtual HRESULT STDMETHODCALLTYPE duplicate(IHTMLTxtRange** copy) = 0;
  virtual HRESULT STDMETHODCALLTYPE move(BSTR unit, LONG count, LONG* moved) = 0;
  virtual HRESULT STDMETHODCALLTYPE moveStart(BSTR unit, LONG count, LONG* moved) = 0;
  virtual HRESULT STDMETHODCALLTYPE moveEnd(BSTR unit, LONG count, LONG* moved) = 0;
  // how: "StartToStart", "StartToEnd", "EndToStart", "EndToEnd".
  virtual HRESULT STDMETHODCALLTYPE setEndPoint(BSTR how, IHTMLTxtRange* other) = 0;
  virtual HRESULT STDMETHODCALLTYPE compareEndPoints(BSTR how, IHTMLTxtRange* other,
                                                     LONG* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE isEqual(IHTMLTxtRange* other, VARIANT_BOOL* equal) = 0;
  virtual HRESULT STDMETHODCALLTYPE inRange(IHTMLTxtRange* other, VARIANT_BOOL* inside) = 0;
  virtual HRESULT STDMETHODCALLTYPE parentElement(IHTMLElement** parent) = 0;

 protected:
  ~IHTMLTxtRange() = default;
};

struct IEnumUnknown : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("00000100-0000-0000-C000-000000000046");

  virtual HRESULT STDMETHODCALLTYPE Next(ULONG count, IUnknown** items, ULONG* fetched) = 0;
  virtual HRESULT STDMETHODCALLTYPE Skip(ULONG count) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
  virtual HRESULT STDMETHODCALLTYPE Clone(IEnumUnknown** copy) = 0;

 protected:
  ~IEnumUnknown() = default;
};

constexpr DWORD OLECONTF_EMBEDDINGS = 0x1;

// What a document answers for its embedded objects: the browsers of its
// frames, in document order (how toolbars walk frames on Windows).
struct IOleContainer : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("0000011B-0000-0000-C000-000000000046");

  virtual HRESULT STDMETHODCALLTYPE EnumObjects(DWORD flags, IEnumUnknown** objects) = 0;
  virtual HRESULT STDMETHODCALLTYPE LockContainer(BOOL lock) = 0;

 protected:
  ~IOleContainer() = default;
};

inline constexpr IID IID_IHTMLDocument2 = IHTMLDocument2::kIid;
inline constexpr IID IID_IHTMLDocument3 = IHTMLDocument3::kIid;
inline constexpr IID IID_IHTMLElement = IHTMLElement::kIid;
inline constexpr IID IID_IHTMLBodyElement = IHTMLBodyElement::kIid;
inline constexpr IID IID_IHTMLElementCollection = IHTMLElementCollection::kIid;
inline constexpr IID IID_IHTMLFramesCollection2 = IHTMLFramesCollection2::kIid;
inline constexpr IID IID_IHTMLWindow2 = IHTMLWindow2::kIid;
inline constexpr IID IID_IHTMLTxtRange = IHTMLTxtRange::kIid;
inline constexpr IID IID_IOleContainer = IOleContainer::kIid;
inline constexpr IID IID_IEnumUnknown = IEnumUnknown::kIid;
