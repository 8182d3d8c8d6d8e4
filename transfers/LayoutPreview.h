#pragma once
// The file preview of the layout editors: the first ten lines of the chosen
// file under a ruler of byte positions. Layout positions count CP949 bytes
// while the preview shows characters, so every mapping between a selection
// and a start/size goes through here; a double-byte character is never cut.

#include "core/Session.h"

#include <QString>
#include <QStringList>

class LayoutPreview
{
public:
    static constexpr int LineCount = 10;

    explicit LayoutPreview(int rulerWidth) : m_width(rulerWidth) {}

    int rulerWidth() const { return m_width; }
    // "1234567890" repeated over the width.
    QString ruler() const;
    // The tens above it: blanks with the tens digit (or "100", ...) ending at
    // every tenth position.
    QString rulerTens() const;

    // Takes the first ten lines (missing ones empty), each cut to the ruler's
    // width in bytes.
    void setLines(const QStringList &fileLines);
    void clear() { m_lines.clear(); }
    const QStringList &lines() const { return m_lines; }
    bool hasLines() const { return !m_lines.isEmpty(); }
    QString firstLine() const { return m_lines.value(0); }

    // A selection of characters in the first line as a layout field: start
    // (1-based byte) and size in bytes.
    ConvField fieldOfSelection(int charStart, int charLength) const;
    // The text of a field in the first line: the characters whose bytes lie
    // wholly inside it; empty when start or size is not above 0.
    QString fieldText(int start, int length) const;
    // The characters of the first line that show the field: (first index,
    // count).
    std::pair<int, int> selectionOfField(int start, int length) const;

private:
    int m_width;
    QStringList m_lines;
};

// Reads the first lines of a text file, CP949 or UTF-8 as the conversion
// reads it; false when it cannot be read. A line longer than a megabyte is
// cut there and ends the lines read.
bool ReadPreviewLines(const QString &fileName, int count, QStringList *lines);
