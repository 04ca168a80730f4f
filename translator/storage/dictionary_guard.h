// The dictionary guard: keeps every command of the process away from the
// three dictionary files while the Index command rebuilds the indexes (the
// rebuild deletes and recreates the index files, so nothing may read or
// write them meanwhile).
//
// A process-wide reader/writer guard:
//   - every dictionary command (add, search, modify, delete, translate,
//     export, check...) holds a DictionaryUse for as long as it has any of
//     the files open. Uses may overlap and nest freely, on any thread;
//   - the rebuild holds a DictionaryRebuild, which it gets only when no use
//     and no other rebuild is active.
// Neither waits: a command that cannot get the guard shows why with
// ShowErrorBox (kDictionaryBusyRebuilding, kDictionaryBusyInUse or
// kDictionaryBusyAlreadyRebuilding) and is refused; the user runs it again
// when the other command has finished.
#ifndef LEXON_STORAGE_DICTIONARY_GUARD_H
#define LEXON_STORAGE_DICTIONARY_GUARD_H

extern const char kDictionaryBusyRebuilding[];
extern const char kDictionaryBusyInUse[];
extern const char kDictionaryBusyAlreadyRebuilding[];

enum class DictionaryGuardMode { kShowMessage, kQuiet };

class DictionaryUse {
public:
    explicit DictionaryUse(DictionaryGuardMode mode = DictionaryGuardMode::kShowMessage);
    ~DictionaryUse();
    DictionaryUse(const DictionaryUse&) = delete;
    DictionaryUse& operator=(const DictionaryUse&) = delete;
    // False when a rebuild is running: the command must not touch the files.
    bool Granted() const { return granted_; }

private:
    bool granted_;
};

class DictionaryRebuild {
public:
    explicit DictionaryRebuild(DictionaryGuardMode mode = DictionaryGuardMode::kShowMessage);
    ~DictionaryRebuild();
    DictionaryRebuild(const DictionaryRebuild&) = delete;
    DictionaryRebuild& operator=(const DictionaryRebuild&) = delete;
    // False when a dictionary command or another rebuild is running.
    bool Granted() const { return granted_; }

private:
    bool granted_;
};

// True while a rebuild holds the guard (for menus that want to grey items).
bool DictionaryRebuildRunning();

#endif
