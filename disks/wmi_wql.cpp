#include <windows.h>
#include <wbemidl.h>

#include "disks/wmi.h"
#include "platform/win32/win32_text.h"

namespace tovak {
namespace {

// Releases the interface it holds.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (p_) p_->Release();
  }
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  T** out() { return &p_; }
  void** outVoid() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

class Bstr {
 public:
  explicit Bstr(const std::wstring& text) : b_(::SysAllocString(text.c_str())) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { ::SysFreeString(b_); }
  BSTR get() const { return b_; }

 private:
  BSTR b_;
};

// The thread's COM apartment for the time of one use. The window's thread may hold one already:
// S_FALSE still needs its CoUninitialize, and RPC_E_CHANGED_MODE (a multithreaded apartment)
// serves as it is.
class ComApartment {
 public:
  ComApartment() : result_(::CoInitialize(nullptr)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  bool Ready() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

// A stalled service must not hold the window for good: the job then uses its fixed table.
constexpr long kObjectTimeoutMs = 30000;

// The proxies do not inherit the impersonation level; an in-process service (as Wine's) has no
// proxy and needs none.
bool Impersonate(IUnknown* object) {
  const HRESULT hr = ::CoSetProxyBlanket(object, RPC_C_AUTHN_DEFAULT, RPC_C_AUTHZ_DEFAULT,
                                         COLE_DEFAULT_PRINCIPAL, RPC_C_AUTHN_LEVEL_DEFAULT,
                                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_DEFAULT);
  return SUCCEEDED(hr) || hr == E_NOINTERFACE;
}

// An object without a DeviceID text counts with an empty one.
bool ReadDeviceId(IWbemClassObject* object, std::string& deviceId) {
  VARIANT value;
  ::VariantInit(&value);
  if (FAILED(object->Get(L"DeviceID", 0, &value, nullptr, nullptr))) return false;
  deviceId = value.vt == VT_BSTR && value.bstrVal ? win32::WideToUtf8(value.bstrVal) : std::string();
  ::VariantClear(&value);
  return true;
}

class WmiQueries final : public Wql {
 public:
  explicit WmiQueries(IWbemServices* services) : services_(services) {}

  bool ExecQuery(const std::string& query, WqlObjectSet& result) override {
    result.deviceIds.clear();
    const Bstr language(L"WQL");
    const Bstr text(win32::Utf8ToWide(query));
    ComRef<IEnumWbemClassObject> objects;
    if (FAILED(services_->ExecQuery(language.get(), text.get(),
                                    WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                    nullptr, objects.out())) ||
        !Impersonate(objects.get())) {
      return false;
    }
    for (;;) {
      ComRef<IWbemClassObject> object;
      ULONG returned = 0;
      const HRESULT hr = objects->Next(kObjectTimeoutMs, 1, object.out(), &returned);
      if (FAILED(hr) || hr == WBEM_S_TIMEDOUT) return false;
      if (returned == 0) return true;
      std::string deviceId;
      if (!ReadDeviceId(object.get(), deviceId)) return false;
      result.deviceIds.push_back(deviceId);
    }
  }

 private:
  IWbemServices* services_;
};

}  // namespace

bool WithWmi(const std::function<void(Wql&)>& use) {
  const ComApartment apartment;
  if (!apartment.Ready()) return false;
  ComRef<IWbemLocator> locator;
  if (FAILED(::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWbemLocator, locator.outVoid()))) {
    return false;
  }
  const Bstr space(L"ROOT\\CIMV2");
  ComRef<IWbemServices> services;
  if (FAILED(locator->ConnectServer(space.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                    services.out())) ||
      !Impersonate(services.get())) {
    return false;
  }
  WmiQueries queries(services.get());
  use(queries);
  return true;
}

}  // namespace tovak
