#include "controls/images/IconList.h"

#include "controls/panels/GraphicErrors.h"

#include <QFile>

#include <algorithm>

namespace {

std::unique_ptr<TIcon> copyOf(const TIcon *icon)
{
    return std::make_unique<TIcon>(icon ? *icon : TIcon());
}

// Runs a change inside one update, so that it notifies once.
template <class F> void batched(TIconList &list, F &&change)
{
    list.LockUpdates();
    try {
        change();
    } catch (...) {
        list.UnlockUpdates();
        throw;
    }
    list.UnlockUpdates();
}

std::uint32_t readU32(const std::uint8_t *&p, const std::uint8_t *end)
{
    if (end - p < 4)
        throw EReadError("Stream read error");
    const std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                            (std::uint32_t(p[3]) << 24);
    p += 4;
    return v;
}

bool sameIcon(const TIcon *a, const TIcon *b)
{
    // A missing icon and an empty one are stored alike.
    return (a ? SaveIconFile(*a) : std::vector<std::uint8_t>()) == (b ? SaveIconFile(*b) : std::vector<std::uint8_t>());
}

void putU32(std::vector<std::uint8_t> &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

} // namespace

void TIconList::LockUpdates() { ++m_updateDepth; }

void TIconList::UnlockUpdates()
{
    if (m_updateDepth > 0 && --m_updateDepth == 0)
        Changed();
}

void TIconList::Changed()
{
    if (m_updateDepth == 0 && OnListChange)
        OnListChange(*this);
}

namespace {

// The icon file held under a name in the program's resources (":/..."; a
// name without the colon is taken under ":/"); an empty icon when there is
// no such resource or it holds no icon.
TIcon resourceIcon(const QString &name)
{
    TIcon icon;
    QFile file(name.startsWith(u':') ? name : QStringLiteral(":/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return icon;
    const QByteArray bytes = file.readAll();
    if (!LoadIconFile(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()), icon))
        icon = TIcon();
    return icon;
}

} // namespace

int TIconList::AddResource(const QString &name)
{
    const TIcon icon = resourceIcon(name);
    return Add(&icon);
}

void TIconList::InsertResource(int index, const QString &name)
{
    const TIcon icon = resourceIcon(name);
    Insert(index, &icon);
}

int TIconList::Add(const TIcon *icon)
{
    m_items.push_back(copyOf(icon));
    Changed();
    return int(m_items.size()) - 1;
}

void TIconList::Insert(int index, const TIcon *icon)
{
    if (index < 0 || index > GetCount())
        throw std::out_of_range("List index out of bounds");
    m_items.insert(m_items.begin() + index, copyOf(icon));
    Changed();
}

void TIconList::PutIcon(int index, const TIcon *icon)
{
    batched(*this, [&] {
        if (index == GetCount())
            m_items.push_back(nullptr);
        auto &slot = m_items.at(std::size_t(index));
        slot = copyOf(icon);
        Changed();
    });
}

void TIconList::Delete(int index)
{
    if (index < 0 || index >= GetCount())
        throw std::out_of_range("List index out of bounds");
    m_items.erase(m_items.begin() + index);
    Changed();
}

void TIconList::Clear()
{
    batched(*this, [&] {
        for (int i = GetCount() - 1; i >= 0; --i)
            Delete(i);
    });
}

void TIconList::Exchange(int i, int j)
{
    std::swap(m_items.at(std::size_t(i)), m_items.at(std::size_t(j)));
    Changed();
}

void TIconList::Move(int from, int to)
{
    if (from == to)
        return;
    auto item = std::move(m_items.at(std::size_t(from)));
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + std::clamp(to, 0, GetCount()), std::move(item));
    Changed();
}

int TIconList::IndexOf(const TIcon *icon) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_items[std::size_t(i)].get() == icon)
            return i;
    return -1;
}

void TIconList::Assign(const TIconList &source)
{
    if (&source == this)
        return;
    batched(*this, [&] {
        Clear();
        for (const auto &icon : source.m_items)
            Add(icon.get());
    });
}

void TIconList::AssignIcon(const TIcon *icon)
{
    // No icon empties the list; an empty icon would be an entry of its own.
    batched(*this, [&] {
        Clear();
        if (icon)
            Add(icon);
    });
}

void TIconList::LoadFromBytes(const std::uint8_t *data, std::size_t size)
{
    batched(*this, [&] {
        Clear();
        const std::uint8_t *p = data, *end = data + size;
        const std::uint32_t count = readU32(p, end);
        // Every entry takes at least its size field.
        if (count > std::uint32_t((end - p) / 4))
            throw EReadError("Stream read error");
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::int32_t n = std::int32_t(readU32(p, end));
            if (n <= 0) {
                m_items.push_back(nullptr);
                continue;
            }
            if (std::size_t(n) > std::size_t(end - p))
                throw EReadError("Stream read error");
            auto icon = std::make_unique<TIcon>();
            if (!LoadIconFile(p, std::size_t(n), *icon))
                throw EReadError("Stream read error");
            p += n;
            m_items.push_back(std::move(icon));
        }
        Changed();
    });
}

std::vector<std::uint8_t> TIconList::SaveToBytes() const
{
    std::vector<std::uint8_t> out;
    putU32(out, std::uint32_t(m_items.size()));
    for (const auto &icon : m_items) {
        const std::vector<std::uint8_t> bytes = icon ? SaveIconFile(*icon) : std::vector<std::uint8_t>();
        putU32(out, std::uint32_t(bytes.size()));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

bool TIconList::ShouldStore(const TIconList *ancestor) const
{
    if (!ancestor)
        return GetCount() > 0;
    if (ancestor->GetCount() == GetCount()) {
        if (GetCount() == 0)
            return false;
        for (int i = 0; i < GetCount(); ++i)
            if (!sameIcon(ancestor->m_items[std::size_t(i)].get(), m_items[std::size_t(i)].get()))
                return true;
        return false;
    }
    return GetCount() > 0;
}
