#pragma once
// Convert.vtx loaded once for all tests, and a shortcut that runs one of its
// conversions on bytes.
#include "ModuleHarness.h"

#include <gtest/gtest.h>
#include <memory>

class ConvertFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static const LoadedModule& Module() { return *module_; }
    static const RegisteredTask& Conversion(const char* name);

    // Runs the conversion; fails the test unless it succeeds.
    QByteArray Convert(const char* name, const QByteArray& input);

    TaskRunner runner_;

private:
    static std::unique_ptr<LoadedModule> module_;
};

// UTF-16LE bytes of a text.
QByteArray Utf16Le(const QString& text);
