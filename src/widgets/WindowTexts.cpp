#include "widgets/WindowTexts.h"

#include "widgets/MdiForm.h"

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

} // namespace

WindowTexts::WindowTexts(const LangReader &lang, const QString &section)
    : m_lang(lang)
    , m_section(section)
{
}

WindowTexts::WindowTexts(const LangReader &lang, const char *section)
    : m_lang(lang)
    , m_section(QString::fromLatin1(section))
{
}

QString WindowTexts::text(const Key &key, int id) const
{
    return m_lang.text(m_section, key.text, id);
}

void WindowTexts::caption(QObject *target, const Key &key, int id) const
{
    if (target)
        SetLangCaption(target, text(key, id));
}

void WindowTexts::toolTip(QObject *target, const Key &key, int id) const
{
    if (target)
        SetLangToolTip(target, text(key, id));
}

void WindowTexts::listEntry(QComboBox *box, int entry, const Key &key, int id) const
{
    if (box)
        SetLangListEntry(box, entry, text(key, id));
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
