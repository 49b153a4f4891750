#include "controls/grid_accessible.h"

#include <wrl/client.h>

#include <algorithm>
#include <exception>
#include <string>

#include "controls/grid_view.h"
#include "platform/win32/accessibility_runtime.h"

namespace vorlen {

using Microsoft::WRL::ComPtr;

namespace {

// An object handed out before the grid went away.
constexpr HRESULT kGone = CO_E_OBJNOTCONNECTED;

// Runs one method body; nothing thrown crosses the COM boundary.
template <typename Body>
HRESULT Guarded(Body&& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT ReturnText(const std::wstring& text, BSTR* result) {
    if (text.empty()) return S_FALSE;
    *result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *result ? S_OK : E_OUTOFMEMORY;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

void SetSelf(VARIANT* result) {
    result->vt = VT_I4;
    result->lVal = CHILDID_SELF;
}

// The table, one of its rows or one of their cells. The table holds the
// view; rows and cells hold the table, so that a client that keeps one
// after the grid is gone gets kGone, never a dangling view.
class GridElement final : public IAccessible {
public:
    enum class Kind { Table, Row, Cell };

    static ComPtr<GridElement> Table(GridView& view) { return Make(Kind::Table, nullptr, &view, -1, -1); }

    void Disconnect() { view_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: clients call IAccessible through its table of methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        return Guarded([&]() -> HRESULT {
            if (!Alive()) return kGone;
            if (kind_ == Kind::Table) {
                // The window around the grid, as the system describes it.
                const AccessibilityRuntime* runtime = AccessibilityRuntime::OfThisSystem();
                if (!runtime) return E_FAIL;
                return runtime->accessibleObjectFromWindow(View().Hwnd(), static_cast<DWORD>(OBJID_WINDOW),
                                                           __uuidof(IDispatch), reinterpret_cast<void**>(parent));
            }
            ComPtr<GridElement> up = kind_ == Kind::Row ? ComPtr<GridElement>(table_) : RowElement(row_);
            *parent = up.Detach();
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return Guarded([&]() -> HRESULT {
            if (!Alive()) return kGone;
            if (kind_ == Kind::Table) *count = RowCount();
            if (kind_ == Kind::Row) *count = Model().Cols();
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** result) override {
        if (!result) return E_POINTER;
        *result = nullptr;
        return Guarded([&]() -> HRESULT {
            if (IsSelf(child)) return E_INVALIDARG;
            ComPtr<GridElement> target;
            if (const HRESULT found = Resolve(child, target); found != S_OK) return found;
            *result = target.Detach();
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Text(child, name, [](GridElement& target) { return target.Name(); });
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
        if (value) *value = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Text(child, description, [](GridElement& target) { return target.Description(); });
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        VariantInit(role);
        return Guarded([&]() -> HRESULT {
            ComPtr<GridElement> target;
            if (const HRESULT found = Resolve(child, target); found != S_OK) return found;
            role->vt = VT_I4;
            role->lVal = target->Role();
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        VariantInit(state);
        return Guarded([&]() -> HRESULT {
            ComPtr<GridElement> target;
            if (const HRESULT found = Resolve(child, target); found != S_OK) return found;
            state->vt = VT_I4;
            state->lVal = target->State();
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        if (!help) return E_POINTER;
        *help = nullptr;
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
        if (!shortcut) return E_POINTER;
        *shortcut = nullptr;
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) override {
        if (!focused) return E_POINTER;
        VariantInit(focused);
        return Guarded([&]() -> HRESULT {
            if (!Alive()) return kGone;
            if (!View().HasFocus()) return S_FALSE;
            const GridModel& model = Model();
            const bool currentShown = IsDataCell(model.Row(), model.Col()) && RowPosition(model.Row()) > 0;
            if (kind_ == Kind::Table) {
                if (!currentShown) {
                    SetSelf(focused);
                    return S_OK;
                }
                return Hand(CellElement(model.Row(), model.Col()), focused);
            }
            if (!currentShown || model.Row() != row_) return S_FALSE;
            if (kind_ == Kind::Row) return Hand(CellElement(row_, model.Col()), focused);
            if (model.Col() != col_) return S_FALSE;
            SetSelf(focused);
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) override {
        if (selected) VariantInit(selected);
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Text(child, action, [](GridElement& target) {
            if (!target.IsDataCell(target.row_, target.col_)) return std::wstring();
            return target.View().defaultActionName;
        });
    }

    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }

    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        return Guarded([&]() -> HRESULT {
            ComPtr<GridElement> target;
            if (const HRESULT found = Resolve(child, target); found != S_OK) return found;
            RECT rect = target->ClientRect();
            MapWindowPoints(View().Hwnd(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
            *left = rect.left;
            *top = rect.top;
            *width = rect.right - rect.left;
            *height = rect.bottom - rect.top;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        VariantInit(end);
        return Guarded([&]() -> HRESULT {
            ComPtr<GridElement> from;
            if (const HRESULT found = Resolve(start, from); found != S_OK) return found;
            if (from->kind_ == Kind::Table && direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD) {
                // Beside the grid: the system knows the window's siblings.
                const AccessibilityRuntime* runtime = AccessibilityRuntime::OfThisSystem();
                if (!runtime) return E_FAIL;
                ComPtr<IAccessible> client;
                const HRESULT made =
                    runtime->createStdAccessibleObject(View().Hwnd(), OBJID_CLIENT, __uuidof(IAccessible),
                                                       reinterpret_cast<void**>(client.GetAddressOf()));
                if (FAILED(made)) return made;
                VARIANT self;
                SetSelf(&self);
                return client->accNavigate(direction, self, end);
            }
            const ComPtr<GridElement> next = from->Navigate(direction);
            return next ? Hand(next, end) : S_FALSE;
        });
    }

    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        VariantInit(hit);
        return Guarded([&]() -> HRESULT {
            if (!Alive()) return kGone;
            POINT point{x, y};
            ScreenToClient(View().Hwnd(), &point);
            const RECT own = ClientRect();
            RECT client{};
            GetClientRect(View().Hwnd(), &client);
            if (!PtInRect(&own, point) || !PtInRect(&client, point)) return S_FALSE;
            const auto cell = View().CellAt(point);
            if (kind_ == Kind::Table && cell) return Hand(RowElement(cell->first), hit);
            if (kind_ == Kind::Row && cell && cell->first == row_) return Hand(CellElement(row_, cell->second), hit);
            SetSelf(hit);
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return Guarded([&]() -> HRESULT {
            ComPtr<GridElement> target;
            if (const HRESULT found = Resolve(child, target); found != S_OK) return found;
            if (target->kind_ != Kind::Cell || !target->IsDataCell(target->row_, target->col_))
                return DISP_E_MEMBERNOTFOUND;
            return View().ActivateCell(target->row_, target->col_) ? S_OK : E_FAIL;
        });
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    GridElement(Kind kind, GridElement* table, GridView* view, int row, int col)
        : kind_(kind), table_(table), view_(view), row_(row), col_(col) {}
    ~GridElement() = default;

    static ComPtr<GridElement> Make(Kind kind, GridElement* table, GridView* view, int row, int col) {
        ComPtr<GridElement> element;
        element.Attach(new GridElement(kind, table, view, row, col));
        return element;
    }

    GridElement& TableElement() { return table_ ? *table_.Get() : *this; }
    GridView& View() { return *TableElement().view_; }
    const GridModel& Model() { return View().Model(); }
    ComPtr<GridElement> RowElement(int row) { return Make(Kind::Row, &TableElement(), nullptr, row, -1); }
    ComPtr<GridElement> CellElement(int row, int col) { return Make(Kind::Cell, &TableElement(), nullptr, row, col); }

    // ---- Rows by position: the heading rows, then the shown data rows ----

    int RowCount() { return Model().FixedRows() + View().ShownRowCount(); }

    // The row at child position 1, 2, …, or -1.
    int RowAtPosition(int position) {
        const int fixedRows = Model().FixedRows();
        if (position < 1 || position > RowCount()) return -1;
        return position <= fixedRows ? position - 1 : View().ShownRow(position - fixedRows - 1);
    }

    // The child position of a row, or 0 when it is hidden or gone.
    int RowPosition(int row) {
        const GridModel& model = Model();
        if (row < 0 || row >= model.Rows()) return 0;
        if (row < model.FixedRows()) return row + 1;
        const int index = View().ShownIndexOfRow(row);
        return index < 0 ? 0 : model.FixedRows() + index + 1;
    }

    bool IsDataCell(int row, int col) {
        const GridModel& model = Model();
        return row >= model.FixedRows() && row < model.Rows() && col >= model.FixedCols() && col < model.Cols();
    }

    // Still part of the grid: the grid exists, and a row or cell is shown.
    bool Alive() {
        if (!TableElement().view_) return false;
        if (kind_ == Kind::Table) return true;
        if (RowPosition(row_) == 0) return false;
        return kind_ == Kind::Row || (col_ >= 0 && col_ < Model().Cols());
    }

    // The element a child id names, this one for CHILDID_SELF.
    HRESULT Resolve(const VARIANT& child, ComPtr<GridElement>& target) {
        if (!Alive()) return kGone;
        if (child.vt != VT_I4) return E_INVALIDARG;
        const LONG id = child.lVal;
        if (id == CHILDID_SELF) {
            target = this;
            return S_OK;
        }
        if (kind_ == Kind::Table && id > 0) {
            const int row = RowAtPosition(id);
            if (row < 0) return E_INVALIDARG;
            target = RowElement(row);
            return S_OK;
        }
        if (kind_ == Kind::Table && id < 0) {
            const int cols = Model().Cols();
            if (cols <= 0) return E_INVALIDARG;
            const long index = -static_cast<long>(id) - 1;
            const int row = static_cast<int>(index / cols);
            const int col = static_cast<int>(index % cols);
            if (RowPosition(row) == 0) return E_INVALIDARG;
            target = CellElement(row, col);
            return S_OK;
        }
        if (kind_ == Kind::Row && id >= 1 && id <= Model().Cols()) {
            target = CellElement(row_, id - 1);
            return S_OK;
        }
        return E_INVALIDARG;
    }

    template <typename Read>
    HRESULT Text(const VARIANT& child, BSTR* result, Read read) {
        if (!result) return E_POINTER;
        *result = nullptr;
        return Guarded([&]() -> HRESULT {
            ComPtr<GridElement> target;
            if (const HRESULT found = Resolve(child, target); found != S_OK) return found;
            return ReturnText(read(*target.Get()), result);
        });
    }

    static HRESULT Hand(const ComPtr<GridElement>& element, VARIANT* result) {
        result->vt = VT_DISPATCH;
        result->pdispVal = ComPtr<GridElement>(element).Detach();
        return S_OK;
    }

    // ---- What each element says -------------------------------------------

    std::wstring Name() {
        const GridModel& model = Model();
        if (kind_ == Kind::Cell) return std::wstring(model.Text(row_, col_));
        if (kind_ == Kind::Table) return L"";
        std::wstring name;
        for (int col = model.FixedCols(); col < model.Cols() && col < model.FixedCols() + 2; ++col) {
            const std::wstring_view text = model.Text(row_, col);
            if (text.empty()) continue;
            if (!name.empty()) name += L' ';
            name += text;
        }
        return name;
    }

    // A data cell is described by its column's heading.
    std::wstring Description() {
        const GridModel& model = Model();
        if (kind_ != Kind::Cell || !IsDataCell(row_, col_) || model.FixedRows() == 0) return L"";
        return std::wstring(model.Text(0, col_));
    }

    long Role() {
        const GridModel& model = Model();
        switch (kind_) {
        case Kind::Table: return ROLE_SYSTEM_TABLE;
        case Kind::Row: return ROLE_SYSTEM_ROW;
        case Kind::Cell: break;
        }
        if (row_ < model.FixedRows()) return ROLE_SYSTEM_COLUMNHEADER;
        if (col_ < model.FixedCols()) return ROLE_SYSTEM_ROWHEADER;
        return ROLE_SYSTEM_CELL;
    }

    long State() {
        GridView& view = View();
        long state = 0;
        if (!IsWindowVisible(view.Hwnd())) state |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(view.Hwnd())) state |= STATE_SYSTEM_UNAVAILABLE;
        if (kind_ == Kind::Table) {
            state |= STATE_SYSTEM_FOCUSABLE;
            if (view.HasFocus()) state |= STATE_SYSTEM_FOCUSED;
            return state;
        }
        if (!view.IsInView(row_, kind_ == Kind::Cell ? col_ : -1)) state |= STATE_SYSTEM_OFFSCREEN;
        if (kind_ == Kind::Row) return state;
        const GridModel& model = Model();
        state |= STATE_SYSTEM_READONLY;
        if (model.ColWidth(col_) == 0) state |= STATE_SYSTEM_INVISIBLE;
        if (!IsDataCell(row_, col_)) return state;
        state |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
        const bool current = row_ == model.Row() && col_ == model.Col();
        if (current && view.HasFocus()) state |= STATE_SYSTEM_FOCUSED;
        const auto [firstRow, lastRow] = std::minmax({model.Row(), model.RowSel()});
        const auto [firstCol, lastCol] = std::minmax({model.Col(), model.ColSel()});
        if (row_ >= firstRow && row_ <= lastRow && col_ >= firstCol && col_ <= lastCol) state |= STATE_SYSTEM_SELECTED;
        return state;
    }

    // Where the element is drawn, in the grid's client coordinates.
    RECT ClientRect() {
        GridView& view = View();
        RECT rect{};
        if (kind_ == Kind::Table) {
            GetClientRect(view.Hwnd(), &rect);
        } else if (kind_ == Kind::Cell) {
            rect = view.CellRect(row_, col_);
        } else {
            const int cols = Model().Cols();
            for (int col = 0; col < cols; ++col) {
                const RECT cell = view.CellRect(row_, col);
                if (col == 0) {
                    rect = cell;
                } else {
                    rect.left = std::min(rect.left, cell.left);
                    rect.right = std::max(rect.right, cell.right);
                }
            }
        }
        return rect;
    }

    // The neighbour in a direction, or nothing.
    ComPtr<GridElement> Navigate(long direction) {
        const GridModel& model = Model();
        if (kind_ == Kind::Table) {
            const int position = direction == NAVDIR_FIRSTCHILD ? 1 : RowCount();
            const int row = RowAtPosition(position);
            return row < 0 ? nullptr : RowElement(row);
        }
        const auto rowBeside = [&](int step) { return RowAtPosition(RowPosition(row_) + step); };
        if (kind_ == Kind::Row) {
            switch (direction) {
            case NAVDIR_NEXT:
            case NAVDIR_DOWN:
                if (const int row = rowBeside(1); row >= 0) return RowElement(row);
                return nullptr;
            case NAVDIR_PREVIOUS:
            case NAVDIR_UP:
                if (const int row = rowBeside(-1); row >= 0) return RowElement(row);
                return nullptr;
            case NAVDIR_FIRSTCHILD: return model.Cols() > 0 ? CellElement(row_, 0) : nullptr;
            case NAVDIR_LASTCHILD: return model.Cols() > 0 ? CellElement(row_, model.Cols() - 1) : nullptr;
            default: return nullptr;
            }
        }
        switch (direction) {
        case NAVDIR_NEXT:
        case NAVDIR_RIGHT: return col_ + 1 < model.Cols() ? CellElement(row_, col_ + 1) : nullptr;
        case NAVDIR_PREVIOUS:
        case NAVDIR_LEFT: return col_ > 0 ? CellElement(row_, col_ - 1) : nullptr;
        case NAVDIR_DOWN:
            if (const int row = rowBeside(1); row >= 0) return CellElement(row, col_);
            return nullptr;
        case NAVDIR_UP:
            if (const int row = rowBeside(-1); row >= 0) return CellElement(row, col_);
            return nullptr;
        default: return nullptr;
        }
    }

    LONG references_ = 1;
    Kind kind_;
    ComPtr<GridElement> table_;  // empty for the table itself
    GridView* view_;             // the table's; empty once the grid is gone
    int row_;
    int col_;
};

}  // namespace

LRESULT GridAccessibility::OnGetObject(WPARAM wParam, LPARAM lParam) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
    // Without the system's runtime the grid answers as a plain window does.
    const AccessibilityRuntime* runtime = AccessibilityRuntime::OfThisSystem();
    if (!runtime) return 0;
    if (!table_) {
        try {
            table_ = GridElement::Table(view_).Detach();
        } catch (const std::bad_alloc&) {
            return 0;
        }
    }
    return runtime->lresultFromObject(__uuidof(IAccessible), wParam, table_);
}

void GridAccessibility::Disconnect() {
    if (!table_) return;
    static_cast<GridElement*>(table_)->Disconnect();
    table_->Release();
    table_ = nullptr;
}

LONG GridAccessibility::CellEventId(int row, int col, int cols) { return -(row * cols + col + 1); }

}  // namespace vorlen
