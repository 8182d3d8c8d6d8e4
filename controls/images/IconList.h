#pragma once
// TIconList: a list of icons with change notification and batched updates,
// stored as a 32-bit count and, per icon, a 32-bit size and its icon file
// (size 0 for a missing or empty icon).

#include "controls/images/IconFile.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TIconList
{
public:
    TIconList() = default;
    Q_DISABLE_COPY(TIconList)
    ~TIconList() { OnListChange = nullptr; }

    std::function<void(TIconList &)> OnListChange;

    void LockUpdates();
    void UnlockUpdates();
    void Changed();

    int GetCount() const { return int(m_items.size()); }
    // The entry, or nullptr for a missing one.
    const TIcon *GetIcon(int index) const { return m_items.at(std::size_t(index)).get(); }
    int Add(const TIcon *icon);
    void Insert(int index, const TIcon *icon);
    // The same with the icon file held under a name in the program's Qt
    // resources (":/icons/app.ico"); a missing one adds an empty icon.
    int AddResource(const QString &name);
    void InsertResource(int index, const QString &name);
    void PutIcon(int index, const TIcon *icon);
    void Delete(int index);
    void Clear();
    void Exchange(int i, int j);
    void Move(int from, int to);
    int IndexOf(const TIcon *icon) const;
    void Assign(const TIconList &source);
    // The list becomes this one icon; nullptr empties it.
    void AssignIcon(const TIcon *icon);

    // Raises EReadError on data that does not hold together.
    void LoadFromBytes(const std::uint8_t *data, std::size_t size);
    std::vector<std::uint8_t> SaveToBytes() const;
    // Whether a form stores the list against its ancestor's (nullptr: none).
    bool ShouldStore(const TIconList *ancestor) const;

private:
    std::vector<std::unique_ptr<TIcon>> m_items;
    int m_updateDepth = 0;
};
