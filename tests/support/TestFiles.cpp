#include "TestFiles.h"
#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <random>
#include <stdexcept>

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

void WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void WriteSparseFile(const QString& path, int64_t size, const QList<QPair<int64_t, QByteArray>>& planted)
{
    QFile file(path);
    bool written = file.open(QIODevice::WriteOnly) && file.resize(size);
    for (const auto& [offset, bytes] : planted)
        written = written && file.seek(offset) && file.write(bytes) == bytes.size();
    if (!written)
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray RandomBytes(int count, unsigned seed)
{
    std::mt19937 rng(seed);
    QByteArray bytes(count, '\0');
    for (char& b : bytes)
        b = char(rng() & 0xFF);
    return bytes;
}

QList<QByteArray> RawFolderEntries(const QString& folder)
{
    QList<QByteArray> names;
    if (DIR* dir = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names << name;
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void WriteRawFile(const QByteArray& path, const QByteArray& bytes, unsigned mode)
{
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, mode);
    const bool written = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    if (fd >= 0)
        ::close(fd);
    if (!written || ::chmod(path.constData(), mode) != 0)
        throw std::runtime_error("cannot write " + path.toStdString());
}

std::optional<QByteArray> ReadRawFile(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return std::nullopt;
    QByteArray bytes;
    char piece[65536];
    for (ssize_t n; (n = ::read(fd, piece, sizeof piece)) > 0;)
        bytes.append(piece, n);
    ::close(fd);
    return bytes;
}
