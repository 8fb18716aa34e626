#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

// The design-time properties of one control instance, as its container saves them
// with its layout: values under string keys, each with a default. A value equal to
// its default is not stored, so a bag holds only what differs from the defaults.
class PropertyBag final
{
public:
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue) const
    {
        return m_values.value(name, defaultValue);
    }
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue)
    {
        if (value == defaultValue)
            m_values.remove(name);
        else
            m_values.insert(name, value);
    }

    bool contains(const QString &name) const { return m_values.contains(name); }
    const QVariantMap &values() const { return m_values; }

private:
    QVariantMap m_values;
};
