// Message maps: declarative tables that bind window messages and commands
// to member functions, all with one signature, void Handler(Message&).
//
// A class that handles messages declares its map and returns it:
//
//   class CMyFrame : public FrameWnd {
//   public:
//       const MessageMap* GetMessageMap() const override { return &kMessageMap; }
//       static const MessageMap kMessageMap;
//   private:
//       static const MessageMapEntry kMessageEntries[];
//       void OnWordsAdd(Message& m);
//       void OnDropFiles(Message& m);
//   };
//
//   // in the .cpp file:
//   const MessageMapEntry CMyFrame::kMessageEntries[] = {
//       CommandEntry(ID_WORDS_ADD, &CMyFrame::OnWordsAdd),
//       MessageEntry(WM_DROPFILES, &CMyFrame::OnDropFiles),
//       EndOfMap(),
//   };
//   const MessageMap CMyFrame::kMessageMap = {&FrameWnd::kMessageMap,
//                                             CMyFrame::kMessageEntries};
//
// (The entry table is a static member so that it may name private
// handlers.)
//
// Lookup walks the class's entries first, then its base map, and so on;
// the first match is called. A message that no map handles goes to the
// window's default processing. A handler that wants the default processing
// too calls the window's Default(m). The handler's return value for the
// window procedure goes into m.result (0 unless set).
//
// CommandEntry matches WM_COMMAND with the given id from a menu, an
// accelerator or a button click (notification code 0 or 1);
// NotifyEntry matches WM_COMMAND with a given control id and notification
// code (e.g. LBN_DBLCLK). How commands travel between objects (view,
// document, frame, application) is described in cmd_target.h.
#ifndef LEXON_FRAMEWORK_MESSAGE_MAP_H
#define LEXON_FRAMEWORK_MESSAGE_MAP_H

#include <windows.h>

class CmdTarget;

struct Message {
    UINT id;          // WM_xxx
    WPARAM wparam;
    LPARAM lparam;
    LRESULT result;   // what the window procedure returns when handled
};

typedef void (CmdTarget::*MessageHandler)(Message&);

struct MessageMapEntry {
    UINT message;        // WM_xxx; WM_COMMAND for commands and notifications
    UINT command_id;     // WM_COMMAND only: the command or control id
    int notify_code;     // WM_COMMAND only: -1 = menu/accelerator/click
    MessageHandler handler;  // null marks the end of the table
};

struct MessageMap {
    const MessageMap* base;          // the base class's map, or null
    const MessageMapEntry* entries;  // ends with EndOfMap()
};

template <class T>
MessageMapEntry CommandEntry(UINT command_id, void (T::*handler)(Message&))
{
    return {WM_COMMAND, command_id, -1, static_cast<MessageHandler>(handler)};
}

template <class T>
MessageMapEntry NotifyEntry(int notify_code, UINT control_id, void (T::*handler)(Message&))
{
    return {WM_COMMAND, control_id, notify_code, static_cast<MessageHandler>(handler)};
}

template <class T>
MessageMapEntry MessageEntry(UINT message, void (T::*handler)(Message&))
{
    return {message, 0, -1, static_cast<MessageHandler>(handler)};
}

inline MessageMapEntry EndOfMap()
{
    return {0, 0, -1, nullptr};
}

// The entry of map (or its bases) for message, or null. For WM_COMMAND,
// command_id and notify_code select the entry.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, UINT command_id,
                                        int notify_code);

#endif
