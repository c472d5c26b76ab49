#include "win32/shell/SkinAccessible.h"

#include "core/shell/HotSpotAccess.h"
#include "core/shell/MainWindowLayout.h"
#include "win32/shell/HotSpotKeyboard.h"
#include "win32/support/Utf16.h"

namespace dv::win32 {

namespace {

HRESULT giveText(std::string_view text, BSTR* out) {
    if (!out)
        return E_INVALIDARG;
    const std::wstring wide = widen(text);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT giveNumber(long number, VARIANT* out) {
    if (!out)
        return E_INVALIDARG;
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = number;
    return S_OK;
}

long roleOf(HotSpotRole role) {
    switch (role) {
    case HotSpotRole::Link:
        return ROLE_SYSTEM_LINK;
    case HotSpotRole::Slider:
        return ROLE_SYSTEM_SLIDER;
    case HotSpotRole::Button:
        break;
    }
    return ROLE_SYSTEM_PUSHBUTTON;
}

} // namespace

SkinAccessible::SkinAccessible(Parts parts) : p_(std::move(parts)) {}

LRESULT SkinAccessible::answer(WPARAM wParam, LPARAM lParam) {
    if (!connected_ || static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    return LresultFromObject(IID_IAccessible, wParam, this);
}

void SkinAccessible::disconnect() {
    connected_ = false;
}

HRESULT SkinAccessible::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG SkinAccessible::AddRef() {
    return ++references_;
}

ULONG SkinAccessible::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT SkinAccessible::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

HRESULT SkinAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}
HRESULT SkinAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
HRESULT SkinAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) {
    return E_NOTIMPL;
}

long SkinAccessible::childCount() const {
    return static_cast<long>(p_.focus.offered().size()) + 2;
}

SkinAccessible::Child SkinAccessible::childOf(const VARIANT& id) const {
    if (id.vt != VT_I4)
        return {};
    if (id.lVal == CHILDID_SELF)
        return {Child::Kind::Self};
    const auto offered = p_.focus.offered();
    const long count = static_cast<long>(offered.size());
    if (id.lVal >= 1 && id.lVal <= count)
        return {Child::Kind::HotSpot, offered[static_cast<std::size_t>(id.lVal - 1)]};
    if (id.lVal == count + 1)
        return {Child::Kind::Text, nullptr, &p_.statusLine};
    if (id.lVal == count + 2)
        return {Child::Kind::Text, nullptr, &p_.titleLine};
    return {};
}

HRESULT SkinAccessible::get_accParent(IDispatch** parent) {
    if (!parent)
        return E_INVALIDARG;
    *parent = nullptr;
    if (!connected_)
        return RPC_E_DISCONNECTED;
    return CreateStdAccessibleObject(p_.window, OBJID_WINDOW, IID_IDispatch,
                                     reinterpret_cast<void**>(parent));
}

HRESULT SkinAccessible::get_accChildCount(long* count) {
    if (!count)
        return E_INVALIDARG;
    if (!connected_)
        return RPC_E_DISCONNECTED;
    *count = childCount();
    return S_OK;
}

HRESULT SkinAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!object)
        return E_INVALIDARG;
    *object = nullptr;
    if (!connected_)
        return RPC_E_DISCONNECTED;
    // Every child is a simple element of this object.
    return childOf(child).kind == Child::Kind::None ? E_INVALIDARG : S_FALSE;
}

HRESULT SkinAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!connected_)
        return RPC_E_DISCONNECTED;
    const Child c = childOf(child);
    switch (c.kind) {
    case Child::Kind::Self:
        return giveText(layout::kWindowCaption, name);
    case Child::Kind::HotSpot:
        return giveText(HotSpotAccess::find(c.spot->name)->accessibleName, name);
    case Child::Kind::Text:
        // Read-only text is named by what it says.
        return giveText(c.line->text(), name);
    case Child::Kind::None:
        break;
    }
    return E_INVALIDARG;
}

HRESULT SkinAccessible::get_accValue(VARIANT child, BSTR* value) {
    if (!connected_)
        return RPC_E_DISCONNECTED;
    const Child c = childOf(child);
    if (c.kind == Child::Kind::Text)
        return giveText(c.line->text(), value);
    if (value)
        *value = nullptr;
    return c.kind == Child::Kind::None ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT SkinAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (!connected_)
        return RPC_E_DISCONNECTED;
    const Child c = childOf(child);
    if (c.kind == Child::Kind::HotSpot)
        return giveText(HotSpotAccess::description(*c.spot), description);
    if (c.kind == Child::Kind::Text)
        return giveText(c.line->description, description);
    if (description)
        *description = nullptr;
    return c.kind == Child::Kind::None ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT SkinAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!connected_)
        return RPC_E_DISCONNECTED;
    const Child c = childOf(child);
    switch (c.kind) {
    case Child::Kind::Self:
        return giveNumber(ROLE_SYSTEM_CLIENT, role);
    case Child::Kind::HotSpot:
        return giveNumber(roleOf(HotSpotAccess::roleOf(HotSpotAccess::actionOf(c.spot->name))),
                          role);
    case Child::Kind::Text:
        return giveNumber(ROLE_SYSTEM_STATICTEXT, role);
    case Child::Kind::None:
        break;
    }
    return E_INVALIDARG;
}

HRESULT SkinAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!connected_)
        return RPC_E_DISCONNECTED;
    const Child c = childOf(child);
    const bool windowFocused = GetFocus() == p_.window;
    switch (c.kind) {
    case Child::Kind::Self:
        return giveNumber(STATE_SYSTEM_FOCUSABLE |
                              (windowFocused && !p_.focus.focused() ? STATE_SYSTEM_FOCUSED : 0),
                          state);
    case Child::Kind::HotSpot: {
        const HotSpotAccessEntry& entry = *HotSpotAccess::find(c.spot->name);
        long flags = 0;
        if (entry.tabStop)
            flags |= STATE_SYSTEM_FOCUSABLE;
        if (windowFocused && p_.focus.focused() == c.spot)
            flags |= STATE_SYSTEM_FOCUSED;
        if (HotSpotAccess::roleOf(entry.action) == HotSpotRole::Link)
            flags |= STATE_SYSTEM_LINKED;
        return giveNumber(flags, state);
    }
    case Child::Kind::Text:
        return giveNumber(STATE_SYSTEM_READONLY, state);
    case Child::Kind::None:
        break;
    }
    return E_INVALIDARG;
}

HRESULT SkinAccessible::get_accHelp(VARIANT, BSTR* help) {
    if (help)
        *help = nullptr;
    return connected_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT SkinAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file)
        *file = nullptr;
    if (topic)
        *topic = 0;
    return connected_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT SkinAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    if (shortcut)
        *shortcut = nullptr;
    return connected_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT SkinAccessible::get_accFocus(VARIANT* child) {
    if (!child)
        return E_INVALIDARG;
    VariantInit(child);
    if (!connected_)
        return RPC_E_DISCONNECTED;
    if (GetFocus() != p_.window)
        return S_FALSE;
    const auto offered = p_.focus.offered();
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (offered[i] == p_.focus.focused())
            return giveNumber(static_cast<long>(i + 1), child);
    }
    return giveNumber(CHILDID_SELF, child);
}

HRESULT SkinAccessible::get_accSelection(VARIANT* children) {
    if (!children)
        return E_INVALIDARG;
    VariantInit(children);
    return connected_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT SkinAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!connected_)
        return RPC_E_DISCONNECTED;
    const Child c = childOf(child);
    if (c.kind == Child::Kind::None)
        return E_INVALIDARG;
    const std::string_view name =
        c.kind == Child::Kind::HotSpot
            ? HotSpotAccess::defaultActionName(HotSpotAccess::actionOf(c.spot->name))
            : "";
    if (name.empty()) {
        if (action)
            *action = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }
    return giveText(name, action);
}

HRESULT SkinAccessible::accSelect(long flags, VARIANT child) {
    if (!connected_)
        return RPC_E_DISCONNECTED;
    const Child c = childOf(child);
    if (c.kind != Child::Kind::HotSpot || flags != SELFLAG_TAKEFOCUS ||
        !HotSpotAccess::find(c.spot->name)->tabStop)
        return c.kind == Child::Kind::None ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
    p_.keyboard.focusSpot(*c.spot);
    return S_OK;
}

HRESULT SkinAccessible::accLocation(long* left, long* top, long* width, long* height,
                                    VARIANT child) {
    if (!left || !top || !width || !height)
        return E_INVALIDARG;
    if (!connected_)
        return RPC_E_DISCONNECTED;
    const Child c = childOf(child);
    Rect r;
    switch (c.kind) {
    case Child::Kind::Self:
        r = {0, 0, layout::kClientWidth, layout::kClientHeight};
        break;
    case Child::Kind::HotSpot:
        r = c.spot->bounds;
        break;
    case Child::Kind::Text:
        r = c.line->bounds;
        break;
    case Child::Kind::None:
        return E_INVALIDARG;
    }
    POINT corner{r.left, r.top};
    ClientToScreen(p_.window, &corner);
    *left = corner.x;
    *top = corner.y;
    *width = r.width;
    *height = r.height;
    return S_OK;
}

HRESULT SkinAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end)
        return E_INVALIDARG;
    VariantInit(end);
    if (!connected_)
        return RPC_E_DISCONNECTED;
    const Child c = childOf(start);
    if (c.kind == Child::Kind::None)
        return E_INVALIDARG;
    const long count = childCount();
    long to = 0;
    if (c.kind == Child::Kind::Self) {
        if (direction == NAVDIR_FIRSTCHILD)
            to = 1;
        else if (direction == NAVDIR_LASTCHILD)
            to = count;
        else
            return S_FALSE; // the window's own object answers for its siblings
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
        to = start.lVal + 1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
        to = start.lVal - 1;
    }
    if (to < 1 || to > count)
        return S_FALSE;
    return giveNumber(to, end);
}

HRESULT SkinAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!child)
        return E_INVALIDARG;
    VariantInit(child);
    if (!connected_)
        return RPC_E_DISCONNECTED;
    POINT point{x, y};
    ScreenToClient(p_.window, &point);
    if (point.x < 0 || point.y < 0 || point.x >= layout::kClientWidth ||
        point.y >= layout::kClientHeight)
        return S_FALSE;
    // The topmost offered hot-spot there: later ones in the catalog lie on top.
    const auto offered = p_.focus.offered();
    long hit = CHILDID_SELF;
    std::ptrdiff_t stackedAt = -1;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        const std::ptrdiff_t place = offered[i] - p_.catalog.all().data();
        if (offered[i]->bounds.contains(point.x, point.y) && place > stackedAt) {
            hit = static_cast<long>(i + 1);
            stackedAt = place;
        }
    }
    if (hit == CHILDID_SELF) {
        if (p_.statusLine.bounds.contains(point.x, point.y))
            hit = childCount() - 1;
        else if (p_.titleLine.bounds.contains(point.x, point.y))
            hit = childCount();
    }
    return giveNumber(hit, child);
}

HRESULT SkinAccessible::accDoDefaultAction(VARIANT child) {
    if (!connected_)
        return RPC_E_DISCONNECTED;
    const Child c = childOf(child);
    if (c.kind == Child::Kind::None)
        return E_INVALIDARG;
    if (c.kind != Child::Kind::HotSpot ||
        HotSpotAccess::defaultActionName(HotSpotAccess::actionOf(c.spot->name)).empty())
        return DISP_E_MEMBERNOTFOUND;
    // The action may open a modal window: it runs once the reader's call is over.
    p_.keyboard.postClick(*c.spot);
    return S_OK;
}

HRESULT SkinAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}
HRESULT SkinAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

} // namespace dv::win32
