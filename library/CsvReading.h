// Reading a CSV file as spreadsheets write it: UTF-8 with or without a byte order mark,
// or Windows-1252 (what Excel saves on a Western Windows); the separator ",", ";" or TAB,
// whichever the header line uses; quoting as RFC 4180. A file that cannot be read (not
// UTF-8 where it must be, UTF-16, broken quoting) is refused with one reason, never one
// complaint a row.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace VaskEdit {

enum class CsvEncoding {
    Detect,     // UTF-8 when the bytes are UTF-8, Windows-1252 otherwise (unless a BOM says UTF-8)
    Utf8,       // bytes that are not UTF-8 refuse the file
    Windows1252 // every byte is a character
};

// Where a file stops being UTF-8: the first byte that begins no character and the row
// that holds it (rows counted as CsvRecord::number counts them).
struct NotUtf8 {
    unsigned char byte = 0;
    std::size_t row = 0;
};

// "not UTF-8: byte 0xE4 at row 37"
std::string NotUtf8Text(const NotUtf8& where);

struct CsvRecord {
    std::size_t number; // 1 for the header; blank lines are not counted
    std::vector<std::string> fields;
};

struct CsvText {
    std::vector<CsvRecord> records; // fields in UTF-8; empty when refused
    std::string problem;            // why the file was refused, one line; empty when read
    CsvEncoding readAs = CsvEncoding::Utf8;
    char separator = ',';
    std::optional<NotUtf8> notUtf8; // set whenever the bytes are not UTF-8
    bool refusedAsNotUtf8 = false;  // problem is NotUtf8Text(*notUtf8)
};

CsvText ReadCsv(std::string_view bytes, CsvEncoding encoding = CsvEncoding::Detect);

} // namespace VaskEdit
