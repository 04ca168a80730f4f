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
const DWORD kFilePromptFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// The Save As prompt for the output file.
class SaveAsPrompt : public OutputPathChooser {
public:
    bool ChooseOutputPath(std::string& path) override
    {
        FileDialog save(FileDialog::Mode::Save, kFilePromptFlags);
        if (save.DoModal() != IDOK) return false;
        path = save.GetPathName();
        return true;
    }
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

    SaveAsPrompt save_as;
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
