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
const char kDictionaryBusyReading[] =
    "The dictionary is being read by a translation. "
    "Please try again when the translation has finished.";
const char kDictionaryBusyWriting[] =
    "The dictionary is being changed by a Words command. "
    "Please try again when the change has finished.";

namespace {

// The one guard of the process: how many uses of each kind are active and
// whether a rebuild is.
struct GuardState {
    std::mutex mutex;
    int brief_uses = 0;
    int reading_uses = 0;
    int writing_uses = 0;
    bool rebuilding = false;
};

GuardState& State()
{
    static GuardState state;
    return state;
}

int& CountOf(GuardState& state, DictionaryAccess access)
{
    if (access == DictionaryAccess::kReading) return state.reading_uses;
    if (access == DictionaryAccess::kWriting) return state.writing_uses;
    return state.brief_uses;
}

}  // namespace

DictionaryUse::DictionaryUse(DictionaryGuardMode mode) : access_(DictionaryAccess::kBrief), granted_(false)
{
    Take(mode);
}

DictionaryUse::DictionaryUse(DictionaryAccess access, DictionaryGuardMode mode) : access_(access), granted_(false)
{
    Take(mode);
}

void DictionaryUse::Take(DictionaryGuardMode mode)
{
    const char* refusal = nullptr;
    {
        GuardState& state = State();
        std::lock_guard<std::mutex> lock(state.mutex);
        if (state.rebuilding)
            refusal = kDictionaryBusyRebuilding;
        else if (access_ == DictionaryAccess::kWriting && state.reading_uses > 0)
            refusal = kDictionaryBusyReading;
        else if (access_ == DictionaryAccess::kReading && state.writing_uses > 0)
            refusal = kDictionaryBusyWriting;
        else {
            ++CountOf(state, access_);
            granted_ = true;
        }
    }
    if (refusal && mode == DictionaryGuardMode::kShowMessage) ShowErrorBox(refusal);
}

DictionaryUse::~DictionaryUse()
{
    if (!granted_) return;
    std::lock_guard<std::mutex> lock(State().mutex);
    --CountOf(State(), access_);
}

DictionaryRebuild::DictionaryRebuild(DictionaryGuardMode mode) : granted_(false)
{
    const char* refusal = nullptr;
    {
        GuardState& state = State();
        std::lock_guard<std::mutex> lock(state.mutex);
        if (state.rebuilding)
            refusal = kDictionaryBusyAlreadyRebuilding;
        else if (state.brief_uses + state.reading_uses + state.writing_uses > 0)
            refusal = kDictionaryBusyInUse;
        else
            state.rebuilding = granted_ = true;
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
