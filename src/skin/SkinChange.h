#pragma once

#include <QObject>

// The modified mark of the open skin: gSkinChanged, which the preview shows as
// one "*" before its caption.

// Sets gSkinChanged and reports it.
void SetSkinChanged();

// Clears gSkinChanged and reports it.
void ClearSkinChanged();

// Reports every setting and clearing of the mark (also a repeated one), for the
// window that shows it.
class SkinChangeEvents : public QObject
{
    Q_OBJECT

public:
    static SkinChangeEvents &instance();

signals:
    void markChanged(bool changed);
};
