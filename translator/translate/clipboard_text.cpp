#include "translator/translate/clipboard_text.h"

bool ClipboardText::Read()
{
    Release();
    if (FAILED(OleGetClipboard(&data_object_)) || data_object_ == nullptr) {
        data_object_ = nullptr;
        return false;
    }
    FORMATETC format = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (FAILED(data_object_->GetData(&format, &medium_))) {
        Release();
        return false;
    }
    have_medium_ = true;
    if (medium_.tymed != TYMED_HGLOBAL || medium_.hGlobal == nullptr) {
        Release();
        return false;
    }
    bytes_ = static_cast<const char*>(GlobalLock(medium_.hGlobal));
    if (bytes_ == nullptr) {
        Release();
        return false;
    }
    size_ = GlobalSize(medium_.hGlobal);
    return true;
}

void ClipboardText::Release()
{
    if (bytes_ != nullptr) GlobalUnlock(medium_.hGlobal);
    bytes_ = nullptr;
    size_ = 0;
    if (have_medium_) ReleaseStgMedium(&medium_);
    have_medium_ = false;
    medium_ = STGMEDIUM();
    if (data_object_ != nullptr) data_object_->Release();
    data_object_ = nullptr;
}
