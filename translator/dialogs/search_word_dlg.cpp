#include "translator/dialogs/search_word_dlg.h"

#include "translator/app/resource.h"
#include "translator/dialogs/word_dialog_ids.h"
#include "translator/translate/conjugation_result_dlg.h"

const MessageMapEntry CSearchWordDlg::kMessageEntries[] = {
    CommandEntry(IDOK, &CSearchWordDlg::OnSearch),
    CommandEntry(IDC_SEARCH_CLEAR, &CSearchWordDlg::OnClear),
    CommandEntry(IDC_SEARCH_MODIFY, &CSearchWordDlg::OnModify),
    CommandEntry(IDC_SEARCH_DELETE, &CSearchWordDlg::OnDelete),
    NotifyEntry(LBN_DBLCLK, IDC_SEARCH_LIST, &CSearchWordDlg::OnListDoubleClick),
    EndOfMap(),
};
const MessageMap CSearchWordDlg::kMessageMap = {&Dialog::kMessageMap, CSearchWordDlg::kMessageEntries};

CSearchWordDlg::CSearchWordDlg(const DictionaryFiles& files) : Dialog(IDD_SEARCH_WORD), search_(*this, files) {}

void CSearchWordDlg::DoDataExchange(DataExchange& dx)
{
    dx.Control(IDC_SEARCH_LIST, word_list_);
    dx.Text(IDC_WORD_SPANISH, search_.fields.spanish, kWordFieldLimit);
    dx.Text(IDC_WORD_CLASS, search_.fields.word_class, kClassFieldLimit);
    dx.Text(IDC_WORD_ENGLISH, search_.fields.english, kWordFieldLimit);
    dx.Text(IDC_SEARCH_STATUS, search_.fields.status);
}

void CSearchWordDlg::OnSearch(Message&)
{
    if (!UpdateData(DataExchange::Direction::FromControls)) return;
    search_.Search();
}

void CSearchWordDlg::OnClear(Message&)
{
    search_.Clear();
}

void CSearchWordDlg::OnModify(Message&)
{
    if (!UpdateData(DataExchange::Direction::FromControls)) return;
    search_.Modify();
}

void CSearchWordDlg::OnDelete(Message&)
{
    search_.Delete();
}

void CSearchWordDlg::OnListDoubleClick(Message&)
{
    LRESULT selected = word_list_.Send(LB_GETCURSEL);
    if (selected == LB_ERR) return;
    LRESULT record = word_list_.Send(LB_GETITEMDATA, static_cast<WPARAM>(selected));
    if (record == LB_ERR) return;
    search_.ChooseListEntry(static_cast<int32_t>(record));
}

bool CSearchWordDlg::AddListEntry(const std::string& text, int32_t record)
{
    LRESULT index = word_list_.Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE) return false;
    return word_list_.Send(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(record)) != LB_ERR;
}

void CSearchWordDlg::ClearList()
{
    word_list_.Send(LB_RESETCONTENT);
}

bool CSearchWordDlg::ShowFields()
{
    return UpdateData(DataExchange::Direction::ToControls);
}

void CSearchWordDlg::ShowVerbAnalysis(const std::string& infinitive, const std::string& form)
{
    CConjugationResultDlg result(infinitive, form);
    result.DoModal(GetHwnd());
}
