#include "widgets/BandedStyle.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QtTest>

#include <memory>

// The banded style draws what its base style draws, pixel for pixel.
class tst_BandedStyle : public QObject
{
    Q_OBJECT

    // What draw paints with the base style alone and with the banded style.
    template <typename Draw> static void compare(const QString &base, Draw draw)
    {
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(base));
        BandedStyle banded(QStyleFactory::create(base));
        const QImage expected = draw(plain.get());
        QCOMPARE(draw(&banded), expected);
    }

private slots:
    // Tall and long scroll bars, and frames around lists, whose opaque views
    // leave the painting a clip that is not a rectangle.
    void window_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<int>("value"); // the scroll bars' position, of 0..300
        QTest::addColumn<QRect>("part"); // what is drawn; empty: everything
        QTest::addColumn<int>("scale"); // device pixels a pixel
        // clang-format off
        QTest::newRow("bars at the start") << "Fusion"  << 0   << QRect()                 << 1;
        QTest::newRow("bars in between")   << "Fusion"  << 137 << QRect()                 << 1;
        QTest::newRow("bars at the end")   << "Fusion"  << 300 << QRect()                 << 1;
        QTest::newRow("a part drawn")      << "Fusion"  << 137 << QRect(5, 130, 420, 300) << 1;
        QTest::newRow("scaled")            << "Fusion"  << 137 << QRect()                 << 2;
        QTest::newRow("another style")     << "Windows" << 137 << QRect()                 << 1;
        // clang-format on
    }

    void window()
    {
        QFETCH(QString, base);
        QFETCH(int, value);
        QFETCH(QRect, part);
        QFETCH(int, scale);
        QWidget host;
        host.resize(1040, 720);
        QList<QWidget *> styled { new QScrollBar(Qt::Vertical, &host), new QScrollBar(Qt::Horizontal, &host) };
        styled[0]->setGeometry(1010, 5, 17, 689);
        styled[1]->setGeometry(5, 698, 1000, 17);
        for (QWidget *widget : styled) {
            auto *bar = static_cast<QScrollBar *>(widget);
            bar->setRange(0, 300);
            bar->setPageStep(400);
            bar->setValue(value);
        }
        for (int box = 0; box < 3; ++box) {
            auto *frame = new QGroupBox(box == 1 ? QString() : QStringLiteral("Buttons"), &host);
            frame->setGeometry(5 + 320 * box, 5, 300, 150 + 100 * box);
            (new QListWidget(frame))->setGeometry(10, 25, 200, 100 + 80 * box);
            styled << frame;
        }
        host.show();
        compare(base, [&](QStyle *style) {
            for (QWidget *widget : styled)
                widget->setStyle(style);
            QImage image(host.size() * scale, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::white);
            host.render(&image, QPoint(), part.isEmpty() ? QRegion() : QRegion(part));
            return image;
        });
    }

    // Painters that blend otherwise than the style's own drawing, or that do
    // not map pixels onto whole pixels, get the whole drawing.
    void otherPainters_data()
    {
        QTest::addColumn<double>("opacity");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPointF>("shift");
        const int over = QPainter::CompositionMode_SourceOver;
        // clang-format off
        QTest::newRow("see-through")  << 0.5 << over                                    << QPointF();
        QTest::newRow("multiplying")  << 1.0 << int(QPainter::CompositionMode_Multiply) << QPointF();
        QTest::newRow("half a pixel") << 1.0 << over                                    << QPointF(0, 0.5);
        // clang-format on
    }

    void otherPainters()
    {
        QFETCH(double, opacity);
        QFETCH(int, mode);
        QFETCH(QPointF, shift);
        QScrollBar bar(Qt::Vertical);
        bar.resize(17, 689);
        QStyleOptionSlider option;
        option.initFrom(&bar);
        option.subControls = QStyle::SC_All;
        option.maximum = 300;
        option.pageStep = 400;
        option.sliderPosition = option.sliderValue = 137;
        compare(QStringLiteral("Fusion"), [&](QStyle *style) {
            QImage image(bar.size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::darkCyan);
            QPainter painter(&image);
            painter.setOpacity(opacity);
            painter.setCompositionMode(QPainter::CompositionMode(mode));
            painter.translate(shift);
            style->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, &bar);
            return image;
        });
    }
};

QTEST_MAIN(tst_BandedStyle)
#include "tst_BandedStyle.moc"
