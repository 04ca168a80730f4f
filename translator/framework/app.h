// WinApp: the application object. A program derives one class from it,
// makes one instance, and calls RunApplication (or the steps below) from
// WinMain:
//
//   class CMyApp : public WinApp {
//       bool InitInstance() override;                 // the start-up hook
//       bool PreTranslateMessage(MSG* msg) override;  // sees every UI message
//   };
//   CMyApp theApp;
//   int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
//       return theApp.RunApplication(show);
//   }
//
// RunApplication stores the show state, calls InitInstance (false ends the
// program at once), runs the message loop and returns ExitInstance()'s
// exit code.
//
// The message loop passes every message of the user-interface thread to
// PreTranslateMessage first; the framework's version gives a modeless
// framework dialog its keyboard handling (IsDialogMessage) and a frame
// window its accelerators. A message it does not consume is translated and
// dispatched as usual.
//
// Services:
// - document templates (AddDocTemplate; the last one added is
//   GetTemplate(TemplateCount() - 1)); the first frame that a template
//   creates becomes the main window unless one exists;
// - profile: LoadStdProfileSettings(n) names the profile after the
//   executable ("PROG.EXE" -> "PROG.INI", a file in the Windows directory,
//   as with every private profile) and loads the recent-file list of n
//   entries from section "Recent File List", keys "File1".."Filen";
//   ExitInstance writes the list back;
// - the application title (string IDS_APP_TITLE), used as caption of the
//   framework's own message boxes (ShowAppMessageBox);
// - OLE start-up (InitOle), program-wide dialog colours
//   (dialog_colors.h), the file prompt (DoPromptFileName), help.
//
// Command routing ends here: commands no view, document or frame handled
// are offered to the application's message map. The base map handles
// ID_APP_EXIT (closes the main window, which asks to save modified
// documents first).
#ifndef LEXON_FRAMEWORK_APP_H
#define LEXON_FRAMEWORK_APP_H

#include "translator/framework/cmd_target.h"
#include "translator/framework/profile.h"
#include "translator/framework/recent_file_list.h"

#include <windows.h>
#include <memory>
#include <string>
#include <vector>

class FrameWnd;
class SingleDocTemplate;

class WinApp : public CmdTarget {
public:
    WinApp();
    ~WinApp() override;

    static WinApp* Current();

    int RunApplication(int show_command);
    virtual bool InitInstance() { return true; }
    virtual int ExitInstance();
    virtual bool PreTranslateMessage(MSG* msg);
    int Run();
    // Pre-translates and dispatches one message (the loop's body).
    void ProcessMessage(MSG& msg);

    int GetShowCommand() const { return show_command_; }
    void SetShowCommand(int show_command) { show_command_ = show_command; }
    HINSTANCE GetInstance() const;
    DWORD GetUiThreadId() const { return ui_thread_id_; }
    HICON GetProgramIcon() const { return program_icon_; }
    void SetProgramIcon(HICON icon) { program_icon_ = icon; }

    // Main window.
    FrameWnd* GetMainWnd() const { return main_wnd_; }
    HWND GetMainHwnd() const;
    void SetMainWnd(FrameWnd* frame) { main_wnd_ = frame; }

    // Document templates; the application owns them.
    SingleDocTemplate* AddDocTemplate(std::unique_ptr<SingleDocTemplate> doc_template);
    size_t TemplateCount() const { return templates_.size(); }
    SingleDocTemplate* GetTemplate(size_t index) const;
    // Asks every template to offer saving its modified document; false
    // when the user cancelled.
    bool SaveAllModified();
    // Closes every document except the one framed by the main window.
    void CloseAllOtherDocuments();

    // OLE libraries (result also kept for the destructor's clean-up).
    bool InitOle();

    // Profile and recent files.
    void LoadStdProfileSettings(int recent_file_count);
    void SaveStdProfileSettings();
    std::string ProfileName() const;
    // Overrides the profile file (tests); call before LoadStdProfileSettings.
    void SetProfileName(const std::string& file_name) { profile_name_ = file_name; }
    RecentFileList* RecentFiles() const { return recent_files_.get(); }
    void AddToRecentFileList(const std::string& path);

    std::string AppTitle() const;
    // The framework's own message box: caption AppTitle(), owner the
    // active window of this thread (or none), program dialog colours. The
    // thread's other windows are disabled while it is open
    // (modal_prompt_scope.h).
    int ShowAppMessageBox(const std::string& text, UINT flags) const;

    // The standard file prompt (file_dialog.h). path: in = default name,
    // out = the choice. filter uses '|' separators ("All Files (*.*)|*.*||");
    // null = none. owner null = the main window.
    bool DoPromptFileName(std::string& path, const char* title, DWORD flags, bool open_file,
                          const char* filter, HWND owner = nullptr);

    // Opens the program's help file (the executable's name with ".HLP")
    // at its index.
    void ShowHelpIndex();

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;

private:
    static const MessageMapEntry kMessageEntries[];

protected:
    void OnAppExit(Message& m);

private:
    std::string ExecutableBaseName() const;

    int show_command_ = SW_SHOWNORMAL;
    DWORD ui_thread_id_ = 0;
    FrameWnd* main_wnd_ = nullptr;
    HICON program_icon_ = nullptr;
    bool ole_initialised_ = false;
    std::vector<std::unique_ptr<SingleDocTemplate>> templates_;
    std::string profile_name_;
    std::unique_ptr<IniProfileStore> profile_;
    std::unique_ptr<RecentFileList> recent_files_;
};

#endif
