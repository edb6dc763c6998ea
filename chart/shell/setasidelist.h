#pragma once
// The charts the user set aside during this run: the name shown and the file
// it came from, kept together. Not saved.

#include <QString>
#include <QStringList>
#include <vector>

namespace velorin {

class SetAsideList {
public:
    struct Entry {
        QString name;
        QString path;
    };

    // The same chart may be set aside more than once.
    void add(const QString& name, const QString& path) { m_entries.push_back({name, path}); }
    int size() const { return int(m_entries.size()); }
    // The entry at row, or nullptr outside the list.
    const Entry* at(int row) const {
        return row >= 0 && row < size() ? &m_entries[size_t(row)] : nullptr;
    }

private:
    std::vector<Entry> m_entries;
};

} // namespace velorin
