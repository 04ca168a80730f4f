// The dictionary guard: keeps the commands of the process from getting in
// each other's way on the three dictionary files.
//
// Why: a BTREE handle reads the index header once, at Open, and trusts its
// copy until Close. A command that keeps an index open for a long time (a
// file translation holds the source index for the whole command) would see
// the pages a change made meanwhile (a split by an addition) as pages beyond
// the end of the index, or as a parent or leaf link gone wrong, and would
// stop the program as if the file were damaged. The index rebuild deletes
// and recreates the index files, so nothing may read or write them then.
//
// A process-wide guard with four kinds of holder:
//   - a brief use (DictionaryAccess::kBrief): a command that opens the files
//     and closes them again within one operation (search, fetching a
//     record, export, check...). It reads the header fresh, so it may
//     overlap every other use;
//   - a reading use (kReading): a command that keeps an index open across
//     many operations (the translation). Refused while a writing use is
//     active;
//   - a writing use (kWriting): a command that changes the files (add,
//     modify, delete, import). Refused while a reading use is active.
//     Writing uses nest (Modify adds, then deletes) and may overlap each
//     other: the program's changes all run on its window thread, one after
//     the other;
//   - the rebuild (DictionaryRebuild), granted only when no use and no
//     other rebuild is active; every use is refused while it runs.
// Uses of all kinds are held for as long as the command has any of the
// files open. Nothing waits: a holder that cannot get the guard shows why
// with ShowErrorBox (unless quiet) and is refused before it has done
// anything; the user runs the command again when the other has finished.
//
// The guard covers one process only: another program working on the same
// files at the same time is not seen.
#ifndef LEXON_STORAGE_DICTIONARY_GUARD_H
#define LEXON_STORAGE_DICTIONARY_GUARD_H

extern const char kDictionaryBusyRebuilding[];
extern const char kDictionaryBusyInUse[];
extern const char kDictionaryBusyAlreadyRebuilding[];
extern const char kDictionaryBusyReading[];   // a change refused during a translation
extern const char kDictionaryBusyWriting[];   // a translation refused during a change

enum class DictionaryGuardMode { kShowMessage, kQuiet };

// What a use does with the files (see above).
enum class DictionaryAccess { kBrief, kReading, kWriting };

class DictionaryUse {
public:
    explicit DictionaryUse(DictionaryGuardMode mode = DictionaryGuardMode::kShowMessage);
    explicit DictionaryUse(DictionaryAccess access, DictionaryGuardMode mode = DictionaryGuardMode::kShowMessage);
    ~DictionaryUse();
    DictionaryUse(const DictionaryUse&) = delete;
    DictionaryUse& operator=(const DictionaryUse&) = delete;
    // False when the command must not touch the files: a rebuild is
    // running, or a reading use meets a writing use.
    bool Granted() const { return granted_; }

private:
    void Take(DictionaryGuardMode mode);

    DictionaryAccess access_;
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
