#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>

#include <algorithm>

// The skin the benchmarks open.
namespace bench {

// Writes a window skin into folder (ending in "/"): a shaped 1280 x 720 main
// image, that many shaped buttons of 32 x 32 pixels, every display text and both
// bars. Returns the paths of its image files.
inline QStringList writeSkin(const QString &folder, int buttons)
{
    QStringList images;
    auto save = [&](const QImage &image, const QString &name) {
        image.save(folder + name, "BMP");
        images << folder + name;
    };
    QImage main(1280, 720, QImage::Format_RGB32);
    main.fill(Qt::magenta);
    for (int y = 2; y < 718; ++y)
        std::fill_n(reinterpret_cast<QRgb *>(main.scanLine(y)) + 2, 1276, qRgb(0, 0, 139));
    save(main, QStringLiteral("Main.bmp"));
    QImage button(32, 32, QImage::Format_RGB32);
    button.fill(Qt::magenta);
    for (int y = 4; y < 28; ++y)
        for (int x = 4; x < 28; ++x)
            button.setPixel(x, y, qRgb(x * 8, y * 8, 40));
    QImage bar(200, 12, QImage::Format_RGB32);
    bar.fill(Qt::gray);
    save(bar, QStringLiteral("trk.bmp"));
    save(button, QStringLiteral("volN.bmp"));

    QByteArray ini = "[Tovix.Skin]\r\nVersion=1.00\r\n\r\n[Settings]\r\nSkinType=0\r\nMainImg=Main.bmp\r\n"
                     "MainAnySape=1\r\nExt=.bmp\r\n\r\n[Buttons]\r\nNumber="
        + QByteArray::number(buttons) + "\r\n";
    for (int i = 1; i <= buttons; ++i) {
        save(button, QStringLiteral("B%1N.bmp").arg(i));
        ini += "Btn" + QByteArray::number(i) + "=B" + QByteArray::number(i) + ","
            + QByteArray::number(i % 1240) + "," + QByteArray::number((i / 40) % 680) + ",1,"
            + QByteArray::number(i % 123) + ";Text, with; marks\r\n";
    }
    ini += "\r\n[Display]\r\n";
    for (const char *key : { "Version", "Title", "MovInfo", "MovTimeLen", "sRepeat", "Subs", "Status" })
        ini += QByteArray(key) + "=10,20;Arial,8,B;FFFFFF\r\n";
    ini += "MaxTitleWidth=200\r\nSubsMaxWidth=300\r\n\r\n"
           "[TrackBar]\r\nPosSize=10,700,200,12\r\nKind=HB\r\nBitmap=trk.bmp\r\n\r\n"
           "[Volume]\r\nPosSize=300,700,100,12\r\nKind=HBtn\r\nButtonImg=vol\r\n\r\n"
           "[GUI]\r\nMenuBackClr=112233\r\n\r\n[Text]\r\nAuthor=Bench\r\nURL=\r\nDescription=Bench\r\n\r\n";
    QFile file(folder + QStringLiteral("Skin.ini"));
    file.open(QIODevice::WriteOnly);
    file.write(ini);
    return images;
}

} // namespace bench
