#include "translator/app/lexon_app.h"

#include "translator/app/about_dlg.h"
#include "translator/app/lexon_doc.h"
#include "translator/app/lexon_view.h"
#include "translator/app/main_frame.h"
#include "translator/app/resource.h"
#include "translator/framework/dialog_colors.h"
#include "translator/framework/doc_template.h"
#include "translator/framework/edit_view.h"
#include "translator/framework/message_text.h"

#include <shellapi.h>

const MessageMapEntry CLexon_v2App::kMessageEntries[] = {
    CommandEntry(ID_APP_ABOUT, &CLexon_v2App::OnAppAbout),
    CommandEntry(ID_FILE_NEW, &CLexon_v2App::OnFileNewCommand),
    CommandEntry(ID_FILE_OPEN, &CLexon_v2App::OnFileOpenCommand),
    EndOfMap(),
};
const MessageMap CLexon_v2App::kMessageMap = {&WinApp::kMessageMap, CLexon_v2App::kMessageEntries};

CLexon_v2App::CLexon_v2App()
{
    InitOle();  // the clipboard translation reads through OLE; failure is not fatal
}

bool CLexon_v2App::InitInstance()
{
    SetDialogColors(RGB(192, 192, 192), RGB(0, 0, 0));
    LoadStdProfileSettings(kRecentFileCount);
    SetProgramIcon(LoadIconA(GetInstance(), MAKEINTRESOURCEA(IDR_PROGRAM_ICON)));

    SingleDocTemplate* main_template = AddDocTemplate(std::unique_ptr<SingleDocTemplate>(
        new SingleDocTemplate(IDR_MAIN_TEMPLATE, CreateDocument<CLexon_v2Doc>,
                              CreateFrame<CMainFrame>, CreateView<CLexon_v2View>)));
    if (!main_template->OpenDocumentFile(nullptr, true) || !GetMainHwnd()) return false;

    splash_.Show(GetMainHwnd(), 0);
    DragAcceptFiles(GetMainHwnd(), TRUE);

    // The text editor window: the same document and frame classes, with the
    // framework's edit view.
    AddDocTemplate(std::unique_ptr<SingleDocTemplate>(
        new SingleDocTemplate(IDR_EDITOR_TEMPLATE, CreateDocument<CLexon_v2Doc>,
                              CreateFrame<CMainFrame>, CreateView<EditView>)));
    return true;  // the command line is not interpreted
}

bool CLexon_v2App::PreTranslateMessage(MSG* msg)
{
    bool consumed = WinApp::PreTranslateMessage(msg);
    splash_.OnApplicationMessage(*msg);
    return consumed;
}

void CLexon_v2App::OnFileNew()
{
    SingleDocTemplate* editor = GetTemplate(TemplateCount() - 1);
    if (editor) editor->OpenDocumentFile(nullptr, true);
}

void CLexon_v2App::OnFileOpen()
{
    std::string path;
    std::string filter = std::string(kAllFilesFilter) + "|*.*||";
    if (!DoPromptFileName(path, "Open", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, true, filter.c_str()))
        return;
    SingleDocTemplate* editor = GetTemplate(TemplateCount() - 1);
    if (editor) editor->OpenDocumentFile(path.c_str(), true);
}

void CLexon_v2App::OnAppAbout(Message& m)
{
    CAboutDlg about;
    about.DoModal();
}
