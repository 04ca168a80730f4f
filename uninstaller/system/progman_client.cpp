#include "uninstaller/system/progman_client.h"

#include "uninstaller/files/file_ops.h"
#include "uninstaller/support/platform_info.h"
#include "uninstaller/system/group_info.h"
#include "uninstaller/system/system_context.h"

#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstring>

namespace {

const DWORD kStartWaitMs = 10000;

HDDEDATA CALLBACK client_callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;   // a client only: no transactions to serve
}

HCONV connect_progman(DWORD instance)
{
    HSZ service = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    HCONV conversation = DdeConnect(instance, service, topic, nullptr);
    DdeFreeStringHandle(instance, service);
    DdeFreeStringHandle(instance, topic);
    return conversation;
}

bool conversation_open(SystemContext& context)
{
    if (context.conversation != nullptr)
        return true;
    context.report_failure("begddepm() has not been called");
    return false;
}

// Wine's DDE library posts a late WM_DDE_ACK to the client after the data
// answering a request. Left in the queue, it would be taken as the answer to
// the next transaction of the conversation (a request then fails as not
// processed, an execute succeeds before the server has run it, and the
// conversation gets out of step). So the DDE messages already queued are
// dispatched before each transaction (the library ignores them outside a
// transaction), and under Wine a successful request waits a moment for that
// acknowledgement and dispatches it at once.
void dispatch_pending_dde_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_DDE_FIRST, WM_DDE_LAST, PM_REMOVE))
        DispatchMessageA(&message);
}

bool running_under_wine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void take_late_request_acknowledgement()
{
    static const bool under_wine = running_under_wine();
    if (!under_wine)
        return;
    const DWORD kWaitMs = 1000;
    DWORD started = GetTickCount();
    while (true) {
        MSG message;
        if (PeekMessageA(&message, nullptr, WM_DDE_ACK, WM_DDE_ACK, PM_REMOVE)) {
            DispatchMessageA(&message);
            return;
        }
        DWORD waited = GetTickCount() - started;
        if (waited >= kWaitMs)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitMs - waited, QS_POSTMESSAGE);
    }
}

// The command texts are built to their full length: a name cut short would
// make a command that Program Manager refuses.
std::string group_command(const char* verb, const char* group)
{
    return std::string("[") + verb + "(\"" + group + "\", 0)]";
}

// Makes the group the active one.
bool activate_group(SystemContext& context, const char* group)
{
    if (progman_execute(context, progman_create_group_command(group)))
        return true;
    context.report_failure("Unable to show group %s", group);
    return false;
}

enum ItemLookup { kItemMissing, kItemFound, kGroupUnreadable };

// Looks for the item in the group's information. A group that exists but
// does not answer its contents (Wine's Program Manager never does) gives
// kGroupUnreadable: the item may well be there.
ItemLookup find_item(SystemContext& context, const char* group, const char* item)
{
    std::vector<ProgramItemBlock> items;
    if (!progman_read_group_items(context, group, &items))
        return progman_group_exists(context, group) ? kGroupUnreadable : kItemMissing;
    for (const ProgramItemBlock& block : items)
        if (lstrcmpiA(block.name, item) == 0)
            return kItemFound;
    return kItemMissing;
}

}  // namespace

std::string progman_create_group_command(const char* group)
{
    return group_command("CreateGroup", group);
}

std::string progman_delete_group_command(const char* group)
{
    return group_command("DeleteGroup", group);
}

std::string progman_delete_item_command(const char* item)
{
    return std::string("[DeleteItem(\"") + item + "\")]";
}

std::string progman_add_item_command(const ProgramItemBlock& block, const std::string& icon_path,
                                     const std::string& working_dir)
{
    // Room for every field of the block, both paths, the format and numbers.
    std::vector<char> command(sizeof(ProgramItemBlock) + icon_path.size() + working_dir.size() + 128);
    std::snprintf(command.data(), command.size(), "[AddItem(%s, \"%s\", %s, %d, %d, %d, %s, %d, %d)]",
                  block.command_line, block.name, icon_path.c_str(), static_cast<int>(block.icon_index),
                  static_cast<int>(block.x), static_cast<int>(block.y), working_dir.c_str(),
                  static_cast<int>(block.hot_key), static_cast<int>(block.run_minimized));
    return command.data();
}

int progman_start_if_missing()
{
    if (FindWindowA("PROGMAN", nullptr) != nullptr)
        return 0;
    return WinExec("progman.exe", SW_SHOW) < 32 ? -1 : 1;
}

int progman_begin(SystemContext& context)
{
    if (context.conversation != nullptr)
        return 1;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, client_callback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        context.report_failure("Unable to initiate the DDE library");
        return 0;
    }
    context.dde_instance = instance;
    context.conversation = connect_progman(instance);
    if (context.conversation == nullptr) {
        int launched = progman_start_if_missing();
        if (launched < 0) {
            context.report_failure("Unable to execute Program Manager");
            progman_end(context, false);
            return 0;
        }
        // A Program Manager that was just started needs a moment before it
        // answers: keep trying for a while instead of failing at once.
        DWORD started = GetTickCount();
        do {
            Sleep(100);
            context.conversation = connect_progman(instance);
        } while (context.conversation == nullptr && GetTickCount() - started < kStartWaitMs);
        if (context.conversation == nullptr) {
            context.report_failure("Unable to connect to Program Manager");
            progman_end(context, false);
            return 0;
        }
        // Only a Program Manager started here may be closed at the end: one
        // that was running already (or a desktop shell's PROGMAN window)
        // belongs to the user.
        context.started_progman = launched == 1 ? 1 : 0;
    }
    if (!platform_info().shell_not_progman) {
        HWND progman = FindWindowA("PROGMAN", nullptr);
        if (progman != nullptr)
            ShowWindow(progman, SW_SHOWMINNOACTIVE);
    }
    return 1;
}

void progman_end(SystemContext& context, bool close_if_started)
{
    if (context.conversation != nullptr) {
        DdeDisconnect(context.conversation);
        context.conversation = nullptr;
    }
    if (context.started_progman && close_if_started) {
        HWND progman = FindWindowA("PROGMAN", nullptr);
        if (progman != nullptr)
            PostMessageA(progman, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    context.started_progman = 0;
    if (context.dde_instance != 0) {
        DdeUninitialize(context.dde_instance);
        context.dde_instance = 0;
    }
}

bool progman_execute(SystemContext& context, const std::string& command)
{
    if (context.conversation == nullptr)
        return false;
    dispatch_pending_dde_messages();
    HDDEDATA result = DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(command.c_str())),
                                           static_cast<DWORD>(command.size() + 1), context.conversation, nullptr,
                                           CF_TEXT, XTYP_EXECUTE, kDdeTimeoutMs, nullptr);
    return result != nullptr;
}

bool progman_request(SystemContext& context, const char* item, std::string* answer)
{
    if (context.conversation == nullptr)
        return false;
    dispatch_pending_dde_messages();
    HSZ item_name = DdeCreateStringHandleA(context.dde_instance, item, CP_WINANSI);
    HDDEDATA data = DdeClientTransaction(nullptr, 0, context.conversation, item_name, CF_TEXT, XTYP_REQUEST,
                                         kDdeTimeoutMs, nullptr);
    DdeFreeStringHandle(context.dde_instance, item_name);
    if (data == nullptr)
        return false;
    take_late_request_acknowledgement();
    DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::vector<char> bytes(size + 1, '\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), size, 0);
    DdeFreeDataHandle(data);
    answer->assign(bytes.data(), strnlen(bytes.data(), size));
    return true;
}

bool progman_group_exists(SystemContext& context, const char* group)
{
    std::string groups;
    return progman_request(context, "GROUPS", &groups) && groups_list_contains(groups, group);
}

bool progman_read_group_items(SystemContext& context, const char* group, std::vector<ProgramItemBlock>* items)
{
    std::string text;
    std::string name;
    return progman_request(context, group, &text) && parse_group_info(text, &name, items);
}

int progman_create_group(SystemContext& context, const char* group)
{
    if (!conversation_open(context))
        return 0;
    if (progman_group_exists(context, group))
        return 1;
    if (!progman_execute(context, progman_create_group_command(group))) {
        context.report_failure("Unable to create group %s", group);
        return 0;
    }
    return 1;
}

int progman_delete_group(SystemContext& context, const char* group)
{
    if (!conversation_open(context))
        return 0;
    if (!progman_group_exists(context, group))
        return 1;
    std::vector<ProgramItemBlock> items;
    progman_read_group_items(context, group, &items);
    if (!progman_execute(context, progman_delete_group_command(group))) {
        context.report_failure("Unable to delete group %s", group);
        return 0;
    }
    return 1;
}

int progman_add_item(SystemContext& context, const char* group, const ProgramItemBlock& block)
{
    if (!conversation_open(context))
        return 0;
    if (!progman_create_group(context, group))
        return 0;
    // An item of the same name goes first. Whether there was one does not
    // matter, so a server that refuses the delete (there is none, or it
    // cannot say) is not reported.
    int32_t quiet = context.quiet;
    context.quiet = 1;
    progman_delete_item(context, group, block.name);
    context.quiet = quiet;
    if (!activate_group(context, group))
        return 0;
    std::string icon_path = block.icon_path;
    std::string working_dir = block.working_dir;
    std::string shortened;
    if (!icon_path.empty() && short_path(icon_path, &shortened))
        icon_path = shortened;
    if (!working_dir.empty() && short_path(working_dir, &shortened))
        working_dir = shortened;
    if (!progman_execute(context, progman_add_item_command(block, icon_path, working_dir))) {
        context.report_failure("Unable to create PM item %s", block.name);
        return 0;
    }
    return 1;
}

int progman_delete_item(SystemContext& context, const char* group, const char* item)
{
    if (!conversation_open(context))
        return 0;
    // Without the group's contents the command is sent all the same, and
    // Program Manager's answer decides.
    if (find_item(context, group, item) == kItemMissing)
        return 1;
    if (!activate_group(context, group))
        return 0;
    if (!progman_execute(context, progman_delete_item_command(item))) {
        context.report_failure("Unable to delete PM item %s", item);
        return 0;
    }
    return 1;
}

int progman_group_has_items(SystemContext& context, const char* group)
{
    if (!conversation_open(context))
        return 0;
    std::vector<ProgramItemBlock> items;
    if (progman_read_group_items(context, group, &items))
        return items.empty() ? 0 : 1;
    // A group that is not there holds nothing; one that does not answer
    // its contents cannot be told.
    return progman_group_exists(context, group) ? -1 : 0;
}
