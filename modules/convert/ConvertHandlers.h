#pragma once
// The task handlers of Convert.vtx. Every one streams: it converts its input
// chunk by chunk in constant memory.
#include "ext/interface/VantrelExtension.h"

uint32_t UpperCaseTask(const TaskArgs* args);
uint32_t LowerCaseTask(const TaskArgs* args);
uint32_t ToggleCaseTask(const TaskArgs* args);
uint32_t AnsiToUnicodeTask(const TaskArgs* args);
uint32_t UnicodeToAnsiTask(const TaskArgs* args);
uint32_t DosToUnixTask(const TaskArgs* args);
uint32_t UnixToDosTask(const TaskArgs* args);

uint32_t Base64EncodeTask(const TaskArgs* args);
uint32_t Base64DecodeTask(const TaskArgs* args);
uint32_t UuencodeTask(const TaskArgs* args);
uint32_t UudecodeTask(const TaskArgs* args);
