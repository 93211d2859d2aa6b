#pragma once
// The persisted state of the Find and Replace dialogs: one page record for
// the find side and one for the replacement side, plus the match-case box.
// The settings record keeps them as flat keys; this gathers them per side.
#include <QByteArray>
#include <QString>

struct AppSettings;

// Which page of a find or replace tab control is active.
enum FindPage : int {
    FIND_PAGE_TEXT = 0,
    FIND_PAGE_VALUE = 1,
    FIND_PAGE_DATA = 2,
};

struct FindPageSettings {
    int type = FIND_PAGE_TEXT;
    QString text;
    bool unicode = false;
    bool textBigEndian = false;
    QString value = QStringLiteral("0");
    int valueType = 0;
    bool valueBigEndian = false;
    QByteArray data;
    bool hexCol = true;

    bool operator==(const FindPageSettings&) const = default;
};

struct FindSettings {
    FindPageSettings find;
    FindPageSettings replace;
    bool matchCase = false;

    static FindSettings Load(const AppSettings& settings);
    void Store(AppSettings& settings) const;

    bool operator==(const FindSettings&) const = default;
};
