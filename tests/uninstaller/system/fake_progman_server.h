// FakeProgman: a Program Manager DDE server for the tests, run on a thread
// of its own in the test process. It registers service "PROGMAN", accepts
// topic "PROGMAN", and answers as Program Manager does:
//
//   request "GROUPS"      the group names, one per line, CR LF after each
//   request <group name>  the group information: the line
//                           "<name>",<name>.GRP,<item count>,0
//                         then one line per item:
//                           "<name>","<command line>",<working dir>,
//                           <icon path>,<x>,<y>,<icon index>,<hot key>,
//                           <minimized>
//                         an unknown group is not processed, and so is
//                         every group when answers_group_info is false
//                         (as Wine's own server does)
//   execute [CreateGroup(name[,n])]  creates the group when missing; it
//                         becomes the current group
//   execute [ShowGroup(name,n)]      makes an existing group current
//   execute [DeleteGroup(name[,n])]  deletes an existing group
//   execute [AddItem(command,name,icon,index,x,y,dir,hotkey,minimized)]
//                         adds an item to the current group (only the
//                         command is required)
//   execute [DeleteItem(name)]       deletes the item from the current group
//
// The tests run it as a program of its own (FakeProgmanProcess below,
// fake_progman_main.cpp), since a DDE client and server in the same Wine
// process do not get past the first request of a conversation.
//
// An execute string may hold several bracketed commands; arguments are
// separated by commas outside double quotes, the quotes are dropped. A
// command that fails (unknown name, missing group or item, no current
// group) makes the whole execute not processed, after the commands before
// it took effect. Every execute string received is kept in order.
#ifndef RAVELUP_TESTS_FAKE_PROGMAN_SERVER_H
#define RAVELUP_TESTS_FAKE_PROGMAN_SERVER_H

#include <windows.h>

#include <string>
#include <vector>

struct FakeProgmanItem {
    std::string name;
    std::string command_line;
    std::string icon_path;
    std::string working_dir;
    int icon_index = 0;
    int x = 0;
    int y = 0;
    int hot_key = 0;
    int minimized = 0;
};

struct FakeProgmanGroup {
    std::string name;
    std::vector<FakeProgmanItem> items;
};

// The model and its commands, without DDE (the server thread uses it under
// its lock).
class ProgmanModel {
public:
    std::string groups_text() const;
    // False for an unknown group.
    bool group_info_text(const std::string& group, std::string* text) const;
    // Runs every bracketed command of the string; false at the first that
    // fails or does not parse.
    bool execute(const std::string& commands);

    std::vector<FakeProgmanGroup> groups;
    std::string current_group;
    bool answers_group_info = true;

    FakeProgmanGroup* find_group(const std::string& name);
    const FakeProgmanGroup* find_group(const std::string& name) const;

private:
    bool run_command(const std::string& name, const std::vector<std::string>& args);
};

class FakeProgman {
public:
    FakeProgman();
    ~FakeProgman();   // stops the server
    FakeProgman(const FakeProgman&) = delete;
    FakeProgman& operator=(const FakeProgman&) = delete;

    // Starts the server thread and waits until the name is registered.
    bool start();
    void stop();

    // Copies taken under the lock.
    ProgmanModel model();
    std::vector<std::string> executes();
    void set_model(const ProgmanModel& model);
    // After every execute the model and the executes go to this file.
    void set_state_file(const std::string& path);

private:
    static DWORD WINAPI thread_main(void* self);
    static HDDEDATA CALLBACK callback(UINT type, UINT format, HCONV conversation, HSZ topic, HSZ item,
                                      HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
    HDDEDATA serve(UINT type, HSZ topic, HSZ item, HDDEDATA data);
    std::string text_of(HSZ name);

    CRITICAL_SECTION lock_;
    ProgmanModel model_;
    std::vector<std::string> executes_;
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    DWORD thread_id_ = 0;
    DWORD instance_ = 0;
    bool registered_ = false;
    HSZ service_ = nullptr;
    std::string state_file_;
};

// The state file of the server program: lines of tab-separated fields,
//   current <group>
//   no-group-info              (answers_group_info is false)
//   group <name>               (its items follow)
//   item <name> <command> <icon path> <icon index> <x> <y> <dir> <hot key> <minimized>
//   execute <text>             (in the order received)
//   end                        (the text is complete)
bool write_progman_state(const std::string& path, const ProgmanModel& model,
                         const std::vector<std::string>& executes);
bool read_progman_state(const std::string& path, ProgmanModel* model, std::vector<std::string>* executes);

// The server run as a program of its own (fake_progman_server.exe), as
// Program Manager is: started with the state file holding the initial
// model; it answers until stop().
class FakeProgmanProcess {
public:
    FakeProgmanProcess();
    ~FakeProgmanProcess();
    FakeProgmanProcess(const FakeProgmanProcess&) = delete;
    FakeProgmanProcess& operator=(const FakeProgmanProcess&) = delete;

    bool start(const ProgmanModel& model);
    void stop();
    ProgmanModel model();
    std::vector<std::string> executes();

private:
    std::string state_file_;
    HANDLE process_ = nullptr;
    HANDLE ready_ = nullptr;
    HANDLE quit_ = nullptr;
};

#endif
