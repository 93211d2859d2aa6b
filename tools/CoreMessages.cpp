#include "CoreMessages.h"

#include "platform/FileErrors.h"
#include "platform/FileNames.h"
#include "platform/MessageBox.h"

QString CoreMessages::OutOfMemoryText()
{
    return QStringLiteral(
        "Out of memory.\n\nThere is not enough memory to complete the current operation. To prevent loss of "
        "data, you should not use this program in low memory conditions. If the data you are working with "
        "needs to be saved, you should save it now and then terminate the program. Note that the last edit "
        "performed may have not produced the expected results.");
}

QString CoreMessages::SizeLimitLoadText()
{
    return QStringLiteral("Unable to load file : Exceeds file size limit of 9,223,372,036,854,775,807 bytes.");
}

QString CoreMessages::SizeLimitInsertText()
{
    return QStringLiteral("Cannot insert data : Will cause file buffer to exceed size limit of 9,223,372,036,854,775,807 bytes.");
}

QString CoreMessages::CannotUndoQuestion()
{
    return QStringLiteral(
        "Cannot undo/redo this edit because it exceeds the maximum undo block size (or there is not enough "
        "memory). Undo buffers will be cleared.\n\nDo you want to proceed anyway?");
}

QString CoreMessages::CannotRedoQuestion()
{
    return QStringLiteral(
        "Cannot redo this edit because it exceeds the maximum redo block size (or there is not enough memory). "
        "Redo buffer will be cleared.\n\nDo you want to proceed anyway?");
}

QString CoreMessages::OutOfSyncText()
{
    return QStringLiteral(
        "Cannot undo this edit : Out of memory.\n\nUndo buffers are out of sync with file buffer and will be cleared.");
}

QString CoreMessages::NoMemoryForLevelsText()
{
    return QStringLiteral(
        "There is not enough memory available for current Undo and Redo settings. Undo and/or Redo may not be "
        "available.");
}

QString CoreMessages::SourceChangedText()
{
    return QStringLiteral(
        "Another program changed this file while it was open. Its bytes are no longer shown or saved from it, "
        "and the document is now read-only. Reload the file to see it as it is now.");
}

namespace {
// Several files may be opened at once (a command line, a forwarded list), so
// a refusal says which file it is about, on a line of its own above the text.
QString WithFileName(const QString& path, const QString& text)
{
    if (path.isEmpty())
        return text;
    return platform::DisplayFileName(path) + QStringLiteral("\n\n") + text;
}
} // namespace

QString CoreMessages::ProblemText(const CoreProblem& problem)
{
    switch (problem.error) {
    case CoreError::None: return QString();
    case CoreError::OutOfMemory: return OutOfMemoryText();
    case CoreError::SizeLimitOnLoad: return WithFileName(problem.path, SizeLimitLoadText());
    case CoreError::SizeLimitOnInsert: return SizeLimitInsertText();
    case CoreError::FileError: return platform::FileErrorText(problem.fileError, problem.path);
    case CoreError::HistoryOutOfSync: return OutOfSyncText();
    case CoreError::NoMemoryForHistory: return NoMemoryForLevelsText();
    case CoreError::CommandOutOfMemory: return platform::OutOfMemoryText();
    case CoreError::SourceChanged: return WithFileName(problem.path, SourceChangedText());
    }
    return QString();
}

QString CoreMessages::QuestionText(HistoryLoss loss)
{
    return loss == HistoryLoss::Undo ? CannotUndoQuestion() : CannotRedoQuestion();
}

QString CoreMessages::WorkText(DocumentWork work, const QString& path)
{
    switch (work) {
    case DocumentWork::Opening: return QStringLiteral("Loading %1").arg(path);
    case DocumentWork::Saving: return QStringLiteral("Saving %1").arg(path);
    case DocumentWork::Importing: return QStringLiteral("Loading %1...").arg(path);
    case DocumentWork::SavingCopy: return QStringLiteral("Saving %1...").arg(path);
    case DocumentWork::UndoingRedoing: return QStringLiteral("Undoing/redoing edit...");
    }
    return QString();
}

void ShowCoreProblem(const CoreProblem& problem)
{
    if (problem)
        platform::ShowMessage(CoreMessages::ProblemText(problem), platform::MsgButtons::Ok, platform::MsgIcon::Error);
}
