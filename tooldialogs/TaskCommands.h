#pragma once
// The six task commands on the active document and view: Import and Export
// (file dialogs), Copy As, Paste As, Convert Data and Compute Checksum (the
// chooser). Each stages its data in temporary files, runs the chosen task
// and takes its output back the way the task's kind asks; every temporary
// file is handed to the background remover by the time the command returns. Import, Export, Convert Data and
// Compute Checksum run the task off the user-interface thread behind a
// progress window; Copy As and Paste As run it here, since the task uses the
// clipboard.
#include "furniture/UserInterface.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class CBinEditView;
struct AppSettings;
class QWidget;
class TaskExtensions;
struct TaskChoices;
struct TaskViewParams;

class CTaskCommands : public QObject {
    Q_OBJECT
public:
    using ActiveViewFn = std::function<CBinEditView*()>;
    // Opens an imported file as a new untitled document that is not modified;
    // false when it could not be loaded (reported).
    using OpenImportedFn = std::function<bool(const QString& path)>;

    // choices are what the choosers and file dialogs remember; settings give
    // the tasks their display layout. Both outlive the commands.
    CTaskCommands(QWidget* dialogParent, ActiveViewFn activeView, OpenImportedFn openImported,
                  TaskChoices& choices, const AppSettings& settings, IUserInterface& ui);

    // The registry the commands use; by default the program's own, loaded on
    // first use. Tests point it elsewhere.
    void SetTaskRegistry(TaskExtensions* tasks) { tasks_ = tasks; }

    void Import();
    void Export();
    void CopyAs();
    void PasteAs();
    void ConvertData();
    void ComputeChecksum();

    // Enabling rules.
    static bool CanCopyAs(const CBinEditView* view);
    static bool CanPasteAs(const CBinEditView* view);
    static bool CanConvertData(const CBinEditView* view);
    static bool CanComputeChecksum(const CBinEditView* view);

private:
    struct ChosenTaskFile {
        QString path;
        int index;  // of the task, among those of its kind
    };

    TaskExtensions& Tasks();
    // Import and Export: the file dialog with one file type per task,
    // starting at the remembered type, which then follows the choice.
    std::optional<ChosenTaskFile> ChooseFileForTask(int kind, FileChoice dialogKind, const QString& title,
                                                    int& rememberedFileType);
    // Runs the task on another thread behind the progress window.
    bool RunInBackground(int kind, int index, const QString& input, const QString& output,
                         const TaskViewParams* view);
    // Convert Data and Compute Checksum: select the whole file when nothing
    // is selected, choose, stage, run. On success the output's path is
    // handed to take; returns false when anything failed or was cancelled.
    // Both temporary files are handed to the background remover on return.
    bool RunOnSelection(int kind, const std::function<void(CBinEditView& view, const QString& output)>& take);

    QWidget* parent_;
    ActiveViewFn activeView_;
    OpenImportedFn openImported_;
    TaskChoices& choices_;
    const AppSettings& settings_;
    TaskExtensions* tasks_ = nullptr;
    IUserInterface& ui_;
};

// The Import (Open) or Export (Save) dialog: one file type per task, the
// one numbered startType (from 1) preselected.
FileRequest TaskFileRequest(FileChoice kind, const QString& title, const QStringList& fileTypes, int startType);

// Command identifiers, the choosers' help contexts.
constexpr int kCommandIdImport = 32903;
constexpr int kCommandIdExport = 32904;
constexpr int kCommandIdCopyAs = 32885;
constexpr int kCommandIdPasteAs = 32886;
constexpr int kCommandIdConvertData = 32897;
constexpr int kCommandIdComputeChecksum = 32896;
