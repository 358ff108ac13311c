// The Linux side of platform/automation/ConnectionPoint.h: the connection point interfaces.
#pragma once

#include "platform/com/Unknown.h"

constexpr HRESULT CONNECT_E_CANNOTCONNECT = MakeHresult(0x80040202u);

struct IConnectionPointContainer;
struct IEnumConnections;

struct IConnectionPoint : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("B196B286-BAB4-101A-B69C-00AA00341D07");

  virtual HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) = 0;
  virtual HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) = 0;
  virtual HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) = 0;

 protected:
  ~IConnectionPoint() = default;
};

struct IConnectionPointContainer : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("B196B284-BAB4-101A-B69C-00AA00341D07");

  // CONNECT_E_NOCONNECTION when the object raises no such events.
  virtual HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) = 0;

 protected:
  ~IConnectionPointContainer() = default;
};

inline constexpr IID IID_IConnectionPoint = IConnectionPoint::kIid;
inline constexpr IID IID_IConnectionPointContainer = IConnectionPointContainer::kIid;
