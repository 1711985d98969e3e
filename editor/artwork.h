#pragma once
// The program's pictures, painted at start-up: one icon per tab, the warning and error
// icons of the issue lists, the magnifier of the filters, the logo and the About picture.

#include <QIcon>
#include <QPixmap>

enum class TabPicture { kGeneral, kNodes, kSignals, kFrames, kScheduleTables, kEncodings, kLdfFile, kAbout };

QIcon TabIcon(TabPicture picture);
QIcon WarningIcon();
QIcon ErrorIcon();
QIcon MagnifierIcon();
QPixmap LogoPicture(int height);
