#include "uninstaller/core/uninstall_dialog.h"

#include "uninstaller/core/context_reporter.h"
#include "uninstaller/core/installation_log.h"
#include "uninstaller/core/prompts.h"
#include "uninstaller/res/resource.h"
#include "uninstaller/support/reports.h"
#include "uninstaller/system/system_context.h"

#include <cstdio>

namespace {

const int kFirstRadio = IDC_WILLUNDO;
const int kLastRadio = IDC_UNDONEFAILED;

SIZE text_size(HDC dc, const std::string& text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// "helv" at 9 points: the height is 9 points taken to whole millimetres,
// then to pixels with the desktop's resolution.
HFONT create_list_font()
{
    HDC screen = GetDC(nullptr);
    int millimetres = MulDiv(9, 254, 720);
    int height = -MulDiv(millimetres, GetDeviceCaps(screen, VERTRES), GetDeviceCaps(screen, VERTSIZE));
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "helv");
}

// Top-left corner of a control in the dialog's client coordinates.
POINT control_origin(HWND dialog, HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    POINT origin = {rect.left, rect.top};
    ScreenToClient(dialog, &origin);
    return origin;
}

}  // namespace

UninstallDialog::UninstallDialog(const std::string& log_path, SystemContext& context, UndoServices& services)
    : log_path_(log_path), context_(context), session_(services, *this)
{
}

UninstallDialog::~UninstallDialog()
{
    if (list_font_ != nullptr)
        DeleteObject(list_font_);
}

INT_PTR UninstallDialog::handle_message(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return on_init_dialog();
    case WM_MEASUREITEM:
        on_measure_item(reinterpret_cast<MEASUREITEMSTRUCT*>(lparam));
        return TRUE;
    case WM_DRAWITEM:
        on_draw_item(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
        return TRUE;
    case WM_COMMAND:
        on_command(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    case WM_DESTROY:
        on_destroy();
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL UninstallDialog::on_init_dialog()
{
    center_window(window_, nullptr);
    panel_id_ = -1;
    panel_count_ = 0;
    selection_ = -1;
    context_.owner = window_;

    RECT units = {0, 0, 6, 9};   // the gap (6 horizontal units) and the item height (9 vertical units)
    MapDialogRect(window_, &units);
    gap_width_ = units.right;
    item_height_ = units.bottom;
    list_font_ = create_list_font();

    ContextReporter reporter(context_);
    InstallationLog log;
    if (!load_installation_log_file(log_path_.c_str(), reporter, &log)) {
        EndDialog(window_, 1);
        return TRUE;
    }
    session_.set_records(log.title, std::move(log.records));

    HWND list = item(IDC_OPLIST);
    // The list box measured its items while the dialog was being created,
    // before this object was attached; give it the height it should have.
    SendMessageA(list, LB_SETITEMHEIGHT, 0, item_height_);
    for (size_t i = 0; i < session_.record_count(); ++i)
        SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
    compute_list_extents();
    if (session_.record_count() == 0) {
        for (int id = kFirstRadio; id <= kLastRadio; ++id)
            EnableWindow(item(id), FALSE);
        EnableWindow(item(IDC_START), FALSE);
        EnableWindow(item(IDC_RESET), FALSE);
    } else {
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        update_selection();
    }
    char title[400];
    std::snprintf(title, sizeof title, "Halbern Uninstaller - [%s]", session_.title().c_str());
    SetWindowTextA(window_, title);
    return TRUE;
}

void UninstallDialog::on_measure_item(MEASUREITEMSTRUCT* measure)
{
    if (measure->CtlID == IDC_OPLIST && item_height_ > 0)
        measure->itemHeight = item_height_;
}

void UninstallDialog::on_draw_item(const DRAWITEMSTRUCT* draw)
{
    if (draw->CtlID != IDC_OPLIST)
        return;
    if (draw->itemID == static_cast<UINT>(-1) || draw->itemID >= session_.record_count())
        return;
    const Operation& record = session_.record(draw->itemID);
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    COLORREF text_colour = GetSysColor(selected ? COLOR_WINDOW : COLOR_WINDOWTEXT);
    COLORREF back_colour = GetSysColor(selected ? COLOR_WINDOWTEXT : COLOR_WINDOW);

    HDC dc = draw->hDC;
    HBRUSH background = CreateSolidBrush(back_colour);
    FillRect(dc, &draw->rcItem, background);
    DeleteObject(background);

    HGDIOBJ old_font = SelectObject(dc, list_font_);
    COLORREF old_text = SetTextColor(dc, text_colour);
    int old_mode = SetBkMode(dc, TRANSPARENT);
    std::string description = record.describe();
    std::string state = state_text(record.state());
    int height = draw->rcItem.bottom - draw->rcItem.top;
    int y = draw->rcItem.top + (height - text_size(dc, description).cy + 1) / 2;
    TextOutA(dc, draw->rcItem.left, y, description.c_str(), static_cast<int>(description.size()));
    TextOutA(dc, draw->rcItem.left + widest_description_ + gap_width_, y, state.c_str(),
             static_cast<int>(state.size()));
    SetBkMode(dc, old_mode);
    SetTextColor(dc, old_text);
    SelectObject(dc, old_font);
}

void UninstallDialog::compute_list_extents()
{
    HDC dc = GetDC(window_);
    HGDIOBJ old_font = SelectObject(dc, list_font_);
    widest_description_ = 0;
    widest_state_ = 0;
    for (size_t i = 0; i < session_.record_count(); ++i) {
        const Operation& record = session_.record(i);
        int description = text_size(dc, record.describe()).cx;
        int state = text_size(dc, state_text(record.state())).cx;
        if (description > widest_description_)
            widest_description_ = description;
        if (state > widest_state_)
            widest_state_ = state;
    }
    SelectObject(dc, old_font);
    ReleaseDC(window_, dc);
    SendMessageA(item(IDC_OPLIST), LB_SETHORIZONTALEXTENT, widest_description_ + gap_width_ + widest_state_, 0);
}

void UninstallDialog::on_command(int id, int code)
{
    switch (id) {
    case IDC_OPLIST:
        if (code == LBN_SELCHANGE)
            update_selection();
        break;
    case IDC_WILLUNDO:
    case IDC_WONTUNDO:
        if (code == BN_CLICKED && selection_ >= 0) {
            OperationState wanted = id == IDC_WILLUNDO ? WillUndo : WontUndo;
            session_.set_user_state(static_cast<size_t>(selection_), wanted);
            redraw_item(static_cast<size_t>(selection_));
            update_radio_buttons();
            compute_list_extents();
        }
        break;
    case IDC_START:
        if (session_.status() == Running)
            session_.request_stop();
        else
            session_.run(kPauseMs);
        break;
    case IDC_QUIT:    // also Esc and the close box
        on_quit();
        break;
    case IDC_RESET:
        session_.reset();
        break;
    case IDC_ABOUT: {
        AboutDialog about;
        about.run_modal(window_, "DLGABOUT");
        break;
    }
    default:
        break;
    }
}

void UninstallDialog::on_quit()
{
    // Quit is disabled during a run, but Esc and the close box still come
    // here: the run's loop is on the stack, so the dialog must not end now.
    if (session_.status() == Running)
        return;
    switch (session_.completion()) {
    case CompletionIncomplete:
        EndDialog(window_, 1);
        break;
    case CompletionComplete:
        EndDialog(window_, 0);
        break;
    case CompletionAsk:
        switch (ask_quit(window_)) {
        case kQuitComplete: EndDialog(window_, 0); break;
        case kQuitDontQuit: break;
        default: EndDialog(window_, 1); break;   // incomplete, or no dialog
        }
        break;
    }
}

void UninstallDialog::on_destroy()
{
    session_.set_records(session_.title(), std::vector<std::unique_ptr<Operation>>());
    if (context_.owner == window_)
        context_.owner = nullptr;
}

void UninstallDialog::update_selection()
{
    LRESULT selection = SendMessageA(item(IDC_OPLIST), LB_GETCURSEL, 0, 0);
    int panel = -1;
    int count = 0;
    if (selection != LB_ERR && static_cast<size_t>(selection) < session_.record_count()) {
        const Operation& record = session_.record(static_cast<size_t>(selection));
        panel = record.panel_id();
        count = record.panel_count();
        selection_ = static_cast<int>(selection);
        update_radio_buttons();
        record.show_fields(*this);
    } else {
        selection = -1;
    }
    switch_panels(panel, count);
    panel_id_ = panel;
    panel_count_ = count;
    selection_ = static_cast<int>(selection);
}

HWND UninstallDialog::nth_after(HWND window, int n) const
{
    for (int i = 0; i < n && window != nullptr; ++i)
        window = GetWindow(window, GW_HWNDNEXT);
    return window;
}

void UninstallDialog::switch_panels(int panel, int count)
{
    HWND frame = item(IDC_PANELFRAME);
    if (panel != panel_id_ || panel == -1) {
        if (panel_id_ != -1) {
            HWND old_box = item(panel_id_);
            move_controls(nth_after(frame, 1), frame, old_box, panel_count_, false, old_box);
        }
        if (panel != -1) {
            HWND box = item(panel);
            move_controls(nth_after(box, 1), box, frame, count, true, frame);
        }
    } else if (count < panel_count_) {
        HWND box = item(panel);
        move_controls(nth_after(frame, count + 1), frame, box, panel_count_ - count, false, box);
    } else if (count > panel_count_) {
        HWND box = item(panel);
        move_controls(nth_after(box, 1), box, frame, count - panel_count_, true, nth_after(frame, panel_count_));
    }
}

void UninstallDialog::move_controls(HWND first, HWND from, HWND to, int count, bool show, HWND insert_after)
{
    POINT from_origin = control_origin(window_, from);
    POINT to_origin = control_origin(window_, to);
    int dx = to_origin.x - from_origin.x;
    int dy = to_origin.y - from_origin.y;
    HWND control = first;
    HWND after = insert_after;
    for (int i = 0; i < count && control != nullptr; ++i) {
        HWND next = GetWindow(control, GW_HWNDNEXT);
        POINT origin = control_origin(window_, control);
        SetWindowPos(control, after, origin.x + dx, origin.y + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        after = control;
        control = next;
    }
    RECT frame_rect;
    GetWindowRect(item(IDC_PANELFRAME), &frame_rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&frame_rect), 2);
    InvalidateRect(window_, &frame_rect, TRUE);
    UpdateWindow(window_);
}

void UninstallDialog::update_radio_buttons()
{
    if (selection_ < 0 || static_cast<size_t>(selection_) >= session_.record_count())
        return;
    OperationState state = session_.record(static_cast<size_t>(selection_)).state();
    for (int id = kFirstRadio; id <= kLastRadio; ++id) {
        SendMessageA(item(id), BM_SETCHECK, id == kFirstRadio + state ? BST_CHECKED : BST_UNCHECKED, 0);
        bool enabled = false;
        if (session_.status() != Running) {
            if (state == WillUndo || state == WontUndo)
                enabled = id == IDC_WILLUNDO || id == IDC_WONTUNDO;
            else
                enabled = id == kFirstRadio + state;
        }
        EnableWindow(item(id), enabled ? TRUE : FALSE);
    }
}

void UninstallDialog::redraw_item(size_t index)
{
    HWND list = item(IDC_OPLIST);
    RECT rect;
    if (SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != LB_ERR)
        InvalidateRect(list, &rect, FALSE);
    UpdateWindow(list);
}

// ---- RunDriver ------------------------------------------------------------

bool UninstallDialog::confirm_run(const std::string& title)
{
    return ask_confirmation(window_, title);
}

void UninstallDialog::run_began()
{
    SetDlgItemTextA(window_, IDC_START, "&Stop");
    EnableWindow(item(IDC_QUIT), FALSE);
    EnableWindow(item(IDC_RESET), FALSE);
    EnableWindow(item(IDC_ABOUT), FALSE);
    update_radio_buttons();
}

void UninstallDialog::record_selected(size_t index)
{
    HWND list = item(IDC_OPLIST);
    LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    SendMessageA(list, LB_SETCURSEL, index, 0);
    SendMessageA(list, LB_SETTOPINDEX, top, 0);
    RECT client;
    GetClientRect(list, &client);
    LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    long rows = height > 0 ? (client.bottom - client.top) / static_cast<long>(height) : 1;
    long new_top = static_cast<long>(top) < static_cast<long>(index) ? static_cast<long>(top) : static_cast<long>(index);
    if (static_cast<long>(index) > new_top + rows - 1)
        new_top = static_cast<long>(index) - rows + 1;
    SendMessageA(list, LB_SETTOPINDEX, new_top, 0);
    update_selection();
}

void UninstallDialog::record_done(size_t index)
{
    redraw_item(index);
    update_radio_buttons();
    if (selection_ >= 0)
        session_.record(static_cast<size_t>(selection_)).show_fields(*this);
    compute_list_extents();
}

void UninstallDialog::run_ended(RunStatus status)
{
    SetDlgItemTextA(window_, IDC_START, status == Stopped ? "&Resume" : "&Restart");
    EnableWindow(item(IDC_QUIT), TRUE);
    EnableWindow(item(IDC_RESET), TRUE);
    EnableWindow(item(IDC_ABOUT), TRUE);
    update_radio_buttons();
}

void UninstallDialog::records_reset()
{
    InvalidateRect(item(IDC_OPLIST), nullptr, TRUE);
    update_radio_buttons();
    compute_list_extents();
}

uint32_t UninstallDialog::tick_count()
{
    return GetTickCount();
}

void UninstallDialog::pump_messages(uint32_t max_wait_ms)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, max_wait_ms, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));   // for the loop that owns it
            break;
        }
        if (!IsDialogMessageA(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// ---- FieldPanel -----------------------------------------------------------

void UninstallDialog::set_text(int control_id, const std::string& text)
{
    SetDlgItemTextA(window_, control_id, text.c_str());
}

void UninstallDialog::set_check(int control_id, bool checked)
{
    CheckDlgButton(window_, control_id, checked ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(item(control_id), FALSE);
}

// ---- AboutDialog ----------------------------------------------------------

INT_PTR AboutDialog::handle_message(UINT message, WPARAM wparam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        center_window(window_, nullptr);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(window_, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}
