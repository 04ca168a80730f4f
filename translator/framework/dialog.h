// Dialog: a window made from a dialog template in the program's resources,
// run modally (DoModal) or modelessly (CreateModeless).
//
//   class CAboutDlg : public Dialog {
//   public:
//       CAboutDlg() : Dialog(IDD_ABOUTBOX) {}
//   };
//   CAboutDlg about;
//   about.DoModal();
//
// The owner is by default the application's main window (also for dialogs
// run from worker threads). While a modal dialog is open, the calling
// thread's other windows are disabled too (modal_prompt_scope.h). Start-up: OnInitDialog runs DoDataExchange
// towards the controls. OK (IDOK, the Enter key): OnOK runs it from the
// controls and ends the dialog with IDOK unless the exchange failed.
// Cancel (IDCANCEL, Escape, the close box): OnCancel ends with IDCANCEL.
// A derived map may bind IDOK or IDCANCEL to handlers of its own; they
// take the place of these. Dialog colours: see dialog_colors.h.
//
// A modeless dialog ends with Destroy(); its object must outlive the
// window or destroy it first (the destructor destroys a window still open).
#ifndef LEXON_FRAMEWORK_DIALOG_H
#define LEXON_FRAMEWORK_DIALOG_H

#include "translator/framework/data_exchange.h"
#include "translator/framework/window.h"

class Dialog : public Wnd {
public:
    explicit Dialog(UINT template_id) : template_id_(template_id) {}
    ~Dialog() override;

    // IDOK, IDCANCEL, another EndDialog value, or -1 when the dialog could
    // not be created. owner null = the main window.
    INT_PTR DoModal(HWND owner = nullptr);
    bool CreateModeless(HWND parent);
    void EndDialog(INT_PTR result);
    bool IsModal() const { return modal_; }
    UINT GetTemplateId() const { return template_id_; }

    HWND GetItem(int control_id) const { return GetDlgItem(hwnd_, control_id); }
    // Runs DoDataExchange in the given direction; false when it failed.
    bool UpdateData(DataExchange::Direction direction);

    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(DataExchange& dx) {}

    // The framework Dialog object of a dialog window, or null.
    static Dialog* FromDialogHandle(HWND hwnd);

    LRESULT DefaultProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;

protected:
    void OnOkCommand(Message& m) { OnOK(); }
    void OnCancelCommand(Message& m) { OnCancel(); }
    void OnColorMessage(Message& m);

private:
    static const MessageMapEntry kMessageEntries[];
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wparam,
                                             LPARAM lparam);

    UINT template_id_;
    bool modal_ = false;
};

#endif
