// CmdTarget: the base of every object that can receive commands through a
// message map (application, windows, documents).
//
// Command routing. A WM_COMMAND that reaches a frame window is offered, in
// this order, to the frame's active view, to that view's document, to the
// frame itself and finally to the application object (see FrameWnd). Each
// object looks the command up in its own map chain (OnCmdMsg) and the first
// that has an entry handles it. A command that nobody handles is ignored.
#ifndef LEXON_FRAMEWORK_CMD_TARGET_H
#define LEXON_FRAMEWORK_CMD_TARGET_H

#include "translator/framework/message_map.h"

class CmdTarget {
public:
    virtual ~CmdTarget() = default;

    // The class's message map; the base has an empty one.
    virtual const MessageMap* GetMessageMap() const { return &kMessageMap; }
    static const MessageMap kMessageMap;

    // Offers the WM_COMMAND message m to this object (by default its own
    // map). Returns true when a handler was called.
    virtual bool OnCmdMsg(Message& m) { return DispatchMessageToMap(m); }

    // Calls the map entry for message m, if any; true when one was called.
    bool DispatchMessageToMap(Message& m);

protected:
    CmdTarget() = default;
    CmdTarget(const CmdTarget&) = delete;
    CmdTarget& operator=(const CmdTarget&) = delete;
};

#endif
