#include "editors/ToolWindowLayout.h"

#include "widgets/MdiForm.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace {

// The tooltip showWholeTexts gave a control, and the control's own one beneath it.
constexpr const char *WholeTextTip = "wholeTextToolTip";
constexpr const char *OwnTip = "ownToolTip";

void fitOpenList(QComboBox *box)
{
    QAbstractItemView *view = box->view();
    int widest = 0;
    for (int entry = 0; entry < box->count(); ++entry) {
        // The list's own painter says what an entry needs around its text.
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.font = view->font();
        option.rect = QRect(QPoint(), view->fontMetrics().size(Qt::TextSingleLine, box->itemText(entry)));
        const QModelIndex index = box->model()->index(entry, box->modelColumn(), box->rootModelIndex());
        widest = std::max(widest, view->itemDelegate()->sizeHint(option, index).width());
    }
    if (box->count() > box->maxVisibleItems() && view->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        widest += view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view->verticalScrollBar());
    view->setMinimumWidth(widest + 2 * view->frameWidth());
}

// A drop-down list whose open list is at least as wide as its longest entry.
// The entries are measured when the list opens, and only when they or the font
// changed since it last opened: a window's load and its texts measure nothing.
class WideOpenList : public QComboBox
{
public:
    explicit WideOpenList(QWidget *parent)
        : QComboBox(parent)
    {
        const auto changed = [this] { m_fitted = false; };
        connect(model(), &QAbstractItemModel::dataChanged, this, changed);
        connect(model(), &QAbstractItemModel::rowsInserted, this, changed);
        connect(model(), &QAbstractItemModel::rowsRemoved, this, changed);
        connect(model(), &QAbstractItemModel::modelReset, this, changed);
    }

    void showPopup() override
    {
        if (!m_fitted) {
            fitOpenList(this);
            m_fitted = true;
        }
        QComboBox::showPopup();
    }

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            m_fitted = false;
        QComboBox::changeEvent(event);
    }

private:
    bool m_fitted = false;
};

// A caption without its access-key markers: "&&" is one "&", "&x" is "x".
QString plainCaption(QString caption)
{
    caption.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

// Whether a one-line label's text, as it shows, clearly fits: its width with
// the label's margins and a few pixels to spare (the size hint rounds the laid
// out text up) is less than the label's. That is a tenth of the work of the
// label's own size hint, which lays the text out three times; a text that may
// not fit is left to the size hint.
bool clearlyFits(const QLabel *label, const QString &shown)
{
    if (label->frameWidth() > 0 || label->indent() > 0 || Qt::mightBeRichText(shown))
        return false;
    if (std::any_of(shown.begin(), shown.end(), [](QChar c) { return c.unicode() < 0x20; }))
        return false;
    const QMargins margins = label->contentsMargins();
    const int spare = margins.left() + margins.right() + 2 * label->margin() + 4;
    return label->fontMetrics().horizontalAdvance(shown) + spare < label->width();
}

// The whole caption of a control that cuts it off, else "".
QString cutCaption(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        // A label without a buddy shows its markers' meaning already.
        const QString shown = label->buddy() ? plainCaption(label->text()) : label->text();
        const bool cut = label->wordWrap()
            ? label->heightForWidth(label->width()) > label->height()
            : !clearlyFits(label, shown) && label->sizeHint().width() > label->width();
        return cut ? shown : QString();
    }
    if (qobject_cast<const QCheckBox *>(control) || qobject_cast<const QRadioButton *>(control)) {
        const auto *button = static_cast<const QAbstractButton *>(control);
        return button->sizeHint().width() > button->width() ? plainCaption(button->text()) : QString();
    }
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        // The text stands centred between the button's frame and margins.
        const QString text = plainCaption(button->text());
        return button->fontMetrics().horizontalAdvance(text) + 8 > button->width() ? text : QString();
    }
    return QString();
}

void showWholeCaption(QWidget *control)
{
    const QString current = control->toolTip();
    const bool ours = !current.isEmpty() && control->property(WholeTextTip).toString() == current;
    const QString own = ours ? control->property(OwnTip).toString() : current;
    const QString whole = cutCaption(control);
    QString tip = own;
    if (!whole.isEmpty())
        tip = own.isEmpty() ? whole : whole + QLatin1Char('\n') + own;
    // A property set anew is an event to the control: only changes are set.
    for (const auto &[name, value] : { std::pair(OwnTip, own), std::pair(WholeTextTip, tip) }) {
        if (control->property(name).toString() != value)
            control->setProperty(name, value);
    }
    if (tip != current)
        control->setToolTip(tip);
}

} // namespace

QComboBox *makeList(QWidget *parent, const QString &name, const QRect &geometry)
{
    return makeControl<WideOpenList>(parent, name, geometry);
}

QComboBox *makeFixedList(QWidget *parent, const QString &name, const QRect &geometry, int entries)
{
    QComboBox *list = makeList(parent, name, geometry);
    const QSignalBlocker quiet(list);
    for (int entry = 0; entry < entries; ++entry)
        list->addItem(QString());
    list->setCurrentIndex(-1);
    return list;
}

void setClientSize(QWidget *window, int widthTwips, int heightTwips)
{
    const QSize client = twipsRect(0, 0, widthTwips, heightTwips).size();
    window->setMinimumSize(client);
    window->resize(client);
}

void placeToolWindow(MdiForm *form, int left, int top, int width)
{
    const int clientHeight = form->height();
    // A title and a close box; the frame is made so the first time.
    form->setFrameFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QWidget *frame = form->frame();
    const QMargins borders = frame == form ? QMargins() : frame->contentsMargins();
    form->moveFrame(left, top);
    form->resizeFrame(width, clientHeight + borders.top() + borders.bottom());
    if (frame != form)
        frame->setFixedSize(frame->size());
}

void showWholeTexts(QWidget *window)
{
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (qobject_cast<QLabel *>(control) || qobject_cast<QAbstractButton *>(control))
            showWholeCaption(control);
    }
}
