// CLexon_v2View: the main window's view. It fills the client area and
// draws nothing: everything the user does goes through the menu.
#ifndef LEXON_APP_LEXON_VIEW_H
#define LEXON_APP_LEXON_VIEW_H

#include "translator/framework/view.h"

class CLexon_v2View : public View {
public:
    void OnDraw(HDC dc) override {}
};

#endif
