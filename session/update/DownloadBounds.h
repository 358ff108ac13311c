// The installer download's progress callback: it lets the download go on
// while it stays within the installer's size and time (UpdateLimits.h) and
// stops it at the first progress report that is past either: the size
// announced or received, or the product clock's deadline set when the
// callback is made. Nothing else of the binding interests it.
//
//   auto bounds = platform::Make<DownloadBounds>();
//   URLDownloadToFileA(nullptr, url, path, 0, bounds.Get());
#pragma once

#include <cstdint>

#include "platform/browser/UrlMon.h"
#include "platform/com/ComObject.h"

namespace session {

class DownloadBounds final : public platform::ComObject<IBindStatusCallback> {
 public:
  DownloadBounds();

  HRESULT STDMETHODCALLTYPE OnProgress(ULONG ulProgress, ULONG ulProgressMax, ULONG ulStatusCode,
                                       LPCWSTR szStatusText) override;

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD dwReserved, IBinding* pib) override;
  HRESULT STDMETHODCALLTYPE GetPriority(LONG* pnPriority) override;
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT hresult, LPCWSTR szError) override;
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* grfBINDF, BINDINFO* pbindinfo) override;
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD grfBSCF, DWORD dwSize, FORMATETC* pformatetc,
                                            STGMEDIUM* pstgmed) override;
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID riid, IUnknown* punk) override;

 private:
  const std::uint64_t deadlineMs_;
};

}  // namespace session
