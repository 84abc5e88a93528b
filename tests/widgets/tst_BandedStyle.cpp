#include "widgets/BandedStyle.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPaintEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QtTest>

#include <memory>

// The banded style draws what its base style draws, pixel for pixel, and gives
// the icons it gives.
class tst_BandedStyle : public QObject
{
    Q_OBJECT

    // A scroll bar that draws itself in the left 17 pixels of its place, with
    // a painter set up as asked.
    struct Painted : QScrollBar {
        using QScrollBar::QScrollBar;
        int mode = QPainter::CompositionMode_SourceOver;
        QTransform transform;
        QRect window; // the painter's window, when set
        double opacity = 1;
        void paintEvent(QPaintEvent *) override
        {
            QPainter painter(this);
            painter.setCompositionMode(QPainter::CompositionMode(mode));
            painter.setTransform(transform);
            if (window.isValid())
                painter.setWindow(window);
            painter.setOpacity(opacity);
            QStyleOptionSlider option;
            initStyleOption(&option);
            option.subControls = QStyle::SC_All;
            option.rect.setWidth(17);
            style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
        }
    };

    // Another style: Fusion with see-through scroll bars, which do not cover
    // their place first, and with frames that set a clip of their own.
    struct Unlike : QProxyStyle {
        Unlike()
            : QProxyStyle(QStringLiteral("Fusion"))
        {
        }
        void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
            const QWidget *widget) const override
        {
            painter->save();
            painter->setOpacity(control == CC_ScrollBar ? 0.5 : 1);
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            painter->restore();
        }
        void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
            const QWidget *widget) const override
        {
            painter->save();
            painter->setClipping(false);
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            painter->restore();
        }
    };

private slots:
    void drawsAsItsBase_data()
    {
        QTest::addColumn<QString>("base"); // "": Unlike
        QTest::addColumn<int>("value"); // the scroll bars' position, of 0..300
        QTest::addColumn<QRect>("part"); // what is drawn; empty: everything
        QTest::addColumn<double>("scale"); // device pixels a pixel
        QTest::addColumn<int>("mode"); // Painted's painter's
        QTest::addColumn<QTransform>("transform");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<double>("opacity");
        const int over = QPainter::CompositionMode_SourceOver;
        const QTransform none;
        // clang-format off
        QTest::newRow("bars at the start") << "Fusion" << 0   << QRect()                 << 1.0 << over << none << QRect() << 1.0;
        QTest::newRow("bars in between")   << "Fusion" << 137 << QRect()                 << 1.0 << over << none << QRect() << 1.0;
        QTest::newRow("bars at the end")   << "Fusion" << 300 << QRect()                 << 1.0 << over << none << QRect() << 1.0;
        QTest::newRow("a piece by the slider") << "Fusion" << 57 << QRect()              << 1.0 << over << none << QRect() << 1.0;
        QTest::newRow("a piece at the slider's end") << "Fusion" << 24 << QRect()        << 1.0 << over << none << QRect() << 1.0;
        QTest::newRow("a part drawn")      << "Fusion" << 137 << QRect(5, 130, 420, 300) << 1.0 << over << none << QRect() << 1.0;
        QTest::newRow("scaled")            << "Fusion" << 137 << QRect()                 << 2.0 << over << none << QRect() << 1.0;
        QTest::newRow("scaled a part")     << "Fusion" << 137 << QRect(5, 131, 421, 300) << 2.0 << over << none << QRect() << 1.0;
        QTest::newRow("scaled by halves")  << "Fusion" << 137 << QRect()                 << 1.5 << over << none << QRect() << 1.0;
        QTest::newRow("by the slider, by halves") << "Fusion" << 6 << QRect()            << 1.5 << over << none << QRect() << 1.0;
        QTest::newRow("scaled by quarters") << "Fusion" << 300 << QRect(5, 131, 421, 300) << 1.25 << over << none << QRect() << 1.0;
        QTest::newRow("a third off")       << "Fusion" << 137 << QRect() << 1.0 << over << QTransform::fromTranslate(0.3, 0.3) << QRect() << 1.0;
        QTest::newRow("halved")            << "Fusion" << 137 << QRect() << 1.0 << over << QTransform::fromScale(0.5, 0.5) << QRect() << 1.0;
        QTest::newRow("stretched")         << "Fusion" << 137 << QRect() << 1.0 << over << QTransform::fromScale(2, 1) << QRect() << 1.0;
        QTest::newRow("turned round")      << "Fusion" << 137 << QRect() << 1.0 << over << QTransform(-1, 0, 0, -1, 17, 689) << QRect() << 1.0;
        QTest::newRow("slanted")           << "Fusion" << 137 << QRect() << 1.0 << over << QTransform(1, 0, 0.02, 1, 0, 0) << QRect() << 1.0;
        QTest::newRow("through a window")  << "Fusion" << 137 << QRect() << 1.0 << over << none << QRect(-5, 0, 25, 689) << 1.0;
        QTest::newRow("multiplying")       << "Fusion" << 137 << QRect() << 1.0 << int(QPainter::CompositionMode_Multiply) << none << QRect() << 1.0;
        QTest::newRow("see-through")       << "Fusion" << 137 << QRect()                 << 1.0 << over << none << QRect() << 0.5;
        QTest::newRow("another style")     << ""       << 137 << QRect()                 << 1.0 << over << none << QRect() << 1.0;
        // clang-format on
    }

    void drawsAsItsBase()
    {
        QFETCH(QString, base);
        QFETCH(int, value);
        QFETCH(QRect, part);
        QFETCH(double, scale);
        // A tall, a long and a self-drawn scroll bar, and frames around lists
        // (whose opaque views leave the painting a clip that is not a
        // rectangle) and around nothing.
        QWidget host;
        host.resize(1060, 720);
        auto *painted = new Painted(Qt::Vertical, &host);
        QFETCH(int, mode);
        painted->mode = mode;
        QFETCH(QTransform, transform);
        painted->transform = transform;
        QFETCH(QRect, window);
        painted->window = window;
        QFETCH(double, opacity);
        painted->opacity = opacity;
        QList<QWidget *> styled { new QScrollBar(Qt::Vertical, &host), new QScrollBar(Qt::Horizontal, &host),
            painted };
        styled[0]->setGeometry(1010, 5, 17, 689);
        styled[1]->setGeometry(5, 698, 1000, 17);
        painted->setGeometry(1030, 5, 25, 689);
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
        // Without a title, a check box still takes the title's room.
        auto *checked = new QGroupBox(&host);
        checked->setCheckable(true);
        checked->setGeometry(5, 400, 300, 150);
        styled << checked;
        host.show();

        const auto render = [&](QStyle *style) {
            for (QWidget *widget : styled)
                widget->setStyle(style);
            QImage image(host.size() * scale, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::darkCyan);
            host.render(&image, QPoint(), part.isEmpty() ? QRegion() : QRegion(part));
            // And bars drawn straight onto the picture: one by no window, and
            // a tall and two wide ones (one without arrow buttons) as a window
            // paints them onto its own picture, in its pixel ratio under a
            // clip of device pixels.
            QStyleOptionSlider option;
            option.rect = QRect(0, 0, 17, 300);
            option.orientation = Qt::Vertical;
            QPainter painter(&image);
            style->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter);
            painter.end();
            const QRect wide(20, 310, 600, 17);
            const QRect bare(0, 330, 600, 17);
            option.rect = QRect(20, 0, 17, 300);
            image.paintEngine()->setSystemClip(
                QRegion(QRectF(option.rect.topLeft() * scale, option.rect.size() * scale).toAlignedRect())
                + QRectF(wide.topLeft() * scale, wide.size() * scale).toAlignedRect()
                + QRectF(bare.topLeft() * scale, bare.size() * scale).toAlignedRect());
            painter.begin(&image);
            option.maximum = 300;
            option.pageStep = 400;
            option.sliderPosition = value;
            style->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter);
            option.rect = wide;
            option.orientation = Qt::Horizontal;
            option.state |= QStyle::State_Horizontal;
            style->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter);
            // Styles place a bar's parts from the painter's origin.
            painter.translate(bare.topLeft());
            option.rect = QRect(QPoint(), bare.size());
            option.subControls = QStyle::SC_ScrollBarGroove | QStyle::SC_ScrollBarSlider;
            style->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter);
            painter.end();
            image.paintEngine()->setSystemClip(QRegion());
            return image;
        };
        const auto make
            = [&]() -> QStyle * { return base.isEmpty() ? new Unlike : QStyleFactory::create(base); };
        const std::unique_ptr<QStyle> plain(make());
        BandedStyle banded(make());
        const QImage expected = render(plain.get());
        QCOMPARE(render(&banded), expected);
    }

    // Each title bar icon is made once, as the base style makes it.
    void titleBarIconsAreKept()
    {
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
        BandedStyle banded(QStyleFactory::create(QStringLiteral("Fusion")));
        for (int icon = QStyle::SP_TitleBarMenuButton; icon <= QStyle::SP_TitleBarContextHelpButton; ++icon) {
            const auto which = QStyle::StandardPixmap(icon);
            const QIcon made = banded.standardIcon(which);
            QCOMPARE(banded.standardIcon(which).cacheKey(), made.cacheKey());
            QCOMPARE(made.pixmap(16).toImage(), plain->standardIcon(which).pixmap(16).toImage());
        }
    }
};

QTEST_MAIN(tst_BandedStyle)
#include "tst_BandedStyle.moc"
