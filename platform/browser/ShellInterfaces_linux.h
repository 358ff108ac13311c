// The Linux side of platform/browser/ShellInterfaces.h: the band and site interfaces.
#pragma once

#include "platform/browser/WebBrowser.h"
#include "platform/ui/WinTypes.h"

struct IStream;  // persisted band state; the stand-in never hands one out

struct POINTL {
  LONG x;
  LONG y;
};

struct ULARGE_INTEGER {
  std::uint64_t QuadPart;
};

// DESKBANDINFO masks and mode flags.
constexpr DWORD DBIM_MINSIZE = 0x0001;
constexpr DWORD DBIM_MAXSIZE = 0x0002;
constexpr DWORD DBIM_INTEGRAL = 0x0004;
constexpr DWORD DBIM_ACTUAL = 0x0008;
constexpr DWORD DBIM_TITLE = 0x0010;
constexpr DWORD DBIM_MODEFLAGS = 0x0020;
constexpr DWORD DBIM_BKCOLOR = 0x0040;
constexpr DWORD DBIMF_NORMAL = 0x0000;
constexpr DWORD DBIMF_VARIABLEHEIGHT = 0x0008;
constexpr DWORD DBIMF_FIXEDBMP = 0x0004;
constexpr DWORD DBIF_VIEWMODE_NORMAL = 0x0000;
constexpr DWORD DBIF_VIEWMODE_VERTICAL = 0x0001;

struct DESKBANDINFO {
  DWORD dwMask;
  POINTL ptMinSize;
  POINTL ptMaxSize;
  POINTL ptIntegral;
  POINTL ptActual;
  WCHAR wszTitle[256];
  DWORD dwModeFlags;
  COLORREF crBkgnd;
};

struct IOleWindow : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("00000114-0000-0000-C000-000000000046");
  virtual HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) = 0;
  virtual HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) = 0;

 protected:
  ~IOleWindow() = default;
};

struct IDockingWindow : IOleWindow {
  static constexpr IID kIid = platform::MakeGuid("012DD920-7B26-11D0-8CA9-00A0C92DBFE8");
  using BaseInterface = IOleWindow;
  virtual HRESULT STDMETHODCALLTYPE ShowDW(BOOL show) = 0;
  virtual HRESULT STDMETHODCALLTYPE CloseDW(DWORD reserved) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResizeBorderDW(const RECT* border, IUnknown* site,
                                                   BOOL reserved) = 0;

 protected:
  ~IDockingWindow() = default;
};

struct IDeskBand : IDockingWindow {
  static constexpr IID kIid = platform::MakeGuid("EB0FE172-1A3A-11D0-89B3-00A0C90A90AC");
  using BaseInterface = IDockingWindow;
  virtual HRESULT STDMETHODCALLTYPE GetBandInfo(DWORD bandId, DWORD viewMode,
                                                DESKBANDINFO* info) = 0;

 protected:
  ~IDeskBand() = default;
};

struct IObjectWithSite : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("FC4801A3-2BA9-11CF-A229-00AA003D7352");
  virtual HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSite(REFIID iid, void** site) = 0;

 protected:
  ~IObjectWithSite() = default;
};

struct MSG;  // keyboard messages handed to TranslateAcceleratorIO

struct IInputObject : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("68284FAA-6A48-11D0-8C78-00C04FD918B4");
  virtual HRESULT STDMETHODCALLTYPE UIActivateIO(BOOL activate, MSG* message) = 0;
  virtual HRESULT STDMETHODCALLTYPE HasFocusIO() = 0;
  virtual HRESULT STDMETHODCALLTYPE TranslateAcceleratorIO(MSG* message) = 0;

 protected:
  ~IInputObject() = default;
};

struct IInputObjectSite : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("F1DB8392-7331-11D0-8C99-00A0C92DBFE8");
  virtual HRESULT STDMETHODCALLTYPE OnFocusChangeIS(IUnknown* object, BOOL hasFocus) = 0;

 protected:
  ~IInputObjectSite() = default;
};

struct IServiceProvider : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("6D5140C1-7436-11CE-8034-00AA006009FA");
  virtual HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) = 0;

 protected:
  ~IServiceProvider() = default;
};

struct IPersist : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("0000010C-0000-0000-C000-000000000046");
  virtual HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) = 0;

 protected:
  ~IPersist() = default;
};

struct IPersistStream : IPersist {
  static constexpr IID kIid = platform::MakeGuid("00000109-0000-0000-C000-000000000046");
  using BaseInterface = IPersist;
  virtual HRESULT STDMETHODCALLTYPE IsDirty() = 0;
  virtual HRESULT STDMETHODCALLTYPE Load(IStream* stream) = 0;
  virtual HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) = 0;

 protected:
  ~IPersistStream() = default;
};

// The browser application service: QueryService on a band's site with it
// answers the browser (IWebBrowser2 and the rest of its interfaces).
inline constexpr GUID SID_SWebBrowserApp =
    platform::MakeGuid("0002DF05-0000-0000-C000-000000000046");

inline constexpr IID IID_IOleWindow = IOleWindow::kIid;
inline constexpr IID IID_IDockingWindow = IDockingWindow::kIid;
inline constexpr IID IID_IDeskBand = IDeskBand::kIid;
inline constexpr IID IID_IObjectWithSite = IObjectWithSite::kIid;
inline constexpr IID IID_IInputObject = IInputObject::kIid;
inline constexpr IID IID_IInputObjectSite = IInputObjectSite::kIid;
inline constexpr IID IID_IServiceProvider = IServiceProvider::kIid;
inline constexpr IID IID_IPersist = IPersist::kIid;
inline constexpr IID IID_IPersistStream = IPersistStream::kIid;

// The component category of vertical explorer bars (shlguid.h): a band
// class that implements it is listed among the browser's explorer bars.
inline constexpr GUID CATID_InfoBand = platform::MakeGuid("00021493-0000-0000-C000-000000000046");
