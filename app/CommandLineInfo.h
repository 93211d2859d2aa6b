#pragma once
// The parsed command line: what to do at start-up (or when another copy
// forwards its arguments) and with which files.
#include <QString>
#include <QStringList>

struct CommandLineInfo {
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileNothing };

    ShellCommand shellCommand = FileNew;
    QStringList fileNames;  // every file parameter, in order
    QString fileName;       // the current (last) file parameter
    QString printerName;    // "/pt FILE PRINTER DRIVER PORT"
    QString driverName;
    QString portName;

    // One token. A flag arrives without its leading "/" or "-".
    void ParseParam(const QString& param, bool flag, bool last);

    // Parses the process's arguments after the program name.
    static CommandLineInfo Parse(const QStringList& arguments);

    // Decides whether a token is a flag, and gives the flag without its
    // leading character. A "-" always starts a flag. A "/" starts an absolute
    // path on this platform, so it starts a flag only for the flags this
    // program knows ("/p", "/pt"); "/home/me/file.bin" stays a file name.
    static bool SplitFlag(const QString& token, QString* flag);

private:
    void ParseFlag(const QString& flag);
    void ParseNotFlag(const QString& param);
    void ParseLast();
};
