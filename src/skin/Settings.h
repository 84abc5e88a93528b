#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>

// The program's own settings file: one section "[Settings]" written whole at
// shut-down and read back key by key at start-up. These rules need no window.
struct SettingsRecord {
    int State = 0; // 0 normal, 1 minimised, 2 maximised
    int XPos = 0; // window position and size in pixels
    int YPos = 0;
    int Width = 0;
    int Height = 0;
    QString CustomPalette;
    QString LastSkinPath;
    QString LangPath;
    QString LangFile;
    QString Language;
    int32_t BackColor = -1; // written as BackColor + 1, so that a missing key reads as -1

    // The window's placement as it is written: the place it returns to when
    // restored, with the state 2 while it is maximised and 0 otherwise (a
    // minimised window is remembered as a normal one).
    void setWindow(bool minimised, bool maximised, const QRect &normalPlace);
};

// "<settings folder>/TVX_Morvane.ini".
QString SettingsFilePath();

// Reads every key of the file with ReadIni; a missing key reads as "" (0 for numbers).
SettingsRecord ReadSettings(const QString &fileName);

// The twelve lines of the file, in order, without line ends.
QStringList SettingsLines(const SettingsRecord &settings);
