#include "translator/storage/dictionary_guard.h"

#include "translator/app/messages.h"

#include <mutex>

const char kDictionaryBusyRebuilding[] =
    "The dictionary indexes are being rebuilt (Options > Index). "
    "Please try again when the rebuild has finished.";
const char kDictionaryBusyInUse[] =
    "The dictionary is in use by another command. "
    "Run Index again when that command has finished.";
const char kDictionaryBusyAlreadyRebuilding[] =
    "The dictionary indexes are already being rebuilt.";

namespace {

// The one guard of the process: how many uses are active and whether a
// rebuild is.
struct GuardState {
    std::mutex mutex;
    int uses = 0;
    bool rebuilding = false;
};

GuardState& State()
{
    static GuardState state;
    return state;
}

}  // namespace

DictionaryUse::DictionaryUse(DictionaryGuardMode mode) : granted_(false)
{
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        if (!State().rebuilding) {
            ++State().uses;
            granted_ = true;
        }
    }
    if (!granted_ && mode == DictionaryGuardMode::kShowMessage) ShowErrorBox(kDictionaryBusyRebuilding);
}

DictionaryUse::~DictionaryUse()
{
    if (!granted_) return;
    std::lock_guard<std::mutex> lock(State().mutex);
    --State().uses;
}

DictionaryRebuild::DictionaryRebuild(DictionaryGuardMode mode) : granted_(false)
{
    const char* refusal = nullptr;
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        if (State().rebuilding)
            refusal = kDictionaryBusyAlreadyRebuilding;
        else if (State().uses > 0)
            refusal = kDictionaryBusyInUse;
        else
            State().rebuilding = granted_ = true;
    }
    if (refusal && mode == DictionaryGuardMode::kShowMessage) ShowErrorBox(refusal);
}

DictionaryRebuild::~DictionaryRebuild()
{
    if (!granted_) return;
    std::lock_guard<std::mutex> lock(State().mutex);
    State().rebuilding = false;
}

bool DictionaryRebuildRunning()
{
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().rebuilding;
}
