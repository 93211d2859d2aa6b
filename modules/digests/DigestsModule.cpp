// Digests.vtx: modern message digests and the common CRC variants as
// checksum tasks, each reading the staged input once.
#include "CrcDigests.h"
#include "CryptoDigests.h"
#include "DigestReport.h"
#include "DigestRun.h"
#include "EvpDigests.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/FileHandle.h"
#include "modules/common/RegisterRecords.h"

#include <bit>
#include <new>

static_assert(std::endian::native == std::endian::little, "reports are written as UTF-16LE straight from memory");

namespace {

constexpr char16_t kDescription[] = u"Vantrel Digest Extensions\r\n"
                                    u"Version 1.00\r\n"
                                    u"Copyright (C) Kestrane. SHA-2, SHA-3, BLAKE2 and CRC variants.";

uint32_t WriteReport(const TaskArgs& args, const QString& text)
{
    FileHandle output;
    if (!output.Open(args.outputPath, FileHandle::CreateAlways, FileHandle::Write))
        return TASK_RESULT_WRITE_ERROR;
    if (!output.WriteBytes(text.utf16(), text.size() * qsizetype(sizeof(char16_t))) || !output.Close())
        return TASK_RESULT_WRITE_ERROR;
    return TASK_RESULT_SUCCESS;
}

// The digests whose report lines the host asked for (bit 0 the first line);
// a mask of 0 asks for all of them.
DigestList WantedDigests(DigestList digests, uint32_t mask)
{
    if (mask == 0)
        return digests;
    DigestList wanted;
    for (size_t line = 0; line < digests.size() && line < 32; ++line)
        if (mask & (1u << line))
            wanted.push_back(std::move(digests[line]));
    return wanted;
}

uint32_t RunDigestTask(const TaskArgs& args, QStringView title, DigestList all)
{
    const DigestList digests = WantedDigests(std::move(all), args.reportLines);
    // Create the output first so a folder that cannot take it fails before
    // the whole input has been read.
    FileHandle probe;
    if (!probe.Open(args.outputPath, FileHandle::CreateAlways, FileHandle::Write))
        return TASK_RESULT_WRITE_ERROR;
    probe.Close();
    uint64_t length = 0;
    const QString inputPath = args.inputPath ? QString::fromUtf16(args.inputPath) : QString();
    if (const uint32_t result = DigestFile(inputPath, digests, length))
        return result;
    const QStringView fileName = args.fileName ? QStringView(args.fileName) : QStringView();
    return WriteReport(args, DigestReportText(title, fileName, VantrelTaskOffset(&args), length, digests));
}

// Nothing may be thrown across the module boundary.
template <typename MakeDigests>
uint32_t Guarded(const TaskArgs* args, QStringView title, MakeDigests makeDigests)
{
    if (!args)
        return TASK_RESULT_READ_ERROR;
    try {
        return RunDigestTask(*args, title, makeDigests());
    } catch (const std::bad_alloc&) {
        return TASK_RESULT_OUT_OF_MEMORY;
    } catch (...) {
        return 1; // the host reports an unknown error
    }
}

template <typename... Factory>
DigestList ListOf(Factory... factories)
{
    DigestList list;
    (list.push_back(factories()), ...);
    return list;
}

uint32_t Sha2Task(const TaskArgs* args)
{
    using namespace digests;
    return Guarded(args, u"SHA-2 Checksums", [] { return ListOf(Sha224, Sha256, Sha384, Sha512); });
}

uint32_t Sha3Task(const TaskArgs* args)
{
    using namespace digests;
    return Guarded(args, u"SHA-3 Checksums", [] { return ListOf(Sha3_256, Sha3_512); });
}

uint32_t Blake2Task(const TaskArgs* args)
{
    using namespace digests;
    return Guarded(args, u"BLAKE2 Checksums", [] { return ListOf(Blake2b512, Blake2s256); });
}

uint32_t CrcVariantsTask(const TaskArgs* args)
{
    using namespace digests;
    return Guarded(args, u"CRC Variants",
                   [] { return ListOf(Crc32C, Crc16CcittFalse, Crc16Arc, Crc64Xz, Adler32); });
}

const TaskRecord kRecords[] = {
    {TASK_CHECKSUM, u"SHA-2 Checksums", u"Compute SHA-224, SHA-256, SHA-384 and SHA-512 secure-hash-algorithm checksums",
     nullptr, Sha2Task, 0},
    {TASK_CHECKSUM, u"SHA-3 Checksums", u"Compute SHA3-256 and SHA3-512 secure-hash-algorithm checksums", nullptr,
     Sha3Task, 0},
    {TASK_CHECKSUM, u"BLAKE2 Checksums", u"Compute BLAKE2b-512 and BLAKE2s-256 checksums", nullptr, Blake2Task, 0},
    {TASK_CHECKSUM, u"CRC Variants", u"Compute CRC-32C, CRC-16/CCITT-FALSE, CRC-16/ARC, CRC-64/XZ and Adler-32 checksums",
     nullptr, CrcVariantsTask, 0},
};

} // namespace

extern "C" VANTREL_EXPORT void VantrelExtension(void* hostContext, RegisterProc registerProc,
                                                const char16_t** description)
{
    RegisterRecords(hostContext, registerProc, description, kDescription, kRecords);
}

// Every task reads its offset through VantrelTaskOffset, so it works at any offset.
extern "C" VANTREL_EXPORT uint32_t VantrelExtensionFeatures(void) { return VANTREL_FEATURE_OFFSET64; }
