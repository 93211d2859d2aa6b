#include "TransferDialogs.h"

#include "furniture/FileFilters.h"

FileRequest TransferFileRequest(TransferDialog which, const QString& fileFilters)
{
    const bool copying = which == TransferDialog::CopyToFile;
    FileRequest request;
    request.kind = copying ? FileChoice::Save : FileChoice::Open;
    request.title = copying ? QStringLiteral("Copy to File") : QStringLiteral("Paste from File");
    request.nameFilters = QtNameFilters(fileFilters);
    return request;
}
