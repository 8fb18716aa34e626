#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

// The design-time properties of one control instance, as saved with its container's
// layout: values under string keys, each read and written against its default. A value
// equal to its default is not stored, so a layout holds only what differs.
class PropertyBag final
{
public:
    PropertyBag() = default;
    explicit PropertyBag(QVariantMap values);

    QVariant ReadProperty(const QString &name, const QVariant &defaultValue) const;
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue);

    bool contains(const QString &name) const { return m_values.contains(name); }
    const QVariantMap &values() const { return m_values; }

private:
    QVariantMap m_values;
};
