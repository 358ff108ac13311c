#include "session/update/DownloadBounds.h"

#include "platform/clock/Clock.h"
#include "session/update/UpdateLimits.h"

namespace session {

DownloadBounds::DownloadBounds()
    : deadlineMs_(platform::TickCount64() + kInstallerDownloadTimeMs) {}

HRESULT STDMETHODCALLTYPE DownloadBounds::OnProgress(ULONG ulProgress, ULONG ulProgressMax, ULONG,
                                                     LPCWSTR) {
  if (ulProgress > kMaxInstallerBytes || ulProgressMax > kMaxInstallerBytes) return E_ABORT;
  if (platform::TickCount64() >= deadlineMs_) return E_ABORT;
  return S_OK;
}

// The download asks for nothing else; E_NOTIMPL lets it go its default way.
HRESULT STDMETHODCALLTYPE DownloadBounds::OnStartBinding(DWORD, IBinding*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE DownloadBounds::GetPriority(LONG*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE DownloadBounds::OnLowResource(DWORD) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE DownloadBounds::OnStopBinding(HRESULT, LPCWSTR) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE DownloadBounds::GetBindInfo(DWORD*, BINDINFO*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE DownloadBounds::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE DownloadBounds::OnObjectAvailable(REFIID, IUnknown*) { return E_NOTIMPL; }

}  // namespace session
