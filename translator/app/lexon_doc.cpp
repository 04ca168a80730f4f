#include "translator/app/lexon_doc.h"

#include "translator/framework/view.h"

void CLexon_v2Doc::Serialize(Archive& archive)
{
    View* view = GetFirstView();
    if (view)
        view->SerializeRaw(archive);
    else
        archive.SetFailed();
}
