// The worker threads of Text > File (also started for a file dropped on the
// main window) and Text > Clipboard: thin Win32 layers on TextTranslator and
// ClipboardTranslator that ask for the languages and files, show the
// progress window or the result dialog, and leave the translation and its
// messages to the engine.
//
// Each worker runs on its own thread and owns everything it opens; nothing
// may escape it as an exception (the thread would end the program), so a
// failure that throws ends the command with a negative result.
#include "translator/app/workers.h"

#include "translator/app/messages.h"
#include "translator/framework/file_dialog.h"
#include "translator/translate/clipboard_result_dlg.h"
#include "translator/translate/clipboard_text.h"
#include "translator/translate/clipboard_translator.h"
#include "translator/translate/language_dlg.h"
#include "translator/translate/text_translator.h"
#include "translator/translate/translation_progress_wnd.h"

#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <string>

namespace {

// Results of the workers (the thread's exit code; nobody waits for it).
const int kTranslated = 0;
const int kCancelled = -1;
const int kFilesNotOpened = -2;
const int kIndexNotOpened = -3;
const int kCloseFailed = -4;
const int kNoClipboardText = -5;
const int kWorkerFailed = -6;

// Both file prompts. The dictionary files are opened by bare name in the
// program's working folder, so the prompts must not move that folder to
// the one the user browsed to.
const DWORD kFilePromptFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;

// True when both paths name one existing file (also through another
// spelling of its name: case, short name, relative path).
bool IsSameFile(const std::string& first, const std::string& second)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE a = CreateFileA(first.c_str(), 0, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (a == INVALID_HANDLE_VALUE) return false;
    HANDLE b = CreateFileA(second.c_str(), 0, share, nullptr, OPEN_EXISTING, 0, nullptr);
    bool same = false;
    if (b != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION info_a = {};
        BY_HANDLE_FILE_INFORMATION info_b = {};
        same = GetFileInformationByHandle(a, &info_a) && GetFileInformationByHandle(b, &info_b)
            && info_a.dwVolumeSerialNumber == info_b.dwVolumeSerialNumber
            && info_a.nFileIndexHigh == info_b.nFileIndexHigh && info_a.nFileIndexLow == info_b.nFileIndexLow;
        CloseHandle(b);
    }
    CloseHandle(a);
    return same;
}

// The Save As prompt for the output file. The output is opened for writing
// after the input is open, which empties it; so the input file itself
// cannot be the output (it would be emptied before it is read, and the
// text lost): that choice is refused as an output that cannot be opened.
class SaveAsPrompt : public OutputPathChooser {
public:
    explicit SaveAsPrompt(const std::string& input_path) : input_path_(input_path) {}

    bool ChooseOutputPath(std::string& path) override
    {
        FileDialog save(FileDialog::Mode::Save, kFilePromptFlags);
        if (save.DoModal() != IDOK) return false;
        if (IsSameFile(save.GetPathName(), input_path_)) {
            ShowErrorBox(kOutputNotOpenedText);
            return false;
        }
        path = save.GetPathName();
        return true;
    }

private:
    std::string input_path_;
};

// Runs the language dialog; false when the user did not press OK. The
// values go to the translator as chosen (possibly unset).
bool AskForLanguages(TextTranslator& translator)
{
    CLanguageDlg languages;
    if (languages.DoModal() != IDOK) return false;
    translator.SetLanguages(languages.SourceLanguage(), languages.TargetLanguage());
    return true;
}

int TranslateFile(const char* dropped_path)
{
    TextTranslator translator(kLanguageUnset, kLanguageUnset);
    if (!AskForLanguages(translator)) return kCancelled;

    std::string input_path;
    if (dropped_path != nullptr) {
        input_path = dropped_path;
    } else {
        FileDialog open(FileDialog::Mode::Open, kFilePromptFlags);
        if (open.DoModal() != IDOK) return kCancelled;
        input_path = open.GetPathName();
    }

    SaveAsPrompt save_as(input_path);
    if (translator.OpenTextFiles(input_path.c_str(), save_as) != 0) return kFilesNotOpened;
    if (translator.OpenSourceIndex() != 0) {
        if (translator.CloseTextFiles() != 0) ShowErrorBox(kCloseFilesFailedText);
        return kIndexNotOpened;
    }

    WindowTranslationProgress progress;
    translator.TranslateFile(&progress);
    progress.Finish();
    if (translator.CloseTextFiles() != 0) {
        ShowErrorBox(kCloseFilesFailedText);
        return kCloseFailed;
    }
    return kTranslated;
}

int TranslateClipboard()
{
    ScopedOleThread ole;
    ClipboardTranslator translator(kLanguageUnset, kLanguageUnset);
    CClipboardResultDlg result;

    if (!AskForLanguages(translator)) return kCancelled;
    if (!translator.CheckLanguages()) return kCancelled;
    if (translator.OpenSourceIndex() != 0) return kIndexNotOpened;

    ClipboardText clipboard;
    if (!clipboard.Read()) return kNoClipboardText;
    translator.SetClipboardData(clipboard.Bytes(), clipboard.Size());
    translator.TranslateClipboard();

    result.AppendText(translator.ResultText());
    result.DoModal();
    return kTranslated;
}

}  // namespace

unsigned int TranslateFileWorker(void* param)
{
    std::unique_ptr<char[]> dropped_path(static_cast<char*>(param));
    int result = kWorkerFailed;
    try {
        result = TranslateFile(dropped_path.get());
    } catch (...) {
        result = kWorkerFailed;
    }
    return static_cast<unsigned int>(result);
}

unsigned int TranslateClipboardWorker(void* param)
{
    int result = kWorkerFailed;
    try {
        result = TranslateClipboard();
    } catch (...) {
        result = kWorkerFailed;
    }
    return static_cast<unsigned int>(result);
}
