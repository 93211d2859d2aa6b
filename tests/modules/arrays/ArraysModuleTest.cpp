// Arrays.vtx: each language's array run or compiled by the real tool where
// it is installed (python3 always), and read back by a plain model of the
// declaration everywhere, with the declared length checked.
#include "ExternalTool.h"
#include "ModuleHarness.h"
#include "TestFiles.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Language {
    const char* exportName;
    const char* copyName;
    const char* lengthPattern; // captures the declared length
    const char* valuePattern;  // captures one value
    bool signedDecimal;
};

const Language kLanguages[] = {
    {"Python Source Files", "Python Source", R"(# (\d+) bytes?)", R"(\\x([0-9A-F]{2}))", false},
    {"Rust Source Files", "Rust Source", R"(\[u8; (\d+)\])", R"(0x([0-9A-F]{2}))", false},
    {"Go Source Files", "Go Source", R"(// (\d+) bytes?)", R"(0x([0-9A-F]{2}))", false},
    {"JavaScript Source Files", "JavaScript Source", R"(// (\d+) bytes?)", R"(0x([0-9A-F]{2}))", false},
    {"Java Source Files", "Java Source", R"(// (\d+) bytes?)", R"((-?\d+),)", true},
    {"C# Source Files", "C# Source", R"(new byte\[(\d+)\])", R"(0x([0-9A-F]{2}))", false},
};

class ArraysTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module_ = std::make_unique<LoadedModule>(QStringLiteral(ARRAYS_MODULE_PATH)); }
    static void TearDownTestSuite() { module_.reset(); }

    QByteArray Export(const char* name, const QByteArray& bytes)
    {
        const TaskOutcome outcome = runner_.Run(module_->Task(TASK_EXPORT, QString::fromLatin1(name)), bytes);
        EXPECT_EQ(outcome.result, TASK_RESULT_SUCCESS) << name;
        return outcome.output;
    }

    // Runs a program written to a file in the scratch folder.
    QByteArray RunProgram(const QString& file, const QByteArray& source, const QString& tool,
                          const QStringList& arguments)
    {
        WriteWholeFile(runner_.Path(file), source);
        return RunTool(tool, arguments);
    }

    static std::unique_ptr<LoadedModule> module_;
    TaskRunner runner_;
};

std::unique_ptr<LoadedModule> ArraysTest::module_;

// Values with both high bits, zero and every row length around 16.
QByteArray Sample(int size)
{
    QByteArray bytes = RandomBytes(size, unsigned(size) + 3);
    if (size > 2) {
        bytes[0] = char(0x80);
        bytes[1] = char(0xFF);
        bytes[2] = 0;
    }
    return bytes;
}

const int kSizes[] = {0, 1, 15, 16, 17, 1000};

TEST_F(ArraysTest, DeclarationsHoldTheBytesAndTheirLength)
{
    for (const Language& language : kLanguages) {
        for (int size : kSizes) {
            SCOPED_TRACE(std::string(language.exportName) + " " + std::to_string(size));
            const QString text = QString::fromLatin1(Export(language.exportName, Sample(size)));
            const QRegularExpressionMatch length = QRegularExpression(language.lengthPattern).match(text);
            ASSERT_TRUE(length.hasMatch()) << text.toStdString();
            EXPECT_EQ(length.captured(1).toInt(), size);
            const QRegularExpression value(language.valuePattern);
            QByteArray values;
            int longestRow = 0;
            for (const QString& line : text.split('\n')) {
                int inRow = 0;
                for (auto matches = value.globalMatch(line); matches.hasNext(); ++inRow) {
                    const QString digits = matches.next().captured(1);
                    values += char(language.signedDecimal ? digits.toInt() : digits.toInt(nullptr, 16));
                }
                longestRow = std::max(longestRow, inRow);
            }
            EXPECT_EQ(values, Sample(size));
            EXPECT_LE(longestRow, 16);
        }
    }
}

TEST_F(ArraysTest, PythonEvaluatesItsLiteralToTheBytes)
{
    for (int size : kSizes) {
        const QByteArray source = Export("Python Source Files", Sample(size))
                                  + "import sys\nassert isinstance(data, bytes)\nsys.stdout.buffer.write(data)\n";
        EXPECT_EQ(RunProgram("array.py", source, "python3", {runner_.Path("array.py")}), Sample(size)) << size;
    }
}

TEST_F(ArraysTest, RustCompilesItsArrayWhereRustcIsInstalled)
{
    if (!ToolExists("rustc"))
        GTEST_SKIP() << "rustc is not installed";
    for (int size : {0, 17, 1000}) {
        const QByteArray source = Export("Rust Source Files", Sample(size))
                                  + "fn main() { use std::io::Write; std::io::stdout().write_all(&DATA).unwrap(); }\n";
        WriteWholeFile(runner_.Path("array.rs"), source);
        RunTool("rustc", {"-o", runner_.Path("array"), runner_.Path("array.rs")});
        EXPECT_EQ(RunTool(runner_.Path("array"), {}), Sample(size)) << size;
    }
}

TEST_F(ArraysTest, GoRunsItsSliceWhereGoIsInstalled)
{
    if (!ToolExists("go"))
        GTEST_SKIP() << "go is not installed";
    for (int size : {0, 17, 1000}) {
        const QByteArray source = "package main\nimport \"os\"\n" + Export("Go Source Files", Sample(size))
                                  + "func main() { os.Stdout.Write(data) }\n";
        EXPECT_EQ(RunProgram("array.go", source, "go", {"run", runner_.Path("array.go")}), Sample(size)) << size;
    }
}

TEST_F(ArraysTest, NodeRunsItsUint8ArrayWhereNodeIsInstalled)
{
    if (!ToolExists("node"))
        GTEST_SKIP() << "node is not installed";
    for (int size : kSizes) {
        const QByteArray source = Export("JavaScript Source Files", Sample(size))
                                  + "process.stdout.write(Buffer.from(data));\n";
        EXPECT_EQ(RunProgram("array.js", source, "node", {runner_.Path("array.js")}), Sample(size)) << size;
    }
}

TEST_F(ArraysTest, JavaRunsItsSignedArrayWhereJavaIsInstalled)
{
    if (!ToolExists("java"))
        GTEST_SKIP() << "java is not installed";
    for (int size : {0, 1000}) {
        const QByteArray source = "public class Main { public static void main(String[] a) throws Exception {\n"
                                  + Export("Java Source Files", Sample(size))
                                  + "System.out.write(data); System.out.flush(); } }\n";
        EXPECT_EQ(RunProgram("Main.java", source, "java", {runner_.Path("Main.java")}), Sample(size)) << size;
    }
}

TEST_F(ArraysTest, CopyAsPutsTheSameTextOnTheClipboard)
{
    const QByteArray bytes = Sample(40);
    WriteWholeFile(runner_.Path("selection.bin"), bytes);
    for (const Language& language : kLanguages) {
        const RegisteredTask& task = module_->Task(TASK_COPY_AS, QString::fromLatin1(language.copyName));
        EXPECT_TRUE(task.description.has_value());
        ASSERT_EQ(runner_.RunOnPaths(task, runner_.Path("selection.bin"), QString()), TASK_RESULT_SUCCESS);
        EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("text/plain"), Export(language.exportName, bytes))
            << language.copyName;
    }
}

} // namespace
