#include "translator/framework/edit_view.h"

#include "translator/framework/app.h"
#include "translator/framework/document.h"
#include "translator/framework/framework_ids.h"
#include "translator/framework/message_text.h"

#include <cstring>

const MessageMapEntry EditView::kMessageEntries[] = {
    MessageEntry(WM_SIZE, &EditView::OnSize),
    MessageEntry(WM_SETFOCUS, &EditView::OnSetFocus),
    NotifyEntry(EN_CHANGE, kEditControlId, &EditView::OnEditChange),
    CommandEntry(ID_EDIT_PASTE, &EditView::OnEditPaste),
    CommandEntry(ID_EDIT_CUT, &EditView::OnEditCut),
    CommandEntry(ID_EDIT_COPY, &EditView::OnEditCopy),
    CommandEntry(ID_EDIT_CLEAR, &EditView::OnEditClear),
    CommandEntry(ID_EDIT_UNDO, &EditView::OnEditUndo),
    EndOfMap(),
};
const MessageMap EditView::kMessageMap = {&View::kMessageMap, EditView::kMessageEntries};

bool EditView::OnCreateContent()
{
    RECT client = {};
    GetClientRect(hwnd_, &client);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                        ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL;
    edit_ = CreateWindowExA(0, "EDIT", "", style, 0, 0, client.right, client.bottom, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditControlId)),
                            GetModuleHandleA(nullptr), nullptr);
    if (!edit_) return false;
    SendMessageA(edit_, EM_SETLIMITTEXT, static_cast<WPARAM>(max_text_size_), 0);
    return true;
}

void EditView::OnInitialUpdate()
{
    if (!edit_) return;
    SendMessageA(edit_, EM_SETSEL, 0, 0);
    SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
    SendMessageA(edit_, EM_EMPTYUNDOBUFFER, 0, 0);
}

std::string EditView::GetEditText() const
{
    if (!edit_) return std::string();
    int length = GetWindowTextLengthA(edit_);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(edit_, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void EditView::SetEditText(const std::string& text)
{
    if (!edit_) return;
    setting_text_ = true;
    SetWindowTextA(edit_, text.c_str());
    SendMessageA(edit_, EM_SETMODIFY, FALSE, 0);
    setting_text_ = false;
}

void EditView::DeleteContents()
{
    SetEditText(std::string());
}

void EditView::SerializeRaw(Archive& archive)
{
    if (!edit_) {
        archive.SetFailed();
        return;
    }
    if (archive.IsStoring()) {
        std::string text = GetEditText();
        archive.Write(text.data(), text.size());
        return;
    }
    std::string text;
    switch (archive.ReadAll(text, max_text_size_)) {
    case Archive::ReadResult::TooLarge:
        if (WinApp::Current())
            WinApp::Current()->ShowAppMessageBox(kFileTooLarge, MB_OK | MB_ICONEXCLAMATION);
        archive.SetFailed(true);
        return;
    case Archive::ReadResult::Error:
        archive.SetFailed();
        return;
    case Archive::ReadResult::Ok:
        break;
    }
    // The control ends its text at a zero byte: such a file would come back
    // cut short when saved.
    if (std::memchr(text.data(), '\0', text.size()) != nullptr) {
        archive.SetFailed();
        return;
    }
    SetEditText(text);
}

void EditView::OnSize(Message& m)
{
    if (edit_ && m.wparam != SIZE_MINIMIZED)
        MoveWindow(edit_, 0, 0, LOWORD(m.lparam), HIWORD(m.lparam), TRUE);
}

void EditView::OnSetFocus(Message& m)
{
    if (edit_) SetFocus(edit_);
}

void EditView::OnEditChange(Message& m)
{
    if (setting_text_) return;
    Document* document = GetDocument();
    if (document) document->SetModifiedFlag(true);
}

void EditView::OnEditPaste(Message& m)
{
    if (edit_) SendMessageA(edit_, WM_PASTE, 0, 0);
}

void EditView::OnEditCut(Message& m)
{
    if (edit_) SendMessageA(edit_, WM_CUT, 0, 0);
}

void EditView::OnEditCopy(Message& m)
{
    if (edit_) SendMessageA(edit_, WM_COPY, 0, 0);
}

void EditView::OnEditClear(Message& m)
{
    if (edit_) SendMessageA(edit_, WM_CLEAR, 0, 0);
}

void EditView::OnEditUndo(Message& m)
{
    if (edit_) SendMessageA(edit_, EM_UNDO, 0, 0);
}
