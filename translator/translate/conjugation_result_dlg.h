// CConjugationResultDlg: shows the analysis of a verb form (dialog 132,
// "Conjuged result"): the infinitive found in the dictionary, the form
// generated in the other language, and a tense field that stays empty.
// Run modally; OK and Cancel both just close it and the result means
// nothing.
//
//   CConjugationResultDlg result(analysis);          // a VerbAnalysis
//   result.DoModal();
// or, with the two texts already at hand:
//   CConjugationResultDlg result("ir", "go");
//
// The texts are shown as given (the caller decides their form).
#ifndef LEXON_TRANSLATE_CONJUGATION_RESULT_DLG_H
#define LEXON_TRANSLATE_CONJUGATION_RESULT_DLG_H

#include "translator/framework/dialog.h"
#include "translator/translate/verb_analysis.h"

#include <string>

class CConjugationResultDlg : public Dialog {
public:
    CConjugationResultDlg(const std::string& infinitive, const std::string& translated);
    // The analysis' infinitive and generated form.
    explicit CConjugationResultDlg(const VerbAnalysis& analysis);

    const std::string& Infinitive() const { return infinitive_; }
    const std::string& Translated() const { return translated_; }
    const std::string& Tense() const { return tense_; }

    void DoDataExchange(DataExchange& dx) override;

private:
    std::string infinitive_;
    std::string translated_;
    std::string tense_;   // left empty
};

#endif
