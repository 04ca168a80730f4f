#include "translator/translate/conjugation_result_dlg.h"

#include "translator/app/resource.h"
#include "translator/translate/translate_resource.h"

namespace {

// The text of a fixed-size field, up to its NUL or its end.
std::string FieldText(const char* field, size_t capacity)
{
    size_t length = 0;
    while (length < capacity && field[length] != '\0') ++length;
    return std::string(field, length);
}

}  // namespace

CConjugationResultDlg::CConjugationResultDlg(const std::string& infinitive, const std::string& translated)
    : Dialog(IDD_CONJUGATION_RESULT), infinitive_(infinitive), translated_(translated)
{
}

CConjugationResultDlg::CConjugationResultDlg(const VerbAnalysis& analysis)
    : CConjugationResultDlg(FieldText(analysis.infinitive, sizeof analysis.infinitive),
                            FieldText(analysis.form, sizeof analysis.form))
{
}

void CConjugationResultDlg::DoDataExchange(DataExchange& dx)
{
    dx.Text(IDC_CONJUGATION_INFINITIVE, infinitive_);
    dx.Text(IDC_CONJUGATION_TRANSLATED, translated_);
    dx.Text(IDC_CONJUGATION_TENSE, tense_);
}
