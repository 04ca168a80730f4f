// CLanguageDlg: the choice of the source and target language of a Text
// command (dialog 134, "Select the languajes"), run modally by the
// translation workers:
//
//   CLanguageDlg languages;
//   if (languages.DoModal() != IDOK) return;   // Cancel ends the command
//   translator.SetLanguages(languages.SourceLanguage(), languages.TargetLanguage());
//
// Two groups of radio buttons, "Source languaje" and "Target languaje",
// each with "English" (language 0) and "Spanish" (language 1). No button is
// checked when the dialog opens, and there is no data exchange: a value is
// set only by a click on one of its buttons (the last click in a group
// counts). A value the user did not choose stays kLanguageUnset, outside
// the accepted codes 0..3, so the command refuses it with its message.
#ifndef LEXON_TRANSLATE_LANGUAGE_DLG_H
#define LEXON_TRANSLATE_LANGUAGE_DLG_H

#include "translator/framework/dialog.h"

#include <cstdint>

const int16_t kLanguageUnset = -1;

class CLanguageDlg : public Dialog {
public:
    CLanguageDlg();

    int16_t SourceLanguage() const { return source_; }
    int16_t TargetLanguage() const { return target_; }

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;

private:
    static const MessageMapEntry kMessageEntries[];
    void OnSourceEnglish(Message& m);
    void OnSourceSpanish(Message& m);
    void OnTargetEnglish(Message& m);
    void OnTargetSpanish(Message& m);

    int16_t source_ = kLanguageUnset;
    int16_t target_ = kLanguageUnset;
};

#endif
