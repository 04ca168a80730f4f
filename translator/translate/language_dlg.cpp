#include "translator/translate/language_dlg.h"

#include "translator/app/resource.h"
#include "translator/translate/dictionary_source.h"
#include "translator/translate/translate_resource.h"

const MessageMapEntry CLanguageDlg::kMessageEntries[] = {
    CommandEntry(IDC_SOURCE_ENGLISH, &CLanguageDlg::OnSourceEnglish),
    CommandEntry(IDC_SOURCE_SPANISH, &CLanguageDlg::OnSourceSpanish),
    CommandEntry(IDC_TARGET_ENGLISH, &CLanguageDlg::OnTargetEnglish),
    CommandEntry(IDC_TARGET_SPANISH, &CLanguageDlg::OnTargetSpanish),
    EndOfMap(),
};
const MessageMap CLanguageDlg::kMessageMap = {&Dialog::kMessageMap, CLanguageDlg::kMessageEntries};

CLanguageDlg::CLanguageDlg() : Dialog(IDD_LANGUAGE) {}

void CLanguageDlg::OnSourceEnglish(Message& m) { source_ = kEnglish; }
void CLanguageDlg::OnSourceSpanish(Message& m) { source_ = kSpanish; }
void CLanguageDlg::OnTargetEnglish(Message& m) { target_ = kEnglish; }
void CLanguageDlg::OnTargetSpanish(Message& m) { target_ = kSpanish; }
