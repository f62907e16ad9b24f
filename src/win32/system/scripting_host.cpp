#include "win32/system/scripting_host.h"

#include <windows.h>
#include <oleauto.h>

#include <vector>

#include "win32/system/com_support.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

constexpr char16_t kProgId[] = u"Wscript.Shell";

class DispatchScriptingHost final : public ScriptingHost {
 public:
  explicit DispatchScriptingHost(ComPtr<IDispatch> shell) : shell_(std::move(shell)) {}

  void RegWrite(std::u16string_view name, std::u16string_view value,
                std::optional<std::u16string_view> type) override {
    std::vector<std::u16string_view> arguments{name, value};
    if (type) arguments.push_back(*type);
    Call(L"RegWrite", arguments);
  }

  void RegDelete(std::u16string_view name) override { Call(L"RegDelete", {name}); }

 private:
  // Calls a method with text arguments, given in their natural order.
  void Call(const wchar_t* method, const std::vector<std::u16string_view>& arguments) {
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(method);
    ThrowIfFailed(shell_.Get()->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));

    // IDispatch takes the arguments last one first.
    std::vector<UniqueVariant> owned;
    owned.reserve(arguments.size());
    for (auto argument = arguments.rbegin(); argument != arguments.rend(); ++argument) {
      owned.push_back(VariantFromText(ToWide(*argument)));
    }
    std::vector<VARIANT> values;  // borrowed from `owned`, which frees them
    values.reserve(owned.size());
    for (const UniqueVariant& variant : owned) values.push_back(variant.Get());

    DISPPARAMS parameters{values.data(), nullptr, static_cast<UINT>(values.size()), 0};
    UniqueVariant result;
    ExceptionInfo exception;
    UINT badArgument = 0;
    HRESULT hr = shell_.Get()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, result.Put(),
                                exception.Get(), &badArgument);
    if (hr == DISP_E_EXCEPTION) throw ErrorFromExcepInfo(exception.Filled(), hr);
    ThrowIfFailed(hr);
  }

  ComPtr<IDispatch> shell_;
};

}  // namespace

std::unique_ptr<ScriptingHost> Win32ScriptingHostFactory::CreateScriptingHost() {
  if (!apartment_) apartment_.emplace();
  CLSID classId{};
  ThrowIfFailed(Com().CLSIDFromProgID(ToWide(kProgId).c_str(), &classId), kProgId);
  ComPtr<IDispatch> shell;
  ThrowIfFailed(Com().CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                       IID_IDispatch, reinterpret_cast<void**>(shell.Put())),
                kProgId);
  return std::make_unique<DispatchScriptingHost>(std::move(shell));
}

}  // namespace quellbrook::win32
