// The undo of every kind: the exact primitives called, in order, the
// questions asked, and the result for each answer and primitive result.
#include <gtest/gtest.h>

#include <cstring>

#include "installation_log.h"
#include "log_stream.h"
#include "operation_kinds.h"
#include "recording_services.h"
#include "report.h"

namespace {

typedef std::vector<std::string> Calls;

// Loads a version 2.1 log holding the one record written by 'fields'.
template <typename Fields>
std::unique_ptr<Operation> make_record(int32_t kind, Fields fields)
{
    LogWriter w;
    w.header(nullptr, kLogVersion21, "T");
    w.int32(kind);
    fields(w);
    InstallationLog log;
    RecordingReporter reporter;
    if (!load_installation_log(&w.bytes[0], w.bytes.size(), reporter, &log) ||
        log.records.size() != 1)
        return std::unique_ptr<Operation>();
    return std::move(log.records[0]);
}

struct RebootFlag : OperationOwner {
    bool needed = false;
    void set_reboot_needed() override { needed = true; }
};

std::unique_ptr<Operation> make_dir(const char* path)
{
    return make_record(kMakeDir, [&](LogWriter& w) { w.string(path); });
}

std::unique_ptr<Operation> install_create(const char* to)
{
    return make_record(kInstallCreateFile, [&](LogWriter& w) {
        w.string("A:\\DISK1\\X.DLL");
        w.string(to);
        w.int32(1);
    });
}

}  // namespace

TEST(OperationUndo, MakeDirAsksOnlyWhenNotEmpty)
{
    std::unique_ptr<Operation> op = make_dir("C:\\APP");
    ASSERT_TRUE(op);

    RecordingServices empty;
    empty.results["directory_has_entries"] = 0;
    EXPECT_TRUE(op->undo(empty));
    EXPECT_EQ((Calls{"directory_has_entries C:\\APP", "remove_directory_tree C:\\APP"}), empty.calls);

    RecordingServices full_yes;
    full_yes.results["directory_has_entries"] = 1;
    EXPECT_TRUE(op->undo(full_yes));
    EXPECT_EQ((Calls{"directory_has_entries C:\\APP", "ask_delete_non_empty_directory C:\\APP",
                     "remove_directory_tree C:\\APP"}),
              full_yes.calls);

    RecordingServices full_no;
    full_no.results["directory_has_entries"] = 1;
    full_no.answers["ask_delete_non_empty_directory"] = false;
    EXPECT_FALSE(op->undo(full_no));
    EXPECT_EQ((Calls{"directory_has_entries C:\\APP", "ask_delete_non_empty_directory C:\\APP"}),
              full_no.calls);

    RecordingServices removal_fails;
    removal_fails.results["directory_has_entries"] = 0;
    removal_fails.results["remove_directory_tree"] = 0;
    EXPECT_FALSE(op->undo(removal_fails));
}

TEST(OperationUndo, DeleteDirSucceedsWhenCreatedOrPresent)
{
    std::unique_ptr<Operation> op =
        make_record(kDeleteDir, [](LogWriter& w) { w.string("C:\\OLD"); });
    ASSERT_TRUE(op);
    for (int result : {0, 1, 2}) {
        RecordingServices s;
        s.results["make_directory"] = result;
        EXPECT_EQ(result != 2, op->undo(s)) << result;
        EXPECT_EQ((Calls{"make_directory C:\\OLD"}), s.calls);
    }
}

TEST(OperationUndo, RenameMovesTheFileBack)
{
    std::unique_ptr<Operation> op = make_record(kRenameFile, [](LogWriter& w) {
        w.string("C:\\P\\OLD.TXT");
        w.string("C:\\Q\\NEW.TXT");
    });
    RecordingServices s;
    EXPECT_TRUE(op->undo(s));
    EXPECT_EQ((Calls{"move_file C:\\Q\\NEW.TXT -> C:\\P\\OLD.TXT"}), s.calls);
    s.results["move_file"] = 0;
    EXPECT_FALSE(op->undo(s));
}

TEST(OperationUndo, DeleteFileCannotBeUndone)
{
    std::unique_ptr<Operation> op =
        make_record(kDeleteFile, [](LogWriter& w) { w.string("C:\\X"); });
    RecordingServices s;
    EXPECT_FALSE(op->undo(s));
    EXPECT_TRUE(s.calls.empty());
}

TEST(OperationUndo, SetAttribCreateFileAndFont)
{
    std::unique_ptr<Operation> attrib = make_record(kSetFileAttrib, [](LogWriter& w) {
        w.string("C:\\R.TXT");
        w.int32(0x21);
        w.int32(0x99);
    });
    RecordingServices s;
    EXPECT_TRUE(attrib->undo(s));
    EXPECT_EQ((Calls{"set_file_attributes C:\\R.TXT 33"}), s.calls);

    std::unique_ptr<Operation> create =
        make_record(kCreateFile, [](LogWriter& w) { w.string("C:\\NEW.TXT"); });
    RecordingServices c;
    c.results["delete_file"] = 0;
    EXPECT_FALSE(create->undo(c));
    EXPECT_EQ((Calls{"delete_file C:\\NEW.TXT"}), c.calls);

    std::unique_ptr<Operation> font = make_record(kInstallFont, [](LogWriter& w) {
        w.string("C:\\WIN\\FONTS\\F.TTF");
        w.int32(1);
    });
    RecordingServices f;
    EXPECT_TRUE(font->undo(f));
    f.results["remove_font_resource"] = 0;
    EXPECT_FALSE(font->undo(f));
    EXPECT_EQ((Calls{"remove_font_resource C:\\WIN\\FONTS\\F.TTF",
                     "remove_font_resource C:\\WIN\\FONTS\\F.TTF"}),
              f.calls);
}

TEST(OperationUndo, AppendedFileIsCutBackInPlace)
{
    std::unique_ptr<Operation> op = make_record(kInstallAppendFile, [](LogWriter& w) {
        w.string("A:\\AUTO.ADD");
        w.string("C:\\AUTOEXEC.BAT");
        w.int32(1);
        w.int32(1234);
    });
    RecordingServices s;
    EXPECT_TRUE(op->undo(s));
    // One primitive that sets the length: never an empty file on the way.
    EXPECT_EQ((Calls{"truncate_file C:\\AUTOEXEC.BAT 1234"}), s.calls);
    s.results["truncate_file"] = 0;
    EXPECT_FALSE(op->undo(s));

    std::unique_ptr<Operation> negative = make_record(kInstallAppendFile, [](LogWriter& w) {
        w.string("A:\\AUTO.ADD");
        w.string("C:\\AUTOEXEC.BAT");
        w.int32(1);
        w.int32(-1);
    });
    RecordingServices n;
    EXPECT_FALSE(negative->undo(n));
    EXPECT_TRUE(n.calls.empty());
}

// ---- The shared-file undo ------------------------------------------------------

TEST(OperationUndo, SharedFileWithoutCountIsKept)
{
    std::unique_ptr<Operation> op = install_create("C:\\WIN\\SYSTEM\\X.DLL");
    RecordingServices s;
    s.results["shared_count"] = 0;
    EXPECT_TRUE(op->undo(s));
    EXPECT_EQ((Calls{"shared_count C:\\WIN\\SYSTEM\\X.DLL"}), s.calls);
}

TEST(OperationUndo, SharedCountAboveOneIsDecrementedAndFileKept)
{
    std::unique_ptr<Operation> op = install_create("C:\\WIN\\SYSTEM\\X.DLL");
    RecordingServices s;
    s.results["shared_count"] = 3;
    s.results["decrement_shared_count"] = 2;
    EXPECT_TRUE(op->undo(s));
    EXPECT_EQ((Calls{"shared_count C:\\WIN\\SYSTEM\\X.DLL",
                     "decrement_shared_count C:\\WIN\\SYSTEM\\X.DLL"}),
              s.calls);
}

TEST(OperationUndo, SharedCountOfOneAsksAfterRemovingTheCount)
{
    std::unique_ptr<Operation> op = install_create("C:\\WIN\\SYSTEM\\X.DLL");
    RecordingServices keep;
    keep.results["shared_count"] = 1;
    keep.results["decrement_shared_count"] = 0;
    keep.answers["ask_delete_shared_file"] = false;
    EXPECT_TRUE(op->undo(keep));
    EXPECT_EQ((Calls{"shared_count C:\\WIN\\SYSTEM\\X.DLL",
                     "decrement_shared_count C:\\WIN\\SYSTEM\\X.DLL",
                     "ask_delete_shared_file C:\\WIN\\SYSTEM\\X.DLL"}),
              keep.calls);

    RecordingServices del;
    del.results["shared_count"] = 1;
    del.results["decrement_shared_count"] = 0;
    EXPECT_TRUE(op->undo(del));
    EXPECT_EQ((Calls{"shared_count C:\\WIN\\SYSTEM\\X.DLL",
                     "decrement_shared_count C:\\WIN\\SYSTEM\\X.DLL",
                     "ask_delete_shared_file C:\\WIN\\SYSTEM\\X.DLL",
                     "delete_file C:\\WIN\\SYSTEM\\X.DLL"}),
              del.calls);
}

TEST(OperationUndo, UnsharedFileIsDeletedOrScheduledForRestart)
{
    std::unique_ptr<Operation> op = install_create("C:\\P\\X.DLL");
    RebootFlag owner;
    op->set_owner(&owner);

    RecordingServices gone;  // shared_count defaults to -1
    EXPECT_TRUE(op->undo(gone));
    EXPECT_EQ((Calls{"shared_count C:\\P\\X.DLL", "delete_file C:\\P\\X.DLL"}), gone.calls);
    EXPECT_FALSE(owner.needed);

    RecordingServices in_use;
    in_use.results["delete_file"] = 0;
    EXPECT_TRUE(op->undo(in_use));
    EXPECT_EQ((Calls{"shared_count C:\\P\\X.DLL", "delete_file C:\\P\\X.DLL",
                     "delete_file_at_restart C:\\P\\X.DLL"}),
              in_use.calls);
    EXPECT_TRUE(owner.needed);

    owner.needed = false;
    RecordingServices fallback;
    fallback.results["delete_file"] = 0;
    fallback.results["delete_file_at_restart"] = 0;
    EXPECT_TRUE(op->undo(fallback));
    EXPECT_EQ((Calls{"shared_count C:\\P\\X.DLL", "delete_file C:\\P\\X.DLL",
                     "delete_file_at_restart C:\\P\\X.DLL", "write_wininit_delete C:\\P\\X.DLL"}),
              fallback.calls);
    EXPECT_TRUE(owner.needed);
}

TEST(OperationUndo, FileNeitherDeletedNorScheduledFailsWithoutRestart)
{
    std::unique_ptr<Operation> op = install_create("C:\\P\\X.DLL");
    RebootFlag owner;
    op->set_owner(&owner);
    RecordingServices stuck;
    stuck.results["delete_file"] = 0;
    stuck.results["delete_file_at_restart"] = 0;
    stuck.results["write_wininit_delete"] = 0;
    EXPECT_FALSE(op->undo(stuck));
    EXPECT_EQ((Calls{"shared_count C:\\P\\X.DLL", "delete_file C:\\P\\X.DLL",
                     "delete_file_at_restart C:\\P\\X.DLL", "write_wininit_delete C:\\P\\X.DLL"}),
              stuck.calls);
    EXPECT_FALSE(owner.needed) << "nothing waits for the restart";

    // Only the wininit.ini line could be written: scheduled all the same.
    RecordingServices by_wininit;
    by_wininit.results["delete_file"] = 0;
    by_wininit.results["delete_file_at_restart"] = 0;
    EXPECT_TRUE(op->undo(by_wininit));
    EXPECT_TRUE(owner.needed);
}

// ---- INI entries and sections ----------------------------------------------------

TEST(OperationUndo, IniEntriesUseTheirSequenceNumbers)
{
    std::unique_ptr<Operation> add = make_record(kAddIniEntry, [](LogWriter& w) {
        w.string("C:\\W.INI");
        w.string("Fonts");
        w.string("Arial");
        w.int32(1);
    });
    std::unique_ptr<Operation> del = make_record(kDeleteIniEntry, [](LogWriter& w) {
        w.string("C:\\W.INI");
        w.string("Fonts");
        w.string("Arial");
        w.string("ARIAL.FON");
        w.int32(2);
    });
    std::unique_ptr<Operation> set = make_record(kSetIniEntry, [](LogWriter& w) {
        w.string("C:\\W.INI");
        w.string("Desktop");
        w.string("Wall");
        w.string("old.bmp");
        w.int32(0);
    });
    RecordingServices s;
    EXPECT_TRUE(add->undo(s));
    EXPECT_TRUE(del->undo(s));
    EXPECT_TRUE(set->undo(s));
    EXPECT_EQ((Calls{"ini_delete_entry C:\\W.INI [Fonts] Arial #1",
                     "ini_insert_entry C:\\W.INI [Fonts] Arial=ARIAL.FON #2",
                     "ini_set_entry C:\\W.INI [Desktop] Wall=old.bmp #0"}),
              s.calls);
    RecordingServices fail;
    fail.results["ini_insert_entry"] = 0;
    EXPECT_FALSE(del->undo(fail));
}

TEST(OperationUndo, AddIniSectionAsksWhenItHoldsEntries)
{
    std::unique_ptr<Operation> op = make_record(kAddIniSection, [](LogWriter& w) {
        w.string("C:\\P.INI");
        w.string("Options");
    });
    for (int count : {-1, 0}) {
        RecordingServices s;
        s.results["ini_count_section_entries"] = count;
        EXPECT_TRUE(op->undo(s));
        EXPECT_EQ((Calls{"ini_count_section_entries C:\\P.INI [Options]",
                         "ini_delete_section C:\\P.INI [Options]"}),
                  s.calls);
    }
    RecordingServices no;
    no.results["ini_count_section_entries"] = 2;
    no.answers["ask_delete_non_empty_ini_section"] = false;
    EXPECT_FALSE(op->undo(no));
    EXPECT_EQ((Calls{"ini_count_section_entries C:\\P.INI [Options]",
                     "ask_delete_non_empty_ini_section Options"}),
              no.calls);

    std::unique_ptr<Operation> readd = make_record(kDeleteIniSection, [](LogWriter& w) {
        w.string("C:\\P.INI");
        w.string("Old");
    });
    RecordingServices r;
    EXPECT_TRUE(readd->undo(r));
    EXPECT_EQ((Calls{"ini_add_section C:\\P.INI [Old]"}), r.calls);
}

TEST(OperationUndo, IniTextsThatWouldBreakTheFileAreRefused)
{
    // Each record's undo would write (or look for) these texts as INI
    // lines: a line break would add lines or sections of its own, a "]"
    // ends a section name early, an "=" ends an entry name early.
    struct Case {
        int32_t kind;
        const char* section;
        const char* entry;
        const char* value;
    };
    const Case cases[] = {
        {kAddIniEntry, "Fonts\r\n[boot]", "Arial", nullptr},
        {kAddIniEntry, "Fonts", "a=b", nullptr},
        {kDeleteIniEntry, "Fonts", "Arial", "x\nshell=evil.exe"},
        {kDeleteIniEntry, "Fonts", "Ari\nal", "x"},
        {kSetIniEntry, "Desk]top", "Wall", "old.bmp"},
        {kSetIniEntry, "Desktop", "Wall", "old\r.bmp"},
        {kAddIniSection, "Options]\n[boot", nullptr, nullptr},
        {kDeleteIniSection, "Old\r", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Operation> op = make_record(c.kind, [&](LogWriter& w) {
            w.string("C:\\W.INI");
            w.string(c.section);
            if (c.entry != nullptr)
                w.string(c.entry);
            if (c.value != nullptr)
                w.string(c.value);
            if (c.entry != nullptr)
                w.int32(0);
        });
        ASSERT_TRUE(op) << c.section;
        RecordingServices s;
        EXPECT_FALSE(op->undo(s)) << c.section << " / " << (c.entry ? c.entry : "");
        EXPECT_TRUE(s.calls.empty()) << c.section << " / " << (c.entry ? c.entry : "");
    }
    // The same characters are fine where they do no harm: "=" in a value,
    // "]" and "=" in an entry value, "[" and "=" in a section name.
    std::unique_ptr<Operation> ok = make_record(kSetIniEntry, [](LogWriter& w) {
        w.string("C:\\W.INI");
        w.string("[a=b");
        w.string("Wall]");
        w.string("x=y]");
        w.int32(0);
    });
    RecordingServices s;
    EXPECT_TRUE(ok->undo(s));
    EXPECT_EQ((Calls{"ini_set_entry C:\\W.INI [[a=b] Wall]=x=y] #0"}), s.calls);
}

// ---- Program Manager ---------------------------------------------------------------

TEST(OperationUndo, ProgramGroupAndItemUndoEachOpenTheirConversation)
{
    std::unique_ptr<Operation> add_group =
        make_record(kAddProgramGroup, [](LogWriter& w) { w.string("Product"); });
    RecordingServices yes;
    yes.results["progman_group_has_items"] = 1;
    EXPECT_TRUE(add_group->undo(yes));
    EXPECT_EQ((Calls{"progman_begin", "progman_group_has_items Product",
                     "ask_delete_non_empty_program_group Product",
                     "progman_delete_group Product", "progman_end close"}),
              yes.calls);

    RecordingServices no;
    no.results["progman_group_has_items"] = 1;
    no.answers["ask_delete_non_empty_program_group"] = false;
    EXPECT_FALSE(add_group->undo(no));
    EXPECT_EQ((Calls{"progman_begin", "progman_group_has_items Product",
                     "ask_delete_non_empty_program_group Product", "progman_end close"}),
              no.calls);

    // A group whose contents cannot be read may hold the user's items:
    // asked as for a group with items.
    RecordingServices unknown;
    unknown.results["progman_group_has_items"] = -1;
    unknown.answers["ask_delete_non_empty_program_group"] = false;
    EXPECT_FALSE(add_group->undo(unknown));
    EXPECT_EQ((Calls{"progman_begin", "progman_group_has_items Product",
                     "ask_delete_non_empty_program_group Product", "progman_end close"}),
              unknown.calls);

    RecordingServices no_progman;
    no_progman.results["progman_begin"] = 0;
    EXPECT_FALSE(add_group->undo(no_progman));
    EXPECT_EQ((Calls{"progman_begin", "progman_end close"}), no_progman.calls);

    std::unique_ptr<Operation> add_item = make_record(kAddProgramItem, [](LogWriter& w) {
        w.string("Product");
        w.string("Setup");
    });
    RecordingServices item;
    item.results["progman_delete_item"] = 0;
    EXPECT_FALSE(add_item->undo(item));
    EXPECT_EQ((Calls{"progman_begin", "progman_delete_item Product / Setup", "progman_end close"}),
              item.calls);

    std::unique_ptr<Operation> del_group =
        make_record(kDeleteProgramGroup, [](LogWriter& w) { w.string("Old"); });
    RecordingServices g;
    EXPECT_TRUE(del_group->undo(g));
    EXPECT_EQ((Calls{"progman_begin", "progman_create_group Old", "progman_end close"}), g.calls);

    ProgramItemBlock block;
    std::memset(&block, 0, sizeof block);
    block.x = 5;
    block.y = 6;
    block.hot_key = 7;
    block.icon_index = 1;
    block.run_minimized = 1;
    std::strcpy(block.name, "Readme");
    std::strcpy(block.command_line, "notepad R.TXT");
    std::strcpy(block.icon_path, "C:\\N.EXE");
    std::strcpy(block.working_dir, "C:\\P");
    unsigned char bytes[kProgramItemBlockSize];
    program_item_block_to_bytes(block, bytes);
    std::unique_ptr<Operation> del_item = make_record(kDeleteProgramItem, [&](LogWriter& w) {
        w.string("Accessories");
        w.raw(bytes, sizeof bytes);
    });
    RecordingServices d;
    EXPECT_TRUE(del_item->undo(d));
    EXPECT_EQ((Calls{"progman_begin",
                     "progman_add_item Accessories / Readme / notepad R.TXT / C:\\N.EXE / C:\\P / "
                     "1 5 6 7 1",
                     "progman_end close"}),
              d.calls);
}

// ---- Registry ------------------------------------------------------------------------

TEST(OperationUndo, RegistryKeysAndFields)
{
    std::unique_ptr<Operation> add_key = make_record(kAddRegKey, [](LogWriter& w) {
        w.int32(2);
        w.string("SOFTWARE\\X");
    });
    RecordingServices leaf;
    leaf.results["registry_key_has_subkeys"] = 0;
    EXPECT_TRUE(add_key->undo(leaf));
    EXPECT_EQ((Calls{"registry_key_has_subkeys 2 SOFTWARE\\X", "registry_delete_key 2 SOFTWARE\\X"}),
              leaf.calls);

    RecordingServices esc;
    esc.results["registry_key_has_subkeys"] = 1;
    esc.answers["ask_delete_non_empty_registry_key"] = false;
    EXPECT_FALSE(add_key->undo(esc));
    // The question names the key without the root.
    EXPECT_EQ((Calls{"registry_key_has_subkeys 2 SOFTWARE\\X",
                     "ask_delete_non_empty_registry_key SOFTWARE\\X"}),
              esc.calls);

    std::unique_ptr<Operation> add_field = make_record(kAddRegField, [](LogWriter& w) {
        w.int32(1);
        w.string("Control Panel");
        w.string("Beep");
    });
    std::unique_ptr<Operation> set_field = make_record(kSetRegField, [](LogWriter& w) {
        w.int32(2);
        w.string("SOFTWARE\\X");
        w.string("Count");
        w.int32(4);
        w.int32(4);
        w.raw("\x01\x02\x03\x04", 4);
    });
    std::unique_ptr<Operation> del_field = make_record(kDeleteRegField, [](LogWriter& w) {
        w.int32(0);
        w.string(".txt");
        w.string("");
        w.int32(1);
        w.int32(0);
    });
    std::unique_ptr<Operation> del_key = make_record(kDeleteRegKey, [](LogWriter& w) {
        w.int32(3);
        w.string(".DEFAULT\\Old");
    });
    RecordingServices s;
    EXPECT_TRUE(add_field->undo(s));
    EXPECT_TRUE(set_field->undo(s));
    EXPECT_TRUE(del_field->undo(s));
    EXPECT_TRUE(del_key->undo(s));
    EXPECT_EQ((Calls{"registry_delete_field 1 Control Panel Beep",
                     "registry_set_field 2 SOFTWARE\\X Count type 4 size 4 01020304",
                     "registry_set_field 0 .txt  type 1 size 0 ",
                     "registry_create_key 3 .DEFAULT\\Old"}),
              s.calls);
    RecordingServices f;
    f.results["registry_set_field"] = 0;
    EXPECT_FALSE(set_field->undo(f));
}
