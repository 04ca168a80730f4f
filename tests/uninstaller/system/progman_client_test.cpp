// The Program Manager DDE client against the test's own Program Manager
// server (fake_progman_server.h, run as a program of its own): the commands
// it sends, in order, and what the groups and items look like afterwards.
#include "uninstaller/system/progman_client.h"
#include "uninstaller/support/platform_info.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/fake_progman_server.h"
#include "tests/uninstaller/system/recording_reports.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

FakeProgmanItem item_named(const std::string& name, const std::string& command)
{
    FakeProgmanItem item;
    item.name = name;
    item.command_line = command;
    return item;
}

ProgmanModel two_groups()
{
    ProgmanModel model;
    FakeProgmanGroup lexon;
    lexon.name = "Lexon";
    lexon.items.push_back(item_named("Lexon 1.0", "C:\\LEXON\\LEXON.EXE"));
    lexon.items.push_back(item_named("Readme", "notepad C:\\LEXON\\README.TXT"));
    FakeProgmanGroup accessories;
    accessories.name = "Accessories";
    accessories.items.push_back(item_named("Readme", "notepad C:\\README.TXT"));
    model.groups.push_back(lexon);
    model.groups.push_back(accessories);
    model.current_group = "Accessories";
    return model;
}

class ProgmanClient : public ::testing::Test {
protected:
    void SetUp() override
    {
        fill_platform_info();
        ASSERT_TRUE(server.start(two_groups()));
        ASSERT_EQ(1, progman_begin(context));
    }
    void TearDown() override
    {
        progman_end(context, true);
        server.stop();
    }

    FakeProgmanProcess server;
    ScopedRecordingReports reports;
    SystemContext context;
};

}  // namespace

TEST_F(ProgmanClient, RequestsAnswerGroupsAndGroupInformation)
{
    std::string answer;
    ASSERT_TRUE(progman_request(context, "GROUPS", &answer));
    EXPECT_EQ("Lexon\r\nAccessories\r\n", answer);
    ASSERT_TRUE(progman_request(context, "Lexon", &answer));
    EXPECT_EQ("\"Lexon\",Lexon.GRP,2,0\r\n"
              "\"Lexon 1.0\",\"C:\\LEXON\\LEXON.EXE\",,,0,0,0,0,0\r\n"
              "\"Readme\",\"notepad C:\\LEXON\\README.TXT\",,,0,0,0,0,0\r\n",
              answer);
    EXPECT_FALSE(progman_request(context, "No Such Group", &answer));
    EXPECT_TRUE(progman_group_exists(context, "lexon"));
    EXPECT_FALSE(progman_group_exists(context, "Lex"));
    EXPECT_EQ(1, progman_group_has_items(context, "Lexon"));
    EXPECT_EQ(0, progman_group_has_items(context, "No Such Group"));
    EXPECT_TRUE(server.executes().empty());
    EXPECT_TRUE(reports->errors.empty());
}

TEST_F(ProgmanClient, CreateGroupOnlyWhenMissing)
{
    EXPECT_EQ(1, progman_create_group(context, "LEXON"));
    EXPECT_TRUE(server.executes().empty()) << "the group exists already";
    EXPECT_EQ(1, progman_create_group(context, "Lexon Tools"));
    EXPECT_EQ(std::vector<std::string>{"[CreateGroup(\"Lexon Tools\", 0)]"}, server.executes());
    EXPECT_EQ(0, progman_group_has_items(context, "Lexon Tools"));
    EXPECT_EQ(3u, server.model().groups.size());
}

TEST_F(ProgmanClient, DeleteItemActivatesItsGroupFirst)
{
    // The current group is Accessories, which has a Readme too: only the
    // Lexon group's item may go.
    EXPECT_EQ(1, progman_delete_item(context, "Lexon", "readme"));
    EXPECT_EQ((std::vector<std::string>{"[CreateGroup(\"Lexon\", 0)]", "[DeleteItem(\"readme\")]"}),
              server.executes());
    ProgmanModel model = server.model();
    ASSERT_EQ(1u, model.find_group("Lexon")->items.size());
    EXPECT_EQ("Lexon 1.0", model.find_group("Lexon")->items[0].name);
    EXPECT_EQ(1u, model.find_group("Accessories")->items.size());

    // A missing item counts as deleted without a command.
    EXPECT_EQ(1, progman_delete_item(context, "Lexon", "Readme"));
    EXPECT_EQ(1, progman_delete_item(context, "No Such Group", "Readme"));
    EXPECT_EQ(2u, server.executes().size());
    EXPECT_TRUE(reports->errors.empty());
}

TEST_F(ProgmanClient, AddItemReplacesTheSameNamedItem)
{
    ProgramItemBlock block = {};
    std::strcpy(block.name, "Readme");
    std::strcpy(block.command_line, "notepad C:\\LEXON\\NEW.TXT");
    std::strcpy(block.icon_path, "C:\\NO\\SUCH\\ICON.ICO");
    std::strcpy(block.working_dir, "C:\\NO\\SUCH");
    block.x = 12;
    block.y = 34;
    block.icon_index = 2;
    block.hot_key = 577;
    block.run_minimized = 1;
    EXPECT_EQ(1, progman_add_item(context, "Lexon", block));

    ProgmanModel model = server.model();
    const FakeProgmanGroup* lexon = model.find_group("Lexon");
    ASSERT_EQ(2u, lexon->items.size());
    const FakeProgmanItem& added = lexon->items[1];
    EXPECT_EQ("Readme", added.name);
    EXPECT_EQ("notepad C:\\LEXON\\NEW.TXT", added.command_line);
    // Paths that do not exist cannot be shortened and go as they are.
    EXPECT_EQ("C:\\NO\\SUCH\\ICON.ICO", added.icon_path);
    EXPECT_EQ("C:\\NO\\SUCH", added.working_dir);
    EXPECT_EQ(2, added.icon_index);
    EXPECT_EQ(12, added.x);
    EXPECT_EQ(34, added.y);
    EXPECT_EQ(577, added.hot_key);
    EXPECT_EQ(1, added.minimized);
    EXPECT_EQ(1u, model.find_group("Accessories")->items.size());

    // Into a group that does not exist yet: created, then the item.
    EXPECT_EQ(1, progman_add_item(context, "Lexon Extras", block));
    model = server.model();
    ASSERT_NE(nullptr, model.find_group("Lexon Extras"));
    EXPECT_EQ(1u, model.find_group("Lexon Extras")->items.size());
    EXPECT_TRUE(reports->errors.empty());
    const std::string add = "[AddItem(notepad C:\\LEXON\\NEW.TXT, \"Readme\", C:\\NO\\SUCH\\ICON.ICO, 2, 12, 34, "
                            "C:\\NO\\SUCH, 577, 1)]";
    EXPECT_EQ((std::vector<std::string>{"[CreateGroup(\"Lexon\", 0)]", "[DeleteItem(\"Readme\")]",
                                        "[CreateGroup(\"Lexon\", 0)]", add,
                                        "[CreateGroup(\"Lexon Extras\", 0)]", "[CreateGroup(\"Lexon Extras\", 0)]", add}),
              server.executes());
}

TEST_F(ProgmanClient, DeleteGroupOnlyWhenPresent)
{
    EXPECT_EQ(1, progman_delete_group(context, "No Such Group"));
    EXPECT_TRUE(server.executes().empty());
    EXPECT_EQ(1, progman_delete_group(context, "Lexon"));
    EXPECT_EQ(std::vector<std::string>{"[DeleteGroup(\"Lexon\", 0)]"}, server.executes());
    EXPECT_EQ(nullptr, server.model().find_group("Lexon"));
    EXPECT_NE(nullptr, server.model().find_group("Accessories"));
}

TEST_F(ProgmanClient, RefusedCommandsFailTheExecute)
{
    EXPECT_FALSE(progman_execute(context, "[ShowGroup(\"Nowhere\", 1)]"));
    EXPECT_FALSE(progman_execute(context, "[Frobnicate()]"));
    EXPECT_TRUE(progman_execute(context, "[ShowGroup(\"Lexon\", 1)][DeleteItem(\"Readme\")]"));
    EXPECT_EQ(1u, server.model().find_group("Lexon")->items.size());
    EXPECT_EQ(3u, server.executes().size());
}

TEST_F(ProgmanClient, RefusedCommandIsReportedAndClosedConversationFails)
{
    // Program Manager refuses a group without a name.
    EXPECT_EQ(0, progman_create_group(context, ""));
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("Unable to create group ", reports->errors[0]);

    progman_end(context, false);
    EXPECT_EQ(0, progman_create_group(context, "Lexon"));
    ASSERT_EQ(2u, reports->errors.size());
    EXPECT_EQ("begddepm() has not been called", reports->errors[1]);
}

// A server that does not answer a group's contents (as Wine's own does):
// "has items" cannot tell, and deleting an item sends the command anyway
// and takes its result.
TEST(ProgmanClientWithoutGroupContents, GroupsCannotBeReadButItemsAreStillDeleted)
{
    fill_platform_info();
    ProgmanModel model = two_groups();
    model.answers_group_info = false;
    FakeProgmanProcess server;
    ASSERT_TRUE(server.start(model));
    ScopedRecordingReports reports;
    SystemContext context;
    ASSERT_EQ(1, progman_begin(context));

    std::string answer;
    EXPECT_FALSE(progman_request(context, "Lexon", &answer));
    EXPECT_EQ(-1, progman_group_has_items(context, "Lexon"));
    EXPECT_EQ(0, progman_group_has_items(context, "No Such Group"));
    EXPECT_TRUE(server.executes().empty());

    EXPECT_EQ(1, progman_delete_item(context, "Lexon", "Readme"));
    EXPECT_EQ((std::vector<std::string>{"[CreateGroup(\"Lexon\", 0)]", "[DeleteItem(\"Readme\")]"}),
              server.executes());
    ProgmanModel after = server.model();
    ASSERT_EQ(1u, after.find_group("Lexon")->items.size());
    EXPECT_EQ("Lexon 1.0", after.find_group("Lexon")->items[0].name);
    EXPECT_EQ(1u, after.find_group("Accessories")->items.size());
    EXPECT_TRUE(reports->errors.empty());

    // An item that is not there: the server refuses, and so the delete fails.
    EXPECT_EQ(0, progman_delete_item(context, "Lexon", "Readme"));
    EXPECT_EQ(std::vector<std::string>{"Unable to delete PM item Readme"}, reports->errors);
    // A group that does not exist holds no item: nothing is sent.
    size_t sent = server.executes().size();
    EXPECT_EQ(1, progman_delete_item(context, "No Such Group", "Readme"));
    EXPECT_EQ(sent, server.executes().size());

    // Adding an item deletes a same-named one first; that the server
    // refuses it (there is none) is no failure and shows nothing.
    ProgramItemBlock block = {};
    std::strcpy(block.name, "Help");
    std::strcpy(block.command_line, "C:\\LEXON\\HELP.EXE");
    EXPECT_EQ(1, progman_add_item(context, "Lexon", block));
    EXPECT_EQ(std::vector<std::string>{"Unable to delete PM item Readme"}, reports->errors);
    ASSERT_EQ(2u, server.model().find_group("Lexon")->items.size());
    EXPECT_EQ("Help", server.model().find_group("Lexon")->items[1].name);

    progman_end(context, true);
    server.stop();
}

namespace {

// A top-level window of class "PROGMAN", as a running Program Manager (or
// a desktop shell) has; it counts the close commands it receives.
class ProgmanWindow {
public:
    ProgmanWindow()
    {
        WNDCLASSA window_class = {};
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = "PROGMAN";
        RegisterClassA(&window_class);
        window_ = CreateWindowA("PROGMAN", "Program Manager", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~ProgmanWindow()
    {
        DestroyWindow(window_);
        UnregisterClassA("PROGMAN", GetModuleHandleA(nullptr));
    }
    HWND handle() const { return window_; }
    static int& closes()
    {
        static int count = 0;
        return count;
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
    {
        if (message == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_CLOSE) {
            ++closes();
            return 0;
        }
        return DefWindowProcA(window, message, wparam, lparam);
    }
    HWND window_ = nullptr;
};

}  // namespace

TEST(ProgmanClientStart, RunningProgramManagerIsNotStartedAgainNorClosed)
{
    fill_platform_info();
    ProgmanWindow running;
    ASSERT_NE(nullptr, running.handle());
    ProgmanWindow::closes() = 0;
    EXPECT_EQ(0, progman_start_if_missing()) << "there is one already";

    FakeProgmanProcess server;
    ASSERT_TRUE(server.start(two_groups()));
    ScopedRecordingReports reports;
    SystemContext context;
    ASSERT_EQ(1, progman_begin(context));
    EXPECT_EQ(0, context.started_progman);
    progman_end(context, true);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_EQ(0, ProgmanWindow::closes()) << "a Program Manager this context did not start stays";
    EXPECT_TRUE(IsWindow(running.handle()));
    server.stop();
}
