// UninstallDialog: the main dialog of ravelup3 (template DLGMAIN).
//
// It loads the installation log from the working path into an UndoSession,
// lists the records in the owner-drawn list box 101 (description, then the
// state text in a second column), shows the selected record's fields in
// the panel of its kind under frame 107 and its state in radio buttons
// 102..106, and drives the undo run from the Start button (labelled "&Start",
// "&Stop", "&Resume" or "&Restart"). The dialog ends with 0 when the
// uninstallation is complete and 1 when it is not (also when the log cannot
// be loaded).
//
// The seven panels lie below the visible area of the template, each a group
// box followed by its controls. Showing a record's panel moves the first
// panel_count() controls after its group box under frame 107 (each keeping
// its offset to the group box) and shows them; switching away moves them
// back and hides them.
#ifndef RAVELUP_CORE_UNINSTALL_DIALOG_H
#define RAVELUP_CORE_UNINSTALL_DIALOG_H

#include "uninstaller/core/operation.h"
#include "uninstaller/core/undo_session.h"
#include "uninstaller/support/dialog_object.h"

#include <string>

class SystemContext;
class UndoServices;

class UninstallDialog : public DialogObject, private RunDriver, private FieldPanel {
public:
    static const uint32_t kPauseMs = 100;

    // log_path: the working copy of the installation log. The context's
    // owner window becomes this dialog while it is open.
    UninstallDialog(const std::string& log_path, SystemContext& context, UndoServices& services);
    ~UninstallDialog() override;

    INT_PTR handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    // Set by an undo that scheduled a file for deletion at the next start.
    bool reboot_needed() const { return session_.reboot_needed(); }
    const UndoSession& session() const { return session_; }
    int current_panel() const { return panel_id_; }
    int current_panel_count() const { return panel_count_; }

    // Moves `count` controls, starting with `first` and following the
    // z-order, from anchor `from` to anchor `to` (each keeps its offset to
    // the anchor), inserting them in the z-order after `insert_after` one
    // after the other, shown or hidden. Then frame 107 is repainted.
    void move_controls(HWND first, HWND from, HWND to, int count, bool show, HWND insert_after);

private:
    // Messages.
    BOOL on_init_dialog();
    void on_measure_item(MEASUREITEMSTRUCT* measure);
    void on_draw_item(const DRAWITEMSTRUCT* draw);
    void on_command(int id, int code);
    void on_quit();
    void on_destroy();

    // Parts of the dialog.
    void update_selection();
    void switch_panels(int panel, int count);
    void update_radio_buttons();
    void compute_list_extents();
    void redraw_item(size_t index);
    HWND nth_after(HWND window, int n) const;
    HWND item(int id) const { return GetDlgItem(window_, id); }

    // RunDriver
    bool confirm_run(const std::string& title) override;
    void run_began() override;
    void record_selected(size_t index) override;
    void record_done(size_t index) override;
    void run_ended(RunStatus status) override;
    void records_reset() override;
    uint32_t tick_count() override;
    void pump_messages(uint32_t max_wait_ms) override;

    // FieldPanel
    void set_text(int control_id, const std::string& text) override;
    void set_check(int control_id, bool checked) override;

    std::string log_path_;
    SystemContext& context_;
    UndoSession session_;
    HFONT list_font_ = nullptr;
    int gap_width_ = 0;
    int item_height_ = 0;
    int widest_description_ = 0;
    int widest_state_ = 0;
    int panel_id_ = -1;
    int panel_count_ = 0;
    int selection_ = -1;
};

// DLGABOUT: centred over its parent, ends on command 1 or 2.
class AboutDialog : public DialogObject {
public:
    INT_PTR handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
};

#endif
