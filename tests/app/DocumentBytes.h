#pragma once
// Every byte of a document, as the window tests compare them with files.
#include "core/BinEditDoc.h"
#include "core/BufferPos.h"

#include <QByteArray>

inline QByteArray DocumentBytes(const CBinEditDoc& document)
{
    QByteArray bytes(document.Size(), '\0');
    CBufferPos at;
    at.Bind(const_cast<CFileBuffer*>(&document.Buffer()), false, 0);
    at.Read(bytes.data(), document.Size());
    at.Unbind();
    return bytes;
}
