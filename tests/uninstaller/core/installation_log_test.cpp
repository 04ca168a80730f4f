// Loading installation logs: the byte layout of both versions, every kind's
// fields, descriptions and panels, and the refusal of damaged logs.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "installation_log.h"
#include "log_stream.h"
#include "operation_kinds.h"
#include "report.h"

namespace {

struct Loaded {
    bool ok = false;
    InstallationLog log;
    RecordingReporter reporter;
};

void load(const std::vector<unsigned char>& bytes, Loaded* out)
{
    out->ok = load_installation_log(bytes.empty() ? nullptr : &bytes[0], bytes.size(),
                                    out->reporter, &out->log);
}

LogWriter writer21(const std::string& title = "Test")
{
    LogWriter w;
    w.header(nullptr, kLogVersion21, title);
    return w;
}

LogWriter writer15(const std::string& title = "Test")
{
    LogWriter w;
    w.header(nullptr, kLogVersion15, title);
    return w;
}

class RecordingPanel : public FieldPanel {
public:
    void set_text(int id, const std::string& text) override { texts[id] = text; order.push_back(id); }
    void set_check(int id, bool checked) override { checks[id] = checked; order.push_back(id); }
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
    std::vector<int> order;
};

}  // namespace

TEST(InstallationLog, ThirtyTwoByteExampleLoadsOneMakeDirRecord)
{
    const unsigned char bytes[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   0x02, 0x01, 0x00, 0x00,
                                   0x04, 'T', 'e', 's', 't',
                                   0, 0, 0, 0,
                                   0x06, 'C', ':', '\\', 'A', 'P', 'P'};
    ASSERT_EQ(32u, sizeof bytes);
    InstallationLog log;
    RecordingReporter reporter;
    ASSERT_TRUE(load_installation_log(bytes, sizeof bytes, reporter, &log));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(kLogVersion21, log.version);
    EXPECT_EQ("Test", log.title);
    ASSERT_EQ(1u, log.records.size());
    EXPECT_EQ(kMakeDir, log.records[0]->kind());
    EXPECT_EQ("Make dir C:\\APP", log.records[0]->describe());
    EXPECT_EQ(WillUndo, log.records[0]->state());
    EXPECT_STREQ("Will be undone", state_text(log.records[0]->state()));

    // The writer emits exactly these bytes.
    LogWriter w = writer21();
    w.int32(kMakeDir);
    w.string("C:\\APP");
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + sizeof bytes), w.bytes);
}

TEST(InstallationLog, HeaderAndTitleOnlyGivesEmptyList)
{
    Loaded l;
    load(writer15("Only a title").bytes, &l);
    EXPECT_TRUE(l.ok);
    EXPECT_EQ("Only a title", l.log.title);
    EXPECT_TRUE(l.log.records.empty());
}

TEST(InstallationLog, VersionIsBigEndianAndOnlyTwoAreAccepted)
{
    const uint32_t rejected[] = {0x00000501u, 0x00000102u, 0x01060000u, 0x02000000u, 0u};
    for (uint32_t version : rejected) {
        LogWriter w;
        w.header(nullptr, version, "T");
        Loaded l;
        load(w.bytes, &l);
        EXPECT_FALSE(l.ok) << std::hex << version;
        ASSERT_EQ(1u, l.reporter.messages.size());
        EXPECT_EQ("Incorrect version of log file", l.reporter.messages[0]);
    }
    // The little-endian form of 1.5, byte for byte.
    std::vector<unsigned char> bytes(12, 0);
    const unsigned char le15[] = {0x00, 0x00, 0x05, 0x01, 0x01, 'T'};
    bytes.insert(bytes.end(), le15, le15 + sizeof le15);
    Loaded l;
    load(bytes, &l);
    EXPECT_FALSE(l.ok);
    EXPECT_EQ(std::vector<std::string>{"Incorrect version of log file"}, l.reporter.messages);

    // Fewer than 16 bytes: no version at all.
    Loaded shorter;
    load(std::vector<unsigned char>(15, 0), &shorter);
    EXPECT_FALSE(shorter.ok);
    EXPECT_EQ(std::vector<std::string>{"Incorrect version of log file"}, shorter.reporter.messages);
}

TEST(InstallationLog, SetAsideNameIsSkipped)
{
    LogWriter w;
    w.header("UXLOG.BAK", kLogVersion21, "P");
    w.int32(kCreateFile);
    w.string("C:\\P\\A.TXT");
    Loaded l;
    load(w.bytes, &l);
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(1u, l.log.records.size());
    EXPECT_EQ("Create file A.TXT", l.log.records[0]->describe());
}

TEST(InstallationLog, StringsOf255BytesUseTheLongForm)
{
    std::string long_title(255, 'x');
    LogWriter w = writer21(long_title);
    // 12 + 4, then 255 followed by int32 255, then the text.
    ASSERT_EQ(16u + 1 + 4 + 255, w.bytes.size());
    EXPECT_EQ(255, w.bytes[16]);
    EXPECT_EQ(255, w.bytes[17]);
    EXPECT_EQ(0, w.bytes[18]);
    EXPECT_EQ(0, w.bytes[19]);
    EXPECT_EQ(0, w.bytes[20]);
    Loaded l;
    load(w.bytes, &l);
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(long_title, l.log.title);

    // 254 bytes still use one length byte.
    LogWriter s = writer21(std::string(254, 'y'));
    EXPECT_EQ(16u + 1 + 254, s.bytes.size());
    EXPECT_EQ(254, s.bytes[16]);

    // A long-form length below 255 is read as written.
    std::vector<unsigned char> bytes(12, 0);
    const unsigned char rest[] = {2, 1, 0, 0, 255, 3, 0, 0, 0, 'a', 'b', 'c'};
    bytes.insert(bytes.end(), rest, rest + sizeof rest);
    Loaded m;
    load(bytes, &m);
    ASSERT_TRUE(m.ok);
    EXPECT_EQ("abc", m.log.title);
}

TEST(InstallationLog, InstallFlagIsInvertedInVersion15Only)
{
    struct Case { uint32_t version; int32_t stored; OperationState state; };
    const Case cases[] = {{kLogVersion15, 0, WillUndo}, {kLogVersion15, 1, WontUndo},
                          {kLogVersion15, 7, WontUndo}, {kLogVersion21, 0, WontUndo},
                          {kLogVersion21, 1, WillUndo}};
    for (const Case& c : cases) {
        LogWriter w;
        w.header(nullptr, c.version, "T");
        w.int32(kInstallCreateFile);
        w.string("A:\\SRC\\X.DLL");
        w.string("C:\\WIN\\SYSTEM\\X.DLL");
        w.int32(c.stored);
        // The append and font flags are never inverted.
        w.int32(kInstallAppendFile);
        w.string("A:\\F");
        w.string("C:\\T.TXT");
        w.int32(c.stored);
        w.int32(100);
        w.int32(kInstallFont);
        w.string("C:\\WIN\\FONTS\\F.TTF");
        w.int32(c.stored);
        Loaded l;
        load(w.bytes, &l);
        ASSERT_TRUE(l.ok);
        ASSERT_EQ(3u, l.log.records.size());
        EXPECT_EQ(c.state, l.log.records[0]->state()) << c.version << " " << c.stored;
        OperationState plain = c.stored != 0 ? WillUndo : WontUndo;
        EXPECT_EQ(plain, l.log.records[1]->state());
        EXPECT_EQ(plain, l.log.records[2]->state());
    }
}

TEST(InstallationLog, Version15SetRegFieldIsAStringWithItsNul)
{
    LogWriter w = writer15();
    w.int32(kSetRegField);
    w.int32(2);
    w.string("SOFTWARE\\X");
    w.string("Path");
    w.string("abc");
    w.int32(kDeleteRegField);
    w.int32(1);
    w.string("K");
    w.string("");
    w.string("");
    Loaded l;
    load(w.bytes, &l);
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(2u, l.log.records.size());
    const SetRegFieldOp& set = static_cast<const SetRegFieldOp&>(*l.log.records[0]);
    EXPECT_EQ(1, set.value_type());
    EXPECT_EQ(4, set.data_size());
    EXPECT_EQ(std::vector<unsigned char>({'a', 'b', 'c', 0}), set.data());
    const DeleteRegFieldOp& del = static_cast<const DeleteRegFieldOp&>(*l.log.records[1]);
    EXPECT_EQ(1, del.data_size());
}

TEST(InstallationLog, Version21RegFieldHasTypeSizeAndData)
{
    LogWriter w = writer21();
    w.int32(kDeleteRegField);
    w.int32(0);
    w.string(".txt");
    w.string("");
    w.int32(4);  // REG_DWORD
    w.int32(4);
    const unsigned char dword[] = {0x78, 0x56, 0x34, 0x12};
    w.raw(dword, 4);
    Loaded l;
    load(w.bytes, &l);
    ASSERT_TRUE(l.ok);
    const DeleteRegFieldOp& op = static_cast<const DeleteRegFieldOp&>(*l.log.records[0]);
    EXPECT_EQ(4, op.value_type());
    EXPECT_EQ(std::vector<unsigned char>(dword, dword + 4), op.data());
    EXPECT_EQ("Delete reg key field HKEY_CLASSES_ROOT\\.txt - ", op.describe());
}

TEST(InstallationLog, IniSequenceNumberOnlyInVersion21)
{
    LogWriter w15 = writer15();
    w15.int32(kDeleteIniEntry);
    w15.string("C:\\WIN\\WIN.INI");
    w15.string("Fonts");
    w15.string("Arial");
    w15.string("ARIAL.FON");
    Loaded a;
    load(w15.bytes, &a);
    ASSERT_TRUE(a.ok);
    ASSERT_EQ(1u, a.log.records.size());
    EXPECT_EQ(0, static_cast<const IniEntryOpBase&>(*a.log.records[0]).sequence());

    LogWriter w21 = writer21();
    w21.int32(kSetIniEntry);
    w21.string("C:\\WIN\\WIN.INI");
    w21.string("Fonts");
    w21.string("Arial");
    w21.string("OLD.FON");
    w21.int32(3);
    Loaded b;
    load(w21.bytes, &b);
    ASSERT_TRUE(b.ok);
    const IniEntryOpBase& op = static_cast<const IniEntryOpBase&>(*b.log.records[0]);
    EXPECT_EQ(3, op.sequence());
    EXPECT_EQ("OLD.FON", op.value());
    EXPECT_EQ("Fonts", op.section());
    EXPECT_EQ("C:\\WIN\\WIN.INI", op.ini_file());
}

// Every kind: its fields in file order, description, initial state, panel
// and the texts shown.
TEST(InstallationLog, AllKindsDescribeAndShowThemselves)
{
    ProgramItemBlock block;
    std::memset(&block, 0, sizeof block);
    block.x = 10;
    block.y = 20;
    block.run_minimized = 1;
    block.hot_key = 833;
    block.icon_index = 2;
    std::strcpy(block.name, "Readme");
    std::strcpy(block.command_line, "notepad C:\\P\\README.TXT");
    std::strcpy(block.icon_path, "C:\\WIN\\NOTEPAD.EXE");
    std::strcpy(block.working_dir, "C:\\P");
    unsigned char block_bytes[kProgramItemBlockSize];
    program_item_block_to_bytes(block, block_bytes);

    LogWriter w = writer21("Product");
    w.int32(0); w.string("C:\\P");
    w.int32(1); w.string("C:\\OLD");
    w.int32(2); w.string("C:\\P\\A.OLD"); w.string("C:\\P\\A.NEW");
    w.int32(3); w.string("C:\\P\\GONE.TXT");
    w.int32(4); w.string("A:\\X.DLL"); w.string("C:\\WIN\\SYSTEM\\X.DLL"); w.int32(1);
    w.int32(5); w.string("C:\\P\\R.TXT"); w.int32(0x21); w.int32(0x77);
    w.int32(6); w.string("C:\\P\\NEW.TXT");
    w.int32(7); w.string("C:\\WIN\\WIN.INI"); w.string("Ports"); w.string("COM9"); w.int32(1);
    w.int32(8); w.string("C:\\WIN\\WIN.INI"); w.string("Fonts"); w.string("Arial"); w.string("A.FON"); w.int32(0);
    w.int32(9); w.string("C:\\WIN\\WIN.INI"); w.string("Desktop"); w.string("Wall"); w.string("old"); w.int32(2);
    w.int32(10); w.string("Product");
    w.int32(11); w.string("Product"); w.string("Setup");
    w.int32(12); w.string("Old Group");
    w.int32(13); w.string("Accessories"); w.raw(block_bytes, sizeof block_bytes);
    w.int32(14); w.int32(2); w.string("SOFTWARE\\X");
    w.int32(15); w.int32(1); w.string("Control Panel"); w.string("Beep");
    w.int32(16); w.int32(3); w.string(".DEFAULT"); w.string("F"); w.int32(1); w.int32(2); w.raw("z", 2);
    w.int32(17); w.int32(9); w.string("K"); w.string("G"); w.int32(3); w.int32(0);
    w.int32(18); w.int32(2); w.string("SOFTWARE\\X");
    w.int32(19); w.string("A:\\AUTO.ADD"); w.string("C:\\AUTOEXEC.BAT"); w.int32(1); w.int32(1234);
    w.int32(20); w.string("C:\\P\\P.INI"); w.string("Options");
    w.int32(21); w.string("C:\\WIN\\SYSTEM.INI"); w.string("Old");
    w.int32(22); w.string("C:\\WIN\\FONTS\\F.TTF"); w.int32(0);

    Loaded l;
    load(w.bytes, &l);
    ASSERT_TRUE(l.ok) << (l.reporter.messages.empty() ? "" : l.reporter.messages[0]);
    ASSERT_EQ(23u, l.log.records.size());

    struct Expected {
        const char* description;
        OperationState state;
        int panel;
        int count;
    };
    const Expected expected[23] = {
        {"Make dir C:\\P", WillUndo, 110, 2},
        {"Delete dir C:\\OLD", WillUndo, 110, 2},
        {"Rename file A.OLD", WillUndo, 112, 4},
        {"Delete file GONE.TXT", CantUndo, 115, 2},
        {"Install and create file X.DLL", WillUndo, 117, 5},
        {"Set attrib of file R.TXT", WillUndo, 115, 2},
        {"Create file NEW.TXT", WillUndo, 115, 2},
        {"Add INI entry COM9", WillUndo, 130, 8},
        {"Delete INI entry Arial", WillUndo, 130, 10},
        {"Set INI entry Wall", WillUndo, 130, 10},
        {"Add program group Product", WillUndo, 140, 2},
        {"Add program item Setup", WillUndo, 140, 4},
        {"Delete program group Old Group", WillUndo, 140, 2},
        {"Delete program item Readme", WillUndo, 140, 15},
        {"Add reg key HKEY_LOCAL_MACHINE\\SOFTWARE\\X", WillUndo, 150, 2},
        {"Add reg key field HKEY_CURRENT_USER\\Control Panel - Beep", WillUndo, 150, 4},
        {"Set reg key field HKEY_USERS\\.DEFAULT - F", WillUndo, 150, 4},
        {"Delete reg key field \\K - G", WillUndo, 150, 4},
        {"Delete reg key SOFTWARE\\X", WillUndo, 150, 2},
        {"Install and append file AUTOEXEC.BAT", WillUndo, 117, 7},
        {"Add INI section Options", WillUndo, 130, 4},
        {"Delete INI section Old", WillUndo, 130, 4},
        {"Install font file C:\\WIN\\FONTS\\F.TTF", WontUndo, 115, 2},
    };
    for (int i = 0; i < 23; ++i) {
        const Operation& op = *l.log.records[i];
        EXPECT_EQ(i, op.kind());
        EXPECT_EQ(expected[i].description, op.describe()) << i;
        EXPECT_EQ(expected[i].state, op.state()) << i;
        EXPECT_EQ(expected[i].panel, op.panel_id()) << i;
        EXPECT_EQ(expected[i].count, op.panel_count()) << i;
    }

    RecordingPanel rename;
    l.log.records[2]->show_fields(rename);
    EXPECT_EQ((std::vector<int>{114, 113}), rename.order);
    EXPECT_EQ("C:\\P\\A.OLD", rename.texts[114]);
    EXPECT_EQ("C:\\P\\A.NEW", rename.texts[113]);

    RecordingPanel install;
    l.log.records[4]->show_fields(install);
    EXPECT_EQ("A:\\X.DLL", install.texts[118]);
    EXPECT_EQ("C:\\WIN\\SYSTEM\\X.DLL", install.texts[119]);
    EXPECT_TRUE(install.checks[120]);
    EXPECT_EQ(0u, install.texts.count(121));

    RecordingPanel attrib;
    l.log.records[5]->show_fields(attrib);
    EXPECT_EQ("C:\\P\\R.TXT", attrib.texts[116]);

    RecordingPanel add_entry;
    l.log.records[7]->show_fields(add_entry);
    EXPECT_EQ("C:\\WIN\\WIN.INI", add_entry.texts[131]);
    EXPECT_EQ("Ports", add_entry.texts[132]);
    EXPECT_EQ("COM9", add_entry.texts[133]);
    EXPECT_EQ("1", add_entry.texts[134]);
    EXPECT_EQ(0u, add_entry.texts.count(135));

    RecordingPanel set_entry;
    l.log.records[9]->show_fields(set_entry);
    EXPECT_EQ("2", set_entry.texts[134]);
    EXPECT_EQ("old", set_entry.texts[135]);

    RecordingPanel item;
    l.log.records[13]->show_fields(item);
    EXPECT_EQ("Accessories", item.texts[141]);
    EXPECT_EQ("Readme", item.texts[142]);
    EXPECT_EQ("notepad C:\\P\\README.TXT", item.texts[143]);
    EXPECT_EQ("C:\\WIN\\NOTEPAD.EXE", item.texts[144]);
    EXPECT_EQ("2", item.texts[145]);
    EXPECT_EQ("C:\\P", item.texts[146]);
    EXPECT_EQ("833", item.texts[148]);
    EXPECT_TRUE(item.checks[147]);

    RecordingPanel key;
    l.log.records[18]->show_fields(key);
    EXPECT_EQ("HKEY_LOCAL_MACHINE\\SOFTWARE\\X", key.texts[151]);
    EXPECT_EQ(0u, key.texts.count(153));

    RecordingPanel field;
    l.log.records[15]->show_fields(field);
    EXPECT_EQ("HKEY_CURRENT_USER\\Control Panel", field.texts[151]);
    EXPECT_EQ("Beep", field.texts[152]);

    RecordingPanel append;
    l.log.records[19]->show_fields(append);
    EXPECT_EQ("1234", append.texts[121]);
    EXPECT_TRUE(append.checks[120]);

    RecordingPanel section;
    l.log.records[20]->show_fields(section);
    EXPECT_EQ("C:\\P\\P.INI", section.texts[131]);
    EXPECT_EQ("Options", section.texts[132]);
    EXPECT_EQ(2u, section.texts.size());

    // reset goes back to the initial state.
    l.log.records[3]->set_state(UndoneFailed);
    l.log.records[3]->reset();
    EXPECT_EQ(CantUndo, l.log.records[3]->state());
    l.log.records[22]->set_state(UndoneOk);
    l.log.records[22]->reset();
    EXPECT_EQ(WontUndo, l.log.records[22]->state());
}

TEST(InstallationLog, ProgramItemBlockLayout)
{
    unsigned char bytes[kProgramItemBlockSize];
    std::memset(bytes, 'q', sizeof bytes);  // no NUL anywhere
    bytes[0] = 0xFF; bytes[1] = 0xFF; bytes[2] = 0xFF; bytes[3] = 0xFF;  // x = -1
    bytes[12] = 0x41; bytes[13] = 0x03; bytes[14] = 0; bytes[15] = 0;    // hot key 0x341
    bytes[20] = 'N'; bytes[21] = 0;
    bytes[80] = 'C'; bytes[81] = 0;
    bytes[592] = 'I'; bytes[593] = 0;
    bytes[852] = 'W';  // unterminated to the end of the block
    ProgramItemBlock block;
    program_item_block_from_bytes(bytes, &block);
    EXPECT_EQ(-1, block.x);
    EXPECT_EQ(0x341, block.hot_key);
    EXPECT_STREQ("N", block.name);
    EXPECT_STREQ("C", block.command_line);
    EXPECT_STREQ("I", block.icon_path);
    EXPECT_EQ(259u, std::strlen(block.working_dir));
    EXPECT_EQ('W', block.working_dir[0]);
}

TEST(InstallationLog, LongDescriptionsAreCutAt255)
{
    LogWriter w = writer21();
    w.int32(kAddRegField);
    w.int32(2);
    w.string(std::string(200, 'k'));
    w.string(std::string(200, 'f'));
    Loaded l;
    load(w.bytes, &l);
    ASSERT_TRUE(l.ok);
    std::string text = l.log.records[0]->describe();
    EXPECT_EQ(255u, text.size());
    EXPECT_EQ(0u, text.find("Add reg key field HKEY_LOCAL_MACHINE\\kkk"));
}

// ---- Damaged logs ----------------------------------------------------------------

namespace {

std::string only_message(const Loaded& l)
{
    return l.reporter.messages.size() == 1 ? l.reporter.messages[0] : "<" +
           std::to_string(l.reporter.messages.size()) + " messages>";
}

}  // namespace

TEST(InstallationLog, PathsOf260CharactersAreRefused)
{
    std::string ok_path = "C:\\" + std::string(256, 'd');  // 259 characters
    LogWriter good = writer21();
    good.int32(kMakeDir);
    good.string(ok_path);
    Loaded a;
    load(good.bytes, &a);
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(ok_path, static_cast<const MakeDirOp&>(*a.log.records[0]).path());
    EXPECT_EQ(255u, a.log.records[0]->describe().size());  // the list's buffer

    std::string bad_path = ok_path + "d";  // 260
    LogWriter bad = writer21();
    bad.int32(kMakeDir);
    bad.string("C:\\FIRST");
    bad.int32(kRenameFile);
    bad.string("C:\\A");
    bad.string(bad_path);
    Loaded b;
    load(bad.bytes, &b);
    EXPECT_FALSE(b.ok);
    EXPECT_EQ("The path " + ok_path + "... is invalid", only_message(b));
    EXPECT_TRUE(b.log.records.empty());
}

TEST(InstallationLog, RecordCutShortFailsTheLoad)
{
    LogWriter w = writer21();
    w.int32(kMakeDir);
    w.string("C:\\P");
    w.int32(kInstallAppendFile);
    w.string("A:\\F");
    w.string("C:\\T");
    w.int32(1);
    w.int32(500);
    const size_t full = w.bytes.size();
    // Every cut inside the second record fails with one message and keeps
    // no record.
    for (size_t cut = full - 1; cut > full - 4 - 5 - 5 - 8; --cut) {
        Loaded l;
        load(std::vector<unsigned char>(w.bytes.begin(), w.bytes.begin() + cut), &l);
        EXPECT_FALSE(l.ok) << cut;
        EXPECT_EQ("Unable to read the log file", only_message(l)) << cut;
        EXPECT_TRUE(l.log.records.empty());
    }
    // A cut exactly after the first record is a complete log.
    Loaded first;
    load(std::vector<unsigned char>(w.bytes.begin(), w.bytes.begin() + (full - 4 - 5 - 5 - 8)),
         &first);
    EXPECT_TRUE(first.ok);
    EXPECT_EQ(1u, first.log.records.size());
}

TEST(InstallationLog, TitleCutShortFails)
{
    LogWriter w = writer21("Product");
    w.bytes.resize(w.bytes.size() - 1);
    Loaded l;
    load(w.bytes, &l);
    EXPECT_FALSE(l.ok);
    EXPECT_EQ("Unable to read the log file", only_message(l));
}

TEST(InstallationLog, UnknownKindIsInvalid)
{
    const int32_t kinds[] = {23, -1, 0x7FFFFFFF};
    for (int32_t kind : kinds) {
        LogWriter w = writer21();
        w.int32(kMakeDir);
        w.string("C:\\P");
        w.int32(kind);
        Loaded l;
        load(w.bytes, &l);
        EXPECT_FALSE(l.ok);
        EXPECT_EQ("Invalid log file", only_message(l));
        EXPECT_TRUE(l.log.records.empty());
    }
}

TEST(InstallationLog, HugeLengthsAndSizesFailWithoutAllocating)
{
    // A long-form length far beyond the file: a read failure.
    LogWriter huge = writer21();
    huge.int32(kAddProgramGroup);
    huge.byte(255);
    huge.int32(0x7FFFFFF0);
    huge.raw("abc", 3);
    Loaded a;
    load(huge.bytes, &a);
    EXPECT_FALSE(a.ok);
    EXPECT_EQ("Unable to read the log file", only_message(a));

    // A negative long-form length is invalid.
    LogWriter negative = writer21();
    negative.int32(kAddProgramGroup);
    negative.byte(255);
    negative.int32(-5);
    Loaded b;
    load(negative.bytes, &b);
    EXPECT_FALSE(b.ok);
    EXPECT_EQ("Invalid log file", only_message(b));

    // Registry data: negative size invalid, size beyond the file a read
    // failure.
    for (int32_t size : {-1, 1 << 30}) {
        LogWriter w = writer21();
        w.int32(kSetRegField);
        w.int32(2);
        w.string("K");
        w.string("F");
        w.int32(3);
        w.int32(size);
        w.raw("xy", 2);
        Loaded l;
        load(w.bytes, &l);
        EXPECT_FALSE(l.ok);
        EXPECT_EQ(size < 0 ? "Invalid log file" : "Unable to read the log file", only_message(l));
    }
}

TEST(InstallationLog, KindCodeCutShortIsAReadFailure)
{
    LogWriter w = writer21();
    w.byte(0);
    w.byte(0);
    Loaded l;
    load(w.bytes, &l);
    EXPECT_FALSE(l.ok);
    EXPECT_EQ("Unable to read the log file", only_message(l));
}

TEST(InstallationLog, LoadFromFile)
{
    LogWriter w = writer21("From file");
    w.int32(kCreateFile);
    w.string("C:\\X\\Y.TXT");
    const char* path = "installation_log_test.uxlog";
    std::FILE* file = std::fopen(path, "wb");
    ASSERT_NE(nullptr, file);
    std::fwrite(&w.bytes[0], 1, w.bytes.size(), file);
    std::fclose(file);
    InstallationLog log;
    RecordingReporter reporter;
    EXPECT_TRUE(load_installation_log_file(path, reporter, &log));
    EXPECT_EQ("From file", log.title);
    EXPECT_EQ(1u, log.records.size());
    std::remove(path);

    RecordingReporter missing;
    EXPECT_FALSE(load_installation_log_file("no-such-dir/uxlog.ini", missing, &log));
    EXPECT_EQ(std::vector<std::string>{"Unable to open file no-such-dir/uxlog.ini"},
              missing.messages);
}
