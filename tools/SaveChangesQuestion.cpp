#include "SaveChangesQuestion.h"

#include "platform/MessageBox.h"

bool AskToSaveChanges(const QString& question, const std::function<bool()>& saveAs)
{
    switch (platform::ShowMessage(question, platform::MsgButtons::YesNoCancel, platform::MsgIcon::Question)) {
    case platform::MsgResult::Yes:
        return saveAs && saveAs();
    case platform::MsgResult::No:
        return true;
    default:
        return false;
    }
}
