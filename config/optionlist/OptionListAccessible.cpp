#include "config/optionlist/OptionListAccessible.h"

#include <oleacc.h>

#include <atomic>
#include <new>
#include <string>

#include "base/Handles.h"
#include "config/optionlist/OptionList.h"

namespace tessera {

const IID kIIDAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

namespace {

const IID kIIDDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIIDUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

HRESULT Text(const std::wstring& _text, BSTR* _out) {
  if (!_out) return E_POINTER;
  *_out = nullptr;
  if (_text.empty()) return S_FALSE;
  *_out = ::SysAllocStringLen(_text.data(), static_cast<UINT>(_text.size()));
  return *_out ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* _out, LONG _child) {
  ::VariantInit(_out);
  _out->vt = VT_I4;
  _out->lVal = _child;
}

class TOptionListAccessible final : public IAccessible {
public:
  TOptionListAccessible(std::shared_ptr<TAccessTarget> _target, ComPtr<IAccessible> _standard)
      : FTarget(std::move(_target)), FStandard(std::move(_standard)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID _iid, void** _out) override {
    if (!_out) return E_POINTER;
    if (_iid == kIIDUnknown || _iid == kIIDDispatch || _iid == kIIDAccessible) {
      *_out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // What the proxy offers besides (IEnumVARIANT, IOleWindow...) comes from it.
    if (FStandard) return FStandard->QueryInterface(_iid, _out);
    *_out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --FReferences;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: clients use the interface's methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* _count) override {
    if (!_count) return E_POINTER;
    *_count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** _parent) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    return FStandard ? FStandard->get_accParent(_parent) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* _count) override {
    if (!_count) return E_POINTER;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    *_count = List().DisplayList().Count();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT _child, IDispatch** _out) override {
    if (!_out) return E_POINTER;
    *_out = nullptr;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    return Row(_child) >= 0 ? S_FALSE : E_INVALIDARG;  // rows are simple elements of this object
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT _child, BSTR* _name) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(_child)) return FStandard ? FStandard->get_accName(_child, _name) : Text({}, _name);
    const int row = Row(_child);
    if (row < 0) return E_INVALIDARG;
    return Text(List().DisplayList().GetItem(row).Caption(), _name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT _child, BSTR* _value) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(_child)) return FStandard ? FStandard->get_accValue(_child, _value) : Text({}, _value);
    const int row = Row(_child);
    if (row < 0) return E_INVALIDARG;
    const TDisplayItem& item = List().DisplayList().GetItem(row);
    if (item.ItemType() != diOption || !item.Option()) return Text({}, _value);
    return Text(OptionValueText(*item.Option()).Text, _value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT _child, BSTR* _description) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(_child)) return FStandard ? FStandard->get_accDescription(_child, _description) : DISP_E_MEMBERNOTFOUND;
    const int row = Row(_child);
    if (row < 0) return E_INVALIDARG;
    const TDisplayItem& item = List().DisplayList().GetItem(row);
    // The help text the host gives the status line.
    return Text(item.Option() ? item.Option()->GetHelpText() : std::wstring(), _description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT _child, VARIANT* _role) override {
    if (!_role) return E_POINTER;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(_child)) {
      SetChild(_role, ROLE_SYSTEM_LIST);
      return S_OK;
    }
    if (Row(_child) < 0) return E_INVALIDARG;
    SetChild(_role, ROLE_SYSTEM_LISTITEM);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT _child, VARIANT* _state) override {
    if (!_state) return E_POINTER;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(_child)) return FStandard ? FStandard->get_accState(_child, _state) : E_NOTIMPL;
    const int row = Row(_child);
    if (row < 0) return E_INVALIDARG;
    SetChild(_state, RowState(row));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT _child, BSTR* _shortcut) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(_child) && FStandard) return FStandard->get_accKeyboardShortcut(_child, _shortcut);
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* _focus) override {
    if (!_focus) return E_POINTER;
    ::VariantInit(_focus);
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (!FocusWithin()) return S_FALSE;
    const int selected = List().SelectedIndex();
    SetChild(_focus, List().DisplayList().ValidIndex(selected) ? selected + 1 : CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* _selection) override {
    if (!_selection) return E_POINTER;
    ::VariantInit(_selection);
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    const int selected = List().SelectedIndex();
    if (!List().DisplayList().ValidIndex(selected)) return S_FALSE;
    SetChild(_selection, selected + 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT _child, BSTR* _action) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(_child) && FStandard) return FStandard->get_accDefaultAction(_child, _action);
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long _flags, VARIANT _child) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(_child)) return FStandard ? FStandard->accSelect(_flags, _child) : E_NOTIMPL;
    const int row = Row(_child);
    if (row < 0) return E_INVALIDARG;
    if (!(_flags & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION))) return E_INVALIDARG;
    if (_flags & SELFLAG_TAKEFOCUS) ::SetFocus(List().Handle());
    List().SelectRow(row, true);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* _left, long* _top, long* _width, long* _height,
                                        VARIANT _child) override {
    if (!_left || !_top || !_width || !_height) return E_POINTER;
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(_child)) return FStandard ? FStandard->accLocation(_left, _top, _width, _height, _child) : E_NOTIMPL;
    const int row = Row(_child);
    if (row < 0) return E_INVALIDARG;
    RECT r = List().RowRect(row);
    ::MapWindowPoints(List().Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    *_left = r.left;
    *_top = r.top;
    *_width = r.right - r.left;
    *_height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long _direction, VARIANT _start, VARIANT* _end) override {
    if (!_end) return E_POINTER;
    ::VariantInit(_end);
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    const int count = List().DisplayList().Count();
    if (IsSelf(_start)) {
      if (_direction == NAVDIR_FIRSTCHILD || _direction == NAVDIR_LASTCHILD) {
        if (count == 0) return S_FALSE;
        SetChild(_end, _direction == NAVDIR_FIRSTCHILD ? 1 : count);
        return S_OK;
      }
      return FStandard ? FStandard->accNavigate(_direction, _start, _end) : S_FALSE;
    }
    const int row = Row(_start);
    if (row < 0) return E_INVALIDARG;
    int next = -1;
    if (_direction == NAVDIR_NEXT || _direction == NAVDIR_DOWN) next = row + 1;
    if (_direction == NAVDIR_PREVIOUS || _direction == NAVDIR_UP) next = row - 1;
    if (next < 0 || next >= count) return S_FALSE;
    SetChild(_end, next + 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long _x, long _y, VARIANT* _child) override {
    if (!_child) return E_POINTER;
    ::VariantInit(_child);
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    POINT p{_x, _y};
    ::ScreenToClient(List().Handle(), &p);
    RECT client{};
    ::GetClientRect(List().Handle(), &client);
    if (!::PtInRect(&client, p)) return FStandard ? FStandard->accHitTest(_x, _y, _child) : S_FALSE;
    const int row = RowAtPoint(p.y, List().TopIndex(), List().DisplayList().Count(), List().Metrics());
    SetChild(_child, row >= 0 ? row + 1 : CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT _child) override {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(_child) && FStandard) return FStandard->accDoDefaultAction(_child);
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
  ~TOptionListAccessible() = default;

  bool Connected() const noexcept { return FTarget && FTarget->List && ::IsWindow(FTarget->List->Handle()); }
  TvOptionList& List() const noexcept { return *FTarget->List; }
  static bool IsSelf(const VARIANT& _child) noexcept { return _child.vt == VT_I4 && _child.lVal == CHILDID_SELF; }
  // The row of a child id; -1 for the list itself or an id that names no row.
  int Row(const VARIANT& _child) const noexcept {
    if (_child.vt != VT_I4 || _child.lVal == CHILDID_SELF) return -1;
    const int row = static_cast<int>(_child.lVal) - 1;
    return List().DisplayList().ValidIndex(row) ? row : -1;
  }
  bool FocusWithin() const noexcept {
    HWND focus = ::GetFocus();
    return focus && (focus == List().Handle() || ::IsChild(List().Handle(), focus));
  }
  LONG RowState(int _row) const {
    const TvOptionList& list = List();
    const TDisplayItem& item = list.DisplayList().GetItem(_row);
    LONG state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (_row == list.SelectedIndex()) {
      state |= STATE_SYSTEM_SELECTED;
      if (FocusWithin()) state |= STATE_SYSTEM_FOCUSED;
    }
    if (!item.Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
    RECT client{}, row = list.RowRect(_row);
    ::GetClientRect(list.Handle(), &client);
    if (row.bottom <= client.top || row.top >= client.bottom) state |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
    if (item.ItemType() == diGroup && item.Group() && item.Group()->GetCanCollapse())
      state |= item.Group()->GetCollapsed() ? STATE_SYSTEM_COLLAPSED : STATE_SYSTEM_EXPANDED;
    if (const TCustomInheritingOption* option = item.Option()) {
      if (option->GetVisualControlType() == vcCheckBox && option->GetVisualControlChecked())
        state |= STATE_SYSTEM_CHECKED;
      if (option->HasFlag(flReadOnlyEdit)) state |= STATE_SYSTEM_READONLY;
    }
    return state;
  }

  std::atomic<ULONG> FReferences{1};
  std::shared_ptr<TAccessTarget> FTarget;
  ComPtr<IAccessible> FStandard;
};

}  // namespace

LRESULT AnswerGetObject(HWND list, const std::shared_ptr<TAccessTarget>& target, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  ComPtr<IAccessible> standard;
  ::CreateStdAccessibleObject(list, OBJID_CLIENT, kIIDAccessible, standard.put_void());
  auto* object = new (std::nothrow) TOptionListAccessible(target, std::move(standard));
  if (!object) return 0;
  const LRESULT result = ::LresultFromObject(kIIDAccessible, wParam, object);
  object->Release();
  return result;
}

}  // namespace tessera
