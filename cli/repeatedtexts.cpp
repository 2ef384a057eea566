#include "repeatedtexts.h"

#include "text/nativepath.h"

#include <algorithm>
#include <utility>

namespace {

// Inodes of one directory often follow each other; the mix spreads them over the table.
quint64 mixed(quint64 device, quint64 inode)
{
    quint64 h = inode ^ (device * 0x9E3779B97F4A7C15ULL);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 29;
    return h;
}

} // namespace

void RepeatedTexts::expect(qsizetype texts)
{
    growFor(texts);
}

void RepeatedTexts::growFor(qsizetype texts)
{
    // At most three quarters full. Any size serves, so the room made for the texts expected is
    // no more than they need; beyond it the table doubles.
    if (m_slots.size() * 3 >= size_t(texts) * 4)
        return;
    const size_t size = std::max({size_t(16), size_t(texts) / 3 * 4 + 4, 2 * m_slots.size()});
    std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(size));
    for (const Slot &slot : old) {
        if (slot.firstPlusOne != 0)
            slotOf(slot.device, slot.inode) = slot;
    }
}

RepeatedTexts::Slot &RepeatedTexts::slotOf(quint64 device, quint64 inode)
{
    const size_t size = m_slots.size();
    size_t at = size_t(mixed(device, inode) % size);
    for (;; at = at + 1 == size ? 0 : at + 1) {
        Slot &slot = m_slots[at];
        if (slot.firstPlusOne == 0 || (slot.device == device && slot.inode == inode))
            return slot;
    }
}

void RepeatedTexts::expectSoon(const FileIdentity &file) const
{
    if (!m_slots.empty())
        __builtin_prefetch(&m_slots[size_t(mixed(file.device, file.inode) % m_slots.size())]);
}

qsizetype RepeatedTexts::firstTextOf(const FileIdentity &file, qsizetype i)
{
    growFor(m_used + 1);
    Slot &slot = slotOf(file.device, file.inode);
    if (slot.firstPlusOne != 0)
        return slot.firstPlusOne - 1;
    slot = {file.device, file.inode, i + 1};
    ++m_used;
    return -1;
}

QString repeatedTextNote(const QString &path, const QString &first)
{
    return QStringLiteral("%1 ist dieselbe Datei wie %2 und wird nur einmal durchsucht.")
        .arg(shownPath(path), shownPath(first));
}
