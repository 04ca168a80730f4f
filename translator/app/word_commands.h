// The two dictionary-editing commands of the main window, run on the
// user-interface thread:
//
//   RunAddWordLoop  Words > Add: shows the add-word dialog again and again,
//                   adding the pair after every Add, until Cancel.
//   RunSearchLoop   Words > Search: shows the search dialog (search, modify,
//                   delete while it is open) until Cancel.
#ifndef LEXON_APP_WORD_COMMANDS_H
#define LEXON_APP_WORD_COMMANDS_H

void RunAddWordLoop();
void RunSearchLoop();

#endif
