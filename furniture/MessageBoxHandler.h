#pragma once
// The real message box behind platform::ShowMessage: a QMessageBox over the
// active window. Installed once at start-up by the program; tests install
// their recorder instead, and VANTREL_MESSAGE_LOG sends them to a file.
#include "platform/MessageBox.h"

platform::MsgResult ShowMessageBox(const platform::Message& message);
void InstallMessageBoxHandler();
