#include "tools/ShortPathName.h"

#include <gtest/gtest.h>

TEST(ShortPathName, RelativeInsideTheCurrentDirectoryElseShortenedAfterTheRoot)
{
    const QString cwd = QStringLiteral("/home/ann/work");
    const std::vector<std::pair<QString, QString>> cases = {
        {"/home/ann/work/data.bin", "data.bin"},
        {"/HOME/Ann/work/sub/data.bin", "sub/data.bin"},
        {"/home/ann/workshop/data.bin", "/home/ann/workshop/data.bin"},
        {"/srv/a.bin", "/srv/a.bin"},
        {"/exactly/fifty/characters/long/path/abcdefghij.bin", "/exactly/fifty/characters/long/path/abcdefghij.bin"},
        {"/one/two/three/four/five/six/seven/eight/nine/file.bin", "/.../three/four/five/six/seven/eight/nine/file.bin"},
        {"/a/" + QString(60, 'n') + ".bin", "/.../" + QString(60, 'n') + ".bin"},
    };
    for (const auto& [path, shown] : cases) {
        EXPECT_EQ(ShortPathName(path, cwd), shown) << path.toStdString();
        EXPECT_LE(ShortPathName(path, cwd).size(), std::max<qsizetype>(50, shown.size()));
    }
}
