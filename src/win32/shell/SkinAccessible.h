#pragma once

#include "core/shell/Geometry.h"
#include "core/shell/HotSpotFocus.h"

#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>

namespace dv::win32 {

class HotSpotKeyboard;

// COM objects end through Release and are final, so the interface's
// non-virtual destructor is never used to delete them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The main window's client area as screen readers see it (MSAA): its
// offered hot-spots in reading order as buttons, links and a slider with
// their names, descriptions, states and default actions, then the status
// line and the title line as read-only text. The hot-spots are areas of
// the window, so they are simple children of this object.
class SkinAccessible final : public IAccessible {
  public:
    struct TextLine {
        std::function<std::string()> text;
        Rect bounds; // in the main window's client area
        std::string_view description;
    };
    struct Parts {
        HWND window;
        const HotSpotCatalog& catalog;
        const HotSpotFocus& focus;
        HotSpotKeyboard& keyboard;
        TextLine statusLine;
        TextLine titleLine;
    };

    explicit SkinAccessible(Parts parts);
    SkinAccessible(const SkinAccessible&) = delete;
    SkinAccessible& operator=(const SkinAccessible&) = delete;

    // The answer to WM_GETOBJECT; 0 for objects other than the client area.
    LRESULT answer(WPARAM wParam, LPARAM lParam);
    // The window is going: readers still holding the object get an error.
    void disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; readers use the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  private:
    ~SkinAccessible() = default;

    // What a child number stands for, now.
    struct Child {
        enum class Kind { Self, HotSpot, Text, None } kind = Kind::None;
        const HotSpot* spot = nullptr;
        const TextLine* line = nullptr;
    };
    Child childOf(const VARIANT& id) const;
    long childCount() const;

    Parts p_;
    ULONG references_ = 1;
    bool connected_ = true;
};
#pragma GCC diagnostic pop

} // namespace dv::win32
