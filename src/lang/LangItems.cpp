#include "lang/Locale.h"

#include "core/MdiForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>

namespace {

// What a label without a buddy shows of a caption with access-key markers:
// "&&" is one "&", a single "&" only marks the next letter.
QString withoutAccessKeys(const QString &caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&')) {
                shown.append(c);
                ++i;
            }
            continue;
        }
        shown.append(c);
    }
    return shown;
}

LangItem makeItem(QObject *target, LangItem::Property property, int entry, const char *section,
                  const LangKey &key, int id)
{
    LangItem item;
    item.target = target;
    item.property = property;
    item.entry = entry;
    item.section = QString::fromLatin1(section);
    item.key = key.text;
    item.id = id;
    return item;
}

} // namespace

LangItem LangItem::caption(QObject *target, const char *section, const LangKey &key, int id)
{
    return makeItem(target, Caption, 0, section, key, id);
}

LangItem LangItem::toolTip(QObject *target, const char *section, const LangKey &key, int id)
{
    return makeItem(target, ToolTip, 0, section, key, id);
}

LangItem LangItem::listEntry(QComboBox *box, int entry, const char *section, const LangKey &key, int id)
{
    return makeItem(box, ListEntry, entry, section, key, id);
}

void ApplyLangItems(const LangReader &lang, const QList<LangItem> &items)
{
    for (const LangItem &item : items) {
        if (!item.target)
            continue;
        const QString text = lang.text(item.section, item.key, item.id);
        switch (item.property) {
        case LangItem::Caption:
            SetLangCaption(item.target, text);
            break;
        case LangItem::ToolTip:
            SetLangToolTip(item.target, text);
            break;
        case LangItem::ListEntry:
            SetLangListEntry(qobject_cast<QComboBox *>(item.target), item.entry, text);
            break;
        }
    }
}

void SetLangCaption(QObject *target, const QString &text)
{
    if (auto *menu = qobject_cast<QMenu *>(target))
        menu->setTitle(text);
    else if (auto *action = qobject_cast<QAction *>(target))
        action->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(target))
        button->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(target))
        group->setTitle(text);
    else if (auto *label = qobject_cast<QLabel *>(target))
        label->setText(label->buddy() ? text : withoutAccessKeys(text));
    else if (auto *form = qobject_cast<MdiForm *>(target))
        form->setCaption(text);
    else if (auto *widget = qobject_cast<QWidget *>(target))
        widget->setWindowTitle(text);
}

void SetLangToolTip(QObject *target, const QString &text)
{
    if (auto *action = qobject_cast<QAction *>(target))
        action->setToolTip(text);
    else if (auto *widget = qobject_cast<QWidget *>(target))
        widget->setToolTip(text);
}

void SetLangListEntry(QComboBox *box, int entry, const QString &text)
{
    // The entries of a fixed list stand for values by their position; a new
    // language only renames them and must not look like a user's choice.
    if (!box || entry < 0 || entry >= box->count())
        return;
    const int selected = box->currentIndex();
    const QSignalBlocker blocker(box);
    box->setItemText(entry, text);
    if (box->currentIndex() != selected)
        box->setCurrentIndex(selected);
}
