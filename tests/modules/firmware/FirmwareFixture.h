#pragma once
// Firmware.vtx loaded once; runs of its import, export, Copy As and Paste As
// tasks with every message recorded instead of shown.
#include "MessageRecorder.h"
#include "ModuleHarness.h"

#include <gtest/gtest.h>
#include <memory>

class FirmwareFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static const RegisteredTask& Task(uint32_t kind, const char* name);
    static const char* NameOf(bool intelHex, uint32_t kind);

    // Imports the text; on success the output holds the image.
    TaskOutcome Import(bool intelHex, const QByteArray& text);
    QByteArray Export(bool intelHex, const QByteArray& bytes);

    TaskRunner runner_;
    MessageRecorder messages_;

private:
    static std::unique_ptr<LoadedModule> module_;
};
