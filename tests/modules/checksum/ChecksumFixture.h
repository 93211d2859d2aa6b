#pragma once
// Checksum.vtx loaded once for all tests, and the values read back from the
// reports its tasks write.
#include "ModuleHarness.h"

#include <gtest/gtest.h>
#include <memory>

class ChecksumFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static const LoadedModule& Module() { return *module_; }
    static const RegisteredTask& Task(const char* name);

    // Runs the task on the bytes; fails the test unless it succeeds.
    QString Report(const char* task, const QByteArray& input);
    // The value of the report line "name: value".
    static QString Value(const QString& report, const QString& lineName);

    TaskRunner runner_;

private:
    static std::unique_ptr<LoadedModule> module_;
};
