#include "translator/framework/cmd_target.h"

static const MessageMapEntry kNoEntries[] = {EndOfMap()};
const MessageMap CmdTarget::kMessageMap = {nullptr, kNoEntries};

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, UINT command_id,
                                        int notify_code)
{
    for (; map; map = map->base) {
        for (const MessageMapEntry* e = map->entries; e->handler; ++e) {
            if (e->message != message) continue;
            if (message != WM_COMMAND) return e;
            if (e->command_id != command_id) continue;
            bool is_plain_command = notify_code == 0 || notify_code == 1;
            if (e->notify_code == -1 ? is_plain_command : e->notify_code == notify_code) return e;
        }
    }
    return nullptr;
}

bool CmdTarget::DispatchMessageToMap(Message& m)
{
    const MessageMapEntry* e = FindMessageEntry(GetMessageMap(), m.id, LOWORD(m.wparam),
                                                static_cast<int>(HIWORD(m.wparam)));
    if (!e) return false;
    (this->*(e->handler))(m);
    return true;
}
