#pragma once

#include "download/FieldEncodings.h"
#include "store/Setting.h"

#include <QString>
#include <vector>

// A value of a field's number (its byte, or its word) that gives another text
// than the encoding would, such as an erased byte of 255.
struct Substitute {
    int value;
    const char* text;
};

// One field of the memory image, or one array of fields of one encoding.
struct LayoutRow {
    int first = 0;      // image line of element 1
    int width = 1;      // lines of one element
    int count = 1;      // elements, 1 for a single setting
    int stride = 0;     // lines from one element to the next, when not the width
    Encoding encoding = Encoding::Skipped;
    Setting setting; // none for a skipped block; an array is indexed from 1
    // CW and voice texts: the image line of element 1's name count.
    int countFirst = -1;
    std::vector<Substitute> substitutes;
    const char* emptyGives = nullptr; // the text for an empty result
    // Decodes lines another row, earlier in the table, decodes too; a
    // generator writes them from that row.
    bool sharesLines = false;

    int line(int element) const { return first + (element - 1) * (stride ? stride : width); }
    int lastLine() const { return line(count) + width - 1; }
    // What one element's lines give, the row's substitutes and empty text
    // applied; `count` as for DecodeField.
    std::optional<QString> decode(std::span<const quint8> lines, int count = 0) const;
};

// Every field of the image, in the order of its first line.
const std::vector<LayoutRow>& MemoryLayout();
