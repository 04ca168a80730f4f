#include "translator/framework/dialog.h"

#include "translator/framework/app.h"
#include "translator/framework/dialog_colors.h"
#include "translator/framework/modal_prompt_scope.h"

namespace {

const char kDialogProperty[] = "LexonFrameworkDialog";

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

}  // namespace

const MessageMapEntry Dialog::kMessageEntries[] = {
    CommandEntry(IDOK, &Dialog::OnOkCommand),
    CommandEntry(IDCANCEL, &Dialog::OnCancelCommand),
    MessageEntry(WM_CTLCOLORDLG, &Dialog::OnColorMessage),
    MessageEntry(WM_CTLCOLORSTATIC, &Dialog::OnColorMessage),
    MessageEntry(WM_CTLCOLORBTN, &Dialog::OnColorMessage),
    MessageEntry(WM_CTLCOLORMSGBOX, &Dialog::OnColorMessage),
    EndOfMap(),
};
const MessageMap Dialog::kMessageMap = {&Wnd::kMessageMap, Dialog::kMessageEntries};

Dialog::~Dialog()
{
    if (hwnd_ && ::IsWindow(hwnd_)) {
        HWND hwnd = hwnd_;
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        RemovePropA(hwnd, kDialogProperty);
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

INT_PTR Dialog::DoModal(HWND owner)
{
    if (!owner && WinApp::Current()) owner = WinApp::Current()->GetMainHwnd();
    ModalPromptScope modal(owner);
    modal_ = true;
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(template_id_),
                                     owner, StaticDialogProc, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return result;
}

bool Dialog::CreateModeless(HWND parent)
{
    modal_ = false;
    HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(template_id_),
                                   parent, StaticDialogProc, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

void Dialog::EndDialog(INT_PTR result)
{
    if (!hwnd_) return;
    if (modal_)
        ::EndDialog(hwnd_, result);
    else
        DestroyWindow(hwnd_);
}

bool Dialog::UpdateData(DataExchange::Direction direction)
{
    DataExchange dx(hwnd_, direction);
    DoDataExchange(dx);
    return !dx.Failed();
}

bool Dialog::OnInitDialog()
{
    UpdateData(DataExchange::Direction::ToControls);
    return true;  // the system sets the focus
}

void Dialog::OnOK()
{
    if (!UpdateData(DataExchange::Direction::FromControls)) return;
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void Dialog::OnColorMessage(Message& m)
{
    HBRUSH brush = AnswerDialogColorMessage(m.id, reinterpret_cast<HDC>(m.wparam));
    m.result = reinterpret_cast<LRESULT>(brush);  // null: the system's colours
}

LRESULT Dialog::DefaultProc(UINT message, WPARAM wparam, LPARAM lparam)
{
    return 0;  // the dialog manager does the default processing
}

Dialog* Dialog::FromDialogHandle(HWND hwnd)
{
    if (!hwnd) return nullptr;
    return static_cast<Dialog*>(GetPropA(hwnd, kDialogProperty));
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lparam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        SetPropA(hwnd, kDialogProperty, self);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;

    INT_PTR answer = FALSE;
    try {
        if (message == WM_INITDIALOG) {
            answer = self->OnInitDialog() ? TRUE : FALSE;
        } else {
            Message m{message, wparam, lparam, 0};
            bool handled = message == WM_COMMAND ? self->OnCmdMsg(m) : self->DispatchMessageToMap(m);
            if (handled) {
                if (ReturnsResultDirectly(message)) {
                    answer = static_cast<INT_PTR>(m.result);
                } else {
                    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, m.result);
                    answer = TRUE;
                }
            }
        }
    } catch (...) {
        answer = FALSE;
    }

    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        RemovePropA(hwnd, kDialogProperty);
        self->hwnd_ = nullptr;
        try {
            self->PostNcDestroy();
        } catch (...) {
        }
    }
    return answer;
}
