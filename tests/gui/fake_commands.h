// The GUI tests link these in place of the real word commands and worker
// procedures: the commands count their calls, the workers are never run
// (RecordingLauncher records them) and exist for their addresses.
#ifndef LEXON_TESTS_GUI_FAKE_COMMANDS_H
#define LEXON_TESTS_GUI_FAKE_COMMANDS_H

#include <atomic>

extern std::atomic<int> g_add_word_loops;
extern std::atomic<int> g_search_loops;

#endif
