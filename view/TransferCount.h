#pragma once
// How many bytes a paste or drop takes from plain-text data: the count in the
// program's length block when there is one and it is not 0, else the text up
// to its first zero byte; never more than the text holds.
#include <QByteArray>
#include <cstdint>
#include <optional>

int64_t TransferByteCount(const QByteArray& text, std::optional<int64_t> lengthBlock);
