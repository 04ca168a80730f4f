// fake_progman_server STATEFILE READYEVENT QUITEVENT: the test's Program
// Manager as a program of its own. Loads the model from the state file,
// serves "PROGMAN", rewrites the state file after every execute, signals
// the ready event once registered and ends when the quit event is set (or
// after ten minutes).
#include "tests/uninstaller/system/fake_progman_server.h"

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    ProgmanModel model;
    std::vector<std::string> executes;
    if (!read_progman_state(argv[1], &model, &executes))
        return 1;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
    if (ready == nullptr || quit == nullptr)
        return 1;
    FakeProgman server;
    server.set_model(model);
    server.set_state_file(argv[1]);
    if (!server.start())
        return 1;
    SetEvent(ready);
    WaitForSingleObject(quit, 600000);
    server.stop();
    CloseHandle(ready);
    CloseHandle(quit);
    return 0;
}
