#pragma once
// Short texts kept one after the other in blocks that never move: a
// conversion keeps a few short texts of every row, too many to pay a
// string's append for each, and views of them stay valid while the arena
// lives.

#include <QChar>
#include <QStringView>

#include <initializer_list>
#include <memory>
#include <vector>

class LiquorTextArena
{
public:
    // The size of the next block to come, when more than the usual.
    void reserve(qsizetype chars);
    // Appends the texts one after the other in one block (they may lie in
    // the arena themselves); ends (one per text) receive where each ends,
    // counted from where the first starts, which is returned.
    const QChar *append(std::initializer_list<QStringView> texts, int *ends);
    // Takes the blocks of another arena (one that texts were put in on
    // another thread): views of them stay valid, now while this arena lives.
    // What this one appends next goes where it would have gone.
    void adopt(LiquorTextArena &&other);

private:
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    char16_t *m_next = nullptr;
    qsizetype m_left = 0;
    qsizetype m_blockSize = 1 << 16;
};
