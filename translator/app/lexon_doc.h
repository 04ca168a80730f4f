// CLexon_v2Doc: the document of both windows. It has no data of its own:
// the main window's document is never shown as text, and the editor's text
// lives in its edit view, so serialisation hands the archive to the first
// view, which reads or writes the whole text raw.
#ifndef LEXON_APP_LEXON_DOC_H
#define LEXON_APP_LEXON_DOC_H

#include "translator/framework/document.h"

class CLexon_v2Doc : public Document {
public:
    bool OnNewDocument() override { return Document::OnNewDocument(); }
    void Serialize(Archive& archive) override;
};

#endif
