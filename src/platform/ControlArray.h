#pragma once

#include <QPointer>
#include <QString>

#include <functional>
#include <map>

// A control array: widgets (or actions) addressed by index, loaded and unloaded
// at run time. Element i is named "<name>_<i>".
template <typename T> class ControlArray
{
public:
    using Factory = std::function<T *(int index)>;

    ControlArray() = default;
    ControlArray(const QString &name, Factory factory)
        : m_name(name)
        , m_factory(std::move(factory))
    {
    }

    void setFactory(const QString &name, Factory factory)
    {
        m_name = name;
        m_factory = std::move(factory);
    }

    // Creates element index (error 360 in the design when it exists: returns it).
    T *load(int index)
    {
        if (T *existing = at(index))
            return existing;
        T *item = m_factory(index);
        item->setObjectName(m_name + QLatin1Char('_') + QString::number(index));
        m_items[index] = item;
        return item;
    }

    // Adds an existing control as element index.
    void insert(int index, T *item)
    {
        item->setObjectName(m_name + QLatin1Char('_') + QString::number(index));
        m_items[index] = item;
    }

    void unload(int index)
    {
        auto it = m_items.find(index);
        if (it == m_items.end())
            return;
        if (it->second)
            delete it->second.data();
        m_items.erase(it);
    }

    T *at(int index) const
    {
        auto it = m_items.find(index);
        return it == m_items.end() ? nullptr : it->second.data();
    }
    T *operator[](int index) const { return at(index); }

    bool contains(int index) const { return at(index) != nullptr; }
    int count() const
    {
        int n = 0;
        for (const auto &[index, item] : m_items)
            if (item)
                ++n;
        return n;
    }
    int lBound() const { return m_items.empty() ? 0 : m_items.begin()->first; }
    int uBound() const { return m_items.empty() ? -1 : m_items.rbegin()->first; }
    const QString &name() const { return m_name; }

private:
    QString m_name;
    Factory m_factory;
    std::map<int, QPointer<T>> m_items;
};
