#include "ui/controls/script_error.h"

#include <mshtml.h>

#include "ui/core/com_ptr.h"
#include "ui/core/scoped_variant.h"

namespace veneer {
namespace {

// One property of a dispatch object as text; "" when it has none or it does not convert.
std::wstring PropertyText(IDispatch* object, const wchar_t* name) {
  ScopedBstr member(name);
  LPOLESTR names[] = {member.get()};
  DISPID id = DISPID_UNKNOWN;
  if (!member.get() || FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
    return L"";
  DISPPARAMS no_arguments = {};
  ScopedVariant value;
  if (FAILED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &no_arguments,
                            value.get(), nullptr, nullptr))) {
    return L"";
  }
  ScopedVariant text;
  if (FAILED(VariantChangeType(text.get(), value.get(), 0, VT_BSTR)) || !text.value().bstrVal) return L"";
  return std::wstring(text.value().bstrVal, SysStringLen(text.value().bstrVal));
}

IUnknown* InterfaceOf(const VARIANT* value) {
  if (!value) return nullptr;
  if (value->vt == VT_UNKNOWN) return value->punkVal;
  if (value->vt == VT_DISPATCH) return value->pdispVal;
  return nullptr;
}

}  // namespace

bool ReadScriptError(const VARIANT* document, ScriptError* error) {
  IUnknown* holder = InterfaceOf(document);
  ComPtr<IHTMLDocument2> html_document;
  if (!error || !holder || FAILED(holder->QueryInterface(IID_IHTMLDocument2, html_document.receive())) ||
      !html_document) {
    return false;
  }
  ComPtr<IHTMLWindow2> window;
  if (FAILED(html_document->get_parentWindow(reinterpret_cast<IHTMLWindow2**>(window.receive()))) ||
      !window) {
    return false;
  }
  ComPtr<IHTMLEventObj> event;
  if (FAILED(window->get_event(reinterpret_cast<IHTMLEventObj**>(event.receive()))) || !event) return false;
  ComPtr<IDispatch> properties;
  if (FAILED(event->QueryInterface(IID_IDispatch, properties.receive())) || !properties) return false;
  error->line = PropertyText(properties.get(), L"errorLine");
  error->character = PropertyText(properties.get(), L"errorCharacter");
  error->code = PropertyText(properties.get(), L"errorCode");
  error->message = PropertyText(properties.get(), L"errorMessage");
  error->url = PropertyText(properties.get(), L"errorUrl");
  return true;
}

void ReportScriptError(const VARIANT* document) {
  ScriptError error;
  if (!ReadScriptError(document, &error)) return;
  const std::wstring text = L"Script error " + error.code + L" at " + error.url + L" line " + error.line +
                            L", character " + error.character + L": " + error.message + L"\n";
  OutputDebugStringW(text.c_str());
}

}  // namespace veneer
