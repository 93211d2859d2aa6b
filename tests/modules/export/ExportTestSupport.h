#pragma once
// Runs the export module's tasks with every field of the task arguments
// under the test's control (the view's layout, colours, font and title).
#include "tests/modules/common/ModuleHarness.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <array>

struct ViewSettings {
    int32_t offset = 0;
    int32_t bytesPerRow = 16;
    int32_t offsetRadix = 16;
    int32_t groupBy = 1;
    int32_t columns = 3;
    int32_t showDash = 1;
    int32_t showAllChars = 0;
    // Offset text, odd column, even column, ASCII text, background (0x00BBGGRR).
    std::array<uint32_t, 5> colors{0x000000, 0x000000, 0x000000, 0x000000, 0xFFFFFF};
    QString face = QStringLiteral("Courier New");
    QString fileName = QStringLiteral("sample.bin");
};

// Export.vtx, loaded once for the process.
const LoadedModule& ExportModule();

// Calls a task's handler as the host would; empty paths are passed as null.
uint32_t CallTask(const RegisteredTask& task, const QString& inputPath, const QString& outputPath,
                  const ViewSettings& view);

struct ExportOutcome {
    uint32_t result = 0;
    QByteArray output;
};

// A scratch folder for exports and their inputs.
class ExportRunner {
public:
    ExportRunner();
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Runs the export record (kind 0) of that name on the input bytes.
    ExportOutcome Export(const QString& name, const QByteArray& input, const ViewSettings& view = {});
    // Runs the Copy As record (kind 2) of that name; the text is on the clipboard.
    uint32_t CopyAs(const QString& name, const QByteArray& input, const ViewSettings& view = {});

private:
    QTemporaryDir dir_;
    int runs_ = 0;
};

// Text padded with spaces to width.
QByteArray Padded(const QByteArray& text, int width);
