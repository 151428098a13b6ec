#include "model/DocumentSession.h"

#include "store/DocumentNames.h"

#include <QFileInfo>

namespace portdesk {

QString DocumentSession::caption() const
{
    return file.isEmpty() ? newCaption() : QFileInfo(file).fileName();
}

bool DocumentSession::hasFile() const
{
    // The browser lists "*.DCL" too; only ".dcl" offers to overwrite.
    return caption().endsWith(dclSuffix(), Qt::CaseSensitive);
}

void DocumentSession::apply(const DocumentState &state)
{
    if (!state.status.isEmpty())
        status = state.status;
    folder = state.folder;
    guiDang = state.guiDang;
    feiYong = state.feiYong;
    daoChu = state.daoChu;
    consigneeLocked = state.consigneeLocked;
}

DocumentSession startSession()
{
    DocumentSession s;
    s.status = statusPreEntry();
    s.folder = folderLabelNew();
    return s;
}

} // namespace portdesk
