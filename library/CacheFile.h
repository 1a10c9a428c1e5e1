// The layout that "infocache" and "templatecache" share: per record its three fields in
// order, each followed by ","; no header, no count, no line breaks. Each cache names its
// fields once (the record's members, in file order) and both directions walk that list.
#pragma once

#include "engine/FixedText.h"
#include "engine/Stream.h"
#include "engine/Vector.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <string>

namespace VaskEdit::CacheFile {

template <typename Record> using Fields = std::array<TesselEngine::Char48 Record::*, 3>;

// The file's bytes for the records. A comma inside a value would split it on reading and
// shift every later record: values are written without their commas. False when the
// text does not fit in memory.
template <typename Record>
bool Text(const TesselEngine::TTL::Vector<Record>& records, const Fields<Record>& fields,
          std::string& text) {
    try {
        text.clear();
        text.reserve(std::size_t{records.GetSize()} * 40);
        for (const Record& record : records) {
            for (const auto field : fields) {
                for (const char c : (record.*field).View()) {
                    if (c != ',')
                        text.push_back(c);
                }
                text.push_back(',');
            }
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Appends the records of the file's bytes, read while at least 2 bytes remain; a value
// longer than its field is cut. A damaged file may hold zero bytes inside a value: its
// text ends at the first, so that it compares as it shows. False when out of memory.
template <typename Record>
bool Read(TesselEngine::IO::Stream& in, TesselEngine::TTL::Vector<Record>& records,
          const Fields<Record>& fields) {
    const std::string_view all(in.GetBuffer() ? in.GetBuffer() : "", in.GetSize());
    const auto commas = static_cast<std::uint32_t>(std::count(all.begin(), all.end(), ','));
    records.Reserve(records.GetSize() + commas / 3 + 1); // the storage grows once
    while (in.GetRemaining() >= 2) {
        Record record;
        for (const auto field : fields) {
            TesselEngine::Char48& value = record.*field;
            in.ReadUntil(value, ',');
            const std::size_t length = value.Length();
            std::memset(value.data + length, 0, TesselEngine::Char48::Capacity - length);
        }
        if (!records.PushBack(record))
            return false;
    }
    return true;
}

} // namespace VaskEdit::CacheFile
