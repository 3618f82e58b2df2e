#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <optional>

#include "ztklink_export.h"

namespace ztklink {

// Where a host keeps a control's settings between runs.
class ZTKLINK_EXPORT PropertyStore {
public:
    virtual ~PropertyStore() = default;
    // The stored value, or nullopt when the key is absent.
    virtual std::optional<QVariant> read(const QString& key) const = 0;
    // Stores a value. `savingDefault`, when valid, lets the store omit a value equal to it.
    virtual void write(const QString& key, const QVariant& value, const QVariant& savingDefault) = 0;
};

// A property store in memory that omits values equal to their saving default.
class ZTKLINK_EXPORT MemoryPropertyStore : public PropertyStore {
public:
    std::optional<QVariant> read(const QString& key) const override;
    void write(const QString& key, const QVariant& value, const QVariant& savingDefault) override;

    QVariantMap values;
    QStringList writeOrder;  // keys in the order they were written, omitted ones included
};

}  // namespace ztklink
