#include "TestFiles.h"
#include <QFile>
#include <algorithm>
#include <dirent.h>

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
