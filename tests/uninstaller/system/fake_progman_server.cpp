#include "tests/uninstaller/system/fake_progman_server.h"

#include <ddeml.h>

#include <cstdlib>
#include <cstdio>

namespace {

// The one server of the process (DDEML calls back without a context).
FakeProgman* g_server = nullptr;

bool names_equal(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string trimmed(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

// Arguments separated by commas outside double quotes, quotes dropped.
std::vector<std::string> split_arguments(const std::string& text)
{
    std::vector<std::string> args;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (char c : text) {
        any = true;
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            args.push_back(trimmed(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (any)
        args.push_back(trimmed(current));
    return args;
}

int number(const std::vector<std::string>& args, size_t index)
{
    return index < args.size() ? std::atoi(args[index].c_str()) : 0;
}

std::string text(const std::vector<std::string>& args, size_t index)
{
    return index < args.size() ? args[index] : std::string();
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

}  // namespace

// ---- Model ---------------------------------------------------------------

FakeProgmanGroup* ProgmanModel::find_group(const std::string& name)
{
    for (FakeProgmanGroup& group : groups)
        if (names_equal(group.name, name))
            return &group;
    return nullptr;
}

const FakeProgmanGroup* ProgmanModel::find_group(const std::string& name) const
{
    for (const FakeProgmanGroup& group : groups)
        if (names_equal(group.name, name))
            return &group;
    return nullptr;
}

std::string ProgmanModel::groups_text() const
{
    std::string text;
    for (const FakeProgmanGroup& group : groups)
        text += group.name + "\r\n";
    return text;
}

bool ProgmanModel::group_info_text(const std::string& name, std::string* text) const
{
    const FakeProgmanGroup* group = find_group(name);
    if (group == nullptr)
        return false;
    *text = quoted(group->name) + "," + group->name + ".GRP," + std::to_string(group->items.size()) + ",0\r\n";
    for (const FakeProgmanItem& item : group->items) {
        *text += quoted(item.name) + "," + quoted(item.command_line) + "," + item.working_dir + "," +
                 item.icon_path + "," + std::to_string(item.x) + "," + std::to_string(item.y) + "," +
                 std::to_string(item.icon_index) + "," + std::to_string(item.hot_key) + "," +
                 std::to_string(item.minimized) + "\r\n";
    }
    return true;
}

bool ProgmanModel::execute(const std::string& commands)
{
    size_t pos = 0;
    bool any = false;
    while (true) {
        size_t open = commands.find('[', pos);
        if (open == std::string::npos)
            return any;
        // The closing bracket after the argument list (a ']' inside quotes
        // belongs to an argument).
        size_t paren = commands.find('(', open);
        size_t close = std::string::npos;
        bool quoted_text = false;
        for (size_t i = open + 1; i < commands.size(); ++i) {
            if (commands[i] == '"')
                quoted_text = !quoted_text;
            else if (commands[i] == ']' && !quoted_text) {
                close = i;
                break;
            }
        }
        if (close == std::string::npos)
            return false;
        std::string name;
        std::vector<std::string> args;
        if (paren != std::string::npos && paren < close) {
            size_t end = commands.rfind(')', close);
            if (end == std::string::npos || end < paren)
                return false;
            name = trimmed(commands.substr(open + 1, paren - open - 1));
            args = split_arguments(commands.substr(paren + 1, end - paren - 1));
        } else {
            name = trimmed(commands.substr(open + 1, close - open - 1));
        }
        if (!run_command(name, args))
            return false;
        any = true;
        pos = close + 1;
    }
}

bool ProgmanModel::run_command(const std::string& name, const std::vector<std::string>& args)
{
    if (names_equal(name, "CreateGroup")) {
        if (args.empty() || args[0].empty())
            return false;
        if (find_group(args[0]) == nullptr) {
            FakeProgmanGroup group;
            group.name = args[0];
            groups.push_back(group);
        }
        current_group = args[0];
        return true;
    }
    if (names_equal(name, "ShowGroup")) {
        if (args.empty() || find_group(args[0]) == nullptr)
            return false;
        current_group = args[0];
        return true;
    }
    if (names_equal(name, "DeleteGroup")) {
        for (size_t i = 0; !args.empty() && i < groups.size(); ++i) {
            if (names_equal(groups[i].name, args[0])) {
                groups.erase(groups.begin() + i);
                if (names_equal(current_group, args[0]))
                    current_group.clear();
                return true;
            }
        }
        return false;
    }
    FakeProgmanGroup* group = find_group(current_group);
    if (names_equal(name, "AddItem")) {
        if (group == nullptr || args.empty() || args[0].empty())
            return false;
        FakeProgmanItem item;
        item.command_line = args[0];
        item.name = text(args, 1);
        if (item.name.empty()) {
            // Program Manager names an unnamed item after its program.
            std::string program = item.command_line.substr(0, item.command_line.find(' '));
            size_t slash = program.find_last_of("\\/:");
            item.name = slash == std::string::npos ? program : program.substr(slash + 1);
        }
        item.icon_path = text(args, 2);
        item.icon_index = number(args, 3);
        item.x = number(args, 4);
        item.y = number(args, 5);
        item.working_dir = text(args, 6);
        item.hot_key = number(args, 7);
        item.minimized = number(args, 8);
        group->items.push_back(item);
        return true;
    }
    if (names_equal(name, "DeleteItem")) {
        if (group == nullptr || args.empty())
            return false;
        for (size_t i = 0; i < group->items.size(); ++i) {
            if (names_equal(group->items[i].name, args[0])) {
                group->items.erase(group->items.begin() + i);
                return true;
            }
        }
        return false;
    }
    return false;
}

// ---- DDE server ----------------------------------------------------------------

FakeProgman::FakeProgman()
{
    InitializeCriticalSection(&lock_);
}

FakeProgman::~FakeProgman()
{
    stop();
    DeleteCriticalSection(&lock_);
}

bool FakeProgman::start()
{
    if (thread_ != nullptr || g_server != nullptr)
        return false;
    g_server = this;
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, thread_main, this, 0, &thread_id_);
    if (thread_ == nullptr) {
        g_server = nullptr;
        return false;
    }
    WaitForSingleObject(ready_, 10000);
    if (!registered_) {
        stop();
        return false;
    }
    return true;
}

void FakeProgman::stop()
{
    if (thread_ != nullptr) {
        PostThreadMessageA(thread_id_, WM_QUIT, 0, 0);
        if (WaitForSingleObject(thread_, 10000) != WAIT_OBJECT_0)
            TerminateThread(thread_, 1);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    if (ready_ != nullptr) {
        CloseHandle(ready_);
        ready_ = nullptr;
    }
    if (g_server == this)
        g_server = nullptr;
}

DWORD WINAPI FakeProgman::thread_main(void* self_pointer)
{
    FakeProgman* self = static_cast<FakeProgman*>(self_pointer);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);   // the thread's queue
    if (DdeInitializeA(&self->instance_, callback, APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES |
                                                       CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                       0) != DMLERR_NO_ERROR) {
        SetEvent(self->ready_);
        return 1;
    }
    self->service_ = DdeCreateStringHandleA(self->instance_, "PROGMAN", CP_WINANSI);
    self->registered_ = DdeNameService(self->instance_, self->service_, nullptr, DNS_REGISTER) != nullptr;
    SetEvent(self->ready_);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DdeNameService(self->instance_, self->service_, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(self->instance_, self->service_);
    DdeUninitialize(self->instance_);
    self->instance_ = 0;
    return 0;
}

HDDEDATA CALLBACK FakeProgman::callback(UINT type, UINT, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR,
                                         ULONG_PTR)
{
    if (g_server == nullptr)
        return nullptr;
    return g_server->serve(type, topic, item, data);
}

std::string FakeProgman::text_of(HSZ name)
{
    char buffer[512] = "";
    DdeQueryStringA(instance_, name, buffer, sizeof buffer, CP_WINANSI);
    return buffer;
}

HDDEDATA FakeProgman::serve(UINT type, HSZ topic, HSZ item, HDDEDATA data)
{
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(names_equal(text_of(topic), "PROGMAN")));
    case XTYP_REQUEST: {
        std::string name = text_of(item);
        std::string answer;
        EnterCriticalSection(&lock_);
        bool known = true;
        if (names_equal(name, "GROUPS"))
            answer = model_.groups_text();
        else
            known = model_.answers_group_info && model_.group_info_text(name, &answer);
        LeaveCriticalSection(&lock_);
        if (!known)
            return nullptr;
        return DdeCreateDataHandle(instance_, reinterpret_cast<LPBYTE>(const_cast<char*>(answer.c_str())),
                                   static_cast<DWORD>(answer.size() + 1), 0, item, CF_TEXT, 0);
    }
    case XTYP_EXECUTE: {
        DWORD size = DdeGetData(data, nullptr, 0, 0);
        std::vector<char> bytes(size + 1, '\0');
        DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), size, 0);
        std::string command(bytes.data());
        EnterCriticalSection(&lock_);
        executes_.push_back(command);
        bool done = model_.execute(command);
        if (!state_file_.empty() && !write_progman_state(state_file_, model_, executes_))
            fprintf(stderr, "fake_progman_server: cannot write %s\n", state_file_.c_str());
        LeaveCriticalSection(&lock_);
        return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(done ? DDE_FACK : DDE_FNOTPROCESSED));
    }
    default:
        return nullptr;
    }
}

ProgmanModel FakeProgman::model()
{
    EnterCriticalSection(&lock_);
    ProgmanModel copy = model_;
    LeaveCriticalSection(&lock_);
    return copy;
}

std::vector<std::string> FakeProgman::executes()
{
    EnterCriticalSection(&lock_);
    std::vector<std::string> copy = executes_;
    LeaveCriticalSection(&lock_);
    return copy;
}

void FakeProgman::set_state_file(const std::string& path)
{
    EnterCriticalSection(&lock_);
    state_file_ = path;
    LeaveCriticalSection(&lock_);
}

void FakeProgman::set_model(const ProgmanModel& model)
{
    EnterCriticalSection(&lock_);
    model_ = model;
    LeaveCriticalSection(&lock_);
}

// ---- State file ------------------------------------------------------------

namespace {

std::vector<std::string> split_tabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

}  // namespace

bool write_progman_state(const std::string& path, const ProgmanModel& model, const std::vector<std::string>& executes)
{
    std::string text = "current\t" + model.current_group + "\n";
    if (!model.answers_group_info)
        text += "no-group-info\n";
    for (const FakeProgmanGroup& group : model.groups) {
        text += "group\t" + group.name + "\n";
        for (const FakeProgmanItem& item : group.items) {
            text += "item\t" + item.name + "\t" + item.command_line + "\t" + item.icon_path + "\t" +
                    std::to_string(item.icon_index) + "\t" + std::to_string(item.x) + "\t" +
                    std::to_string(item.y) + "\t" + item.working_dir + "\t" + std::to_string(item.hot_key) +
                    "\t" + std::to_string(item.minimized) + "\n";
        }
    }
    for (const std::string& execute : executes)
        text += "execute\t" + execute + "\n";
    text += "end\n";
    // Written in place (a reader sees the whole text once "end" is there):
    // a rename over the file fails while the test has it open.
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            Sleep(10);
            continue;
        }
        DWORD written = 0;
        BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
        return ok && written == text.size();
    }
    return false;
}

namespace {

bool read_whole_state(const std::string& path, std::string* text)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            text->clear();
            char buffer[4096];
            DWORD got = 0;
            while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
                text->append(buffer, got);
            CloseHandle(file);
            const std::string end = "end\n";
            if (text->size() >= end.size() && text->compare(text->size() - end.size(), end.size(), end) == 0) {
                text->resize(text->size() - end.size());
                return true;
            }
        }
        Sleep(10);
    }
    return false;
}

}  // namespace

bool read_progman_state(const std::string& path, ProgmanModel* model, std::vector<std::string>* executes)
{
    std::string text;
    if (!read_whole_state(path, &text))
        return false;
    *model = ProgmanModel();
    executes->clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::vector<std::string> fields = split_tabs(text.substr(start, end - start));
        start = end + 1;
        if (fields[0] == "current" && fields.size() == 2) {
            model->current_group = fields[1];
        } else if (fields[0] == "no-group-info" && fields.size() == 1) {
            model->answers_group_info = false;
        } else if (fields[0] == "group" && fields.size() == 2) {
            FakeProgmanGroup group;
            group.name = fields[1];
            model->groups.push_back(group);
        } else if (fields[0] == "item" && fields.size() == 10 && !model->groups.empty()) {
            FakeProgmanItem item;
            item.name = fields[1];
            item.command_line = fields[2];
            item.icon_path = fields[3];
            item.icon_index = std::atoi(fields[4].c_str());
            item.x = std::atoi(fields[5].c_str());
            item.y = std::atoi(fields[6].c_str());
            item.working_dir = fields[7];
            item.hot_key = std::atoi(fields[8].c_str());
            item.minimized = std::atoi(fields[9].c_str());
            model->groups.back().items.push_back(item);
        } else if (fields[0] == "execute" && fields.size() >= 2) {
            std::string line = fields[1];
            for (size_t i = 2; i < fields.size(); ++i)
                line += "\t" + fields[i];
            executes->push_back(line);
        } else {
            return false;
        }
    }
    return true;
}
