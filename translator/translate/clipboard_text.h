// ClipboardText: the text on the clipboard, read through the OLE data
// object of the clipboard in the CF_TEXT format (Windows ANSI bytes).
//
//   ClipboardText clipboard;                 // the thread has OLE started
//   if (!clipboard.Read()) return;           // no text on the clipboard
//   use(clipboard.Bytes(), clipboard.Size());
//
// The bytes stay valid until Release or the destructor. Size is the size of
// the clipboard's memory block, which holds the text and its NUL (and may
// be rounded up); a reader stops at the first NUL or at Size.
#ifndef LEXON_TRANSLATE_CLIPBOARD_TEXT_H
#define LEXON_TRANSLATE_CLIPBOARD_TEXT_H

#include <windows.h>
#include <ole2.h>

#include <cstddef>

class ClipboardText {
public:
    ClipboardText() = default;
    ~ClipboardText() { Release(); }
    ClipboardText(const ClipboardText&) = delete;
    ClipboardText& operator=(const ClipboardText&) = delete;

    // Attaches the clipboard's data object and gets its CF_TEXT data. False
    // when the clipboard cannot be reached or holds no text.
    bool Read();
    const char* Bytes() const { return bytes_; }
    std::size_t Size() const { return size_; }
    // Gives the data and the data object back.
    void Release();

private:
    IDataObject* data_object_ = nullptr;
    STGMEDIUM medium_ = {};
    bool have_medium_ = false;
    const char* bytes_ = nullptr;
    std::size_t size_ = 0;
};

// OLE started for the calling thread for the life of the object (a worker
// thread that uses OLE data objects needs its own start).
class ScopedOleThread {
public:
    ScopedOleThread() : started_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~ScopedOleThread()
    {
        if (started_) OleUninitialize();
    }
    ScopedOleThread(const ScopedOleThread&) = delete;
    ScopedOleThread& operator=(const ScopedOleThread&) = delete;

private:
    bool started_;
};

#endif
