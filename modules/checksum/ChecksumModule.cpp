// Checksum.vtx: four checksum tasks over the bytes the host staged.
#include "ChecksumTask.h"
#include "CryptoChecksums.h"
#include "SimpleSums.h"

#include <bit>
#include <new>
#include "modules/common/RegisterRecords.h"

static_assert(std::endian::native == std::endian::little, "reports are written as UTF-16LE straight from memory");

namespace {

constexpr char16_t kDescription[] = u"Vantrel Checksum Extensions\r\n"
                                    u"Version 1.00\r\n"
                                    u"Copyright (C) Kestrane. All rights reserved.";

// Nothing may be thrown across the module boundary.
template <typename MakeChecksums>
uint32_t GuardedRun(const TaskArgs* args, QStringView title, MakeChecksums makeChecksums)
{
    if (!args)
        return TASK_RESULT_READ_ERROR;
    try {
        const ChecksumList checksums = makeChecksums();
        return RunChecksumTask(*args, title, checksums);
    } catch (const std::bad_alloc&) {
        return TASK_RESULT_OUT_OF_MEMORY;
    } catch (...) {
        return 1; // the host reports an unknown error
    }
}

uint32_t SimpleChecksumsTask(const TaskArgs* args)
{
    return GuardedRun(args, u"Simple Checksums", [] {
        ChecksumList list;
        list.push_back(std::make_unique<SimpleSums>());
        return list;
    });
}

uint32_t CrcChecksumTask(const TaskArgs* args)
{
    return GuardedRun(args, u"Cyclic Redundancy Check Checksums", [] {
        ChecksumList list;
        list.push_back(std::make_unique<Crc32Checksum>());
        return list;
    });
}

uint32_t MdChecksumsTask(const TaskArgs* args)
{
    return GuardedRun(args, u"Message Digest Checksums", [] {
        ChecksumList list;
        list.push_back(DigestChecksum::Md2());
        list.push_back(DigestChecksum::Md4());
        list.push_back(DigestChecksum::Md5());
        return list;
    });
}

uint32_t Sha1ChecksumTask(const TaskArgs* args)
{
    return GuardedRun(args, u"SHA Checksums", [] {
        ChecksumList list;
        list.push_back(DigestChecksum::Sha1());
        return list;
    });
}

const TaskRecord kRecords[] = {
    {TASK_CHECKSUM, u"Simple Checksums", u"Compute 8, 16, 32, and 64-bit checksums", nullptr, SimpleChecksumsTask, 0},
    {TASK_CHECKSUM, u"CRC Checksum", u"Compute 32-bit cyclic-redundancy-check checksum", nullptr, CrcChecksumTask, 0},
    {TASK_CHECKSUM, u"MD Checksums", u"Compute MD2, MD4 and MD5 message-digest-hash-algorithm checksums", nullptr,
     MdChecksumsTask, 0},
    {TASK_CHECKSUM, u"SHA-1 Checksum", u"Compute SHA-1 secure-hash-algorithm checksum", nullptr, Sha1ChecksumTask, 0},
};

} // namespace

extern "C" VANTREL_EXPORT void VantrelExtension(void* hostContext, RegisterProc registerProc,
                                                const char16_t** description)
{
    RegisterRecords(hostContext, registerProc, description, kDescription, kRecords);
}

// Every task reads its offset through VantrelTaskOffset, so it works at any offset.
extern "C" VANTREL_EXPORT uint32_t VantrelExtensionFeatures(void) { return VANTREL_FEATURE_OFFSET64; }
