#include "PropertyStore.h"

namespace ztklink {

std::optional<QVariant> MemoryPropertyStore::read(const QString& key) const {
    const auto it = values.constFind(key);
    if (it == values.constEnd()) return std::nullopt;
    return *it;
}

void MemoryPropertyStore::write(const QString& key, const QVariant& value,
                                const QVariant& savingDefault) {
    writeOrder << key;
    if (savingDefault.isValid() && savingDefault == value) {
        values.remove(key);
        return;
    }
    values.insert(key, value);
}

}  // namespace ztklink
