#include "library/CsvReading.h"

#include "engine/Windows1252.h"

#include <cstdio>
#include <iterator>
#include <utility>

namespace VaskEdit {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// The separator the header line uses most, outside quotes: ",", then ";", then TAB on a
// tie; "," for a header of one column.
char HeaderSeparator(std::string_view csv) {
    constexpr char candidates[] = {',', ';', '\t'};
    std::size_t counts[std::size(candidates)] = {};
    bool quoted = false;
    for (const char c : csv) {
        if (c == '"')
            quoted = !quoted; // a doubled quote turns it back
        else if (!quoted && c == '\n')
            break;
        for (std::size_t i = 0; !quoted && i < std::size(candidates); ++i)
            counts[i] += c == candidates[i];
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < std::size(candidates); ++i)
        if (counts[i] > counts[best])
            best = i;
    return candidates[best];
}

struct Parsed {
    std::vector<CsvRecord> records;
    std::vector<std::pair<std::size_t, std::size_t>> starts; // (offset, row) of each line
    std::string problem;
};

// RFC 4180 records over bytes: every byte that shapes a record is ASCII, so UTF-8 and
// Windows-1252 part the same way. A problem for the first record that breaks the form.
Parsed ParseRecords(std::string_view csv, char separator) {
    Parsed parsed;
    auto& records = parsed.records;
    CsvRecord record{1, {}};
    std::string field;
    std::size_t at = 0;
    parsed.starts.emplace_back(0, 1);
    const auto endsLine = [&](std::size_t i) {
        return csv[i] == '\n' || (csv[i] == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n');
    };
    const auto fail = [&](const char* what) {
        parsed.problem = "row " + std::to_string(record.number) + ": " + what;
        records.clear();
        return std::move(parsed);
    };
    const auto endRecord = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
        if (!(record.fields.size() == 1 && record.fields[0].empty()))
            records.push_back(std::move(record));
        record = CsvRecord{records.size() + 1, {}};
    };
    while (at < csv.size()) {
        if (csv[at] == '"') {
            ++at;
            for (;;) {
                if (at >= csv.size())
                    return fail("a quoted field never ends");
                if (csv[at] == '"') {
                    if (at + 1 < csv.size() && csv[at + 1] == '"') {
                        field += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                field += csv[at++];
            }
            if (at < csv.size() && csv[at] != separator && !endsLine(at))
                return fail("text follows a quoted field's closing quote");
        } else {
            while (at < csv.size() && csv[at] != separator && !endsLine(at)) {
                if (csv[at] == '"')
                    return fail("a quote inside a field that is not quoted");
                field += csv[at++];
            }
        }
        if (at >= csv.size())
            break;
        if (csv[at] == separator) {
            record.fields.push_back(std::move(field));
            field.clear();
            ++at;
            if (at == csv.size())
                break; // a last empty field
            continue;
        }
        at += csv[at] == '\r' ? 2 : 1;
        endRecord();
        parsed.starts.emplace_back(at, record.number);
    }
    if (!field.empty() || !record.fields.empty())
        endRecord();
    return parsed;
}

// The row of the line that holds the byte at offset.
std::size_t RowAt(const Parsed& parsed, std::size_t offset) {
    std::size_t row = 1;
    for (const auto& [start, number] : parsed.starts) {
        if (start > offset)
            break;
        row = number;
    }
    return row;
}

} // namespace

std::string NotUtf8Text(const NotUtf8& where) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", unsigned{where.byte});
    return std::string("not UTF-8: byte ") + byte + " at row " + std::to_string(where.row);
}

CsvText ReadCsv(std::string_view bytes, CsvEncoding encoding) {
    CsvText text;
    // Excel's "Unicode Text": read as 8-bit it would be a header of zero bytes.
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        text.problem = "the file is UTF-16; save it as CSV in UTF-8 or Windows-1252";
        return text;
    }
    const bool markedUtf8 = bytes.starts_with(ByteOrderMark);
    if (markedUtf8)
        bytes.remove_prefix(ByteOrderMark.size()); // never part of the header
    text.separator = HeaderSeparator(bytes);
    Parsed parsed = ParseRecords(bytes, text.separator);
    if (const std::size_t bad = TesselEngine::FirstNotUtf8(bytes); bad != std::string_view::npos)
        text.notUtf8 = NotUtf8{static_cast<unsigned char>(bytes[bad]), RowAt(parsed, bad)};

    const bool asWindows1252 = encoding == CsvEncoding::Windows1252 ||
                               (encoding == CsvEncoding::Detect && text.notUtf8 && !markedUtf8);
    text.readAs = asWindows1252 ? CsvEncoding::Windows1252 : CsvEncoding::Utf8;
    if (!asWindows1252 && text.notUtf8) {
        // The earlier of the two faults is the one to mend first.
        const std::size_t brokenRow =
            parsed.problem.empty() ? std::string::npos : parsed.starts.back().second;
        text.refusedAsNotUtf8 = text.notUtf8->row <= brokenRow;
        text.problem =
            text.refusedAsNotUtf8 ? NotUtf8Text(*text.notUtf8) : std::move(parsed.problem);
        return text;
    }
    if (!parsed.problem.empty()) {
        text.problem = std::move(parsed.problem);
        return text;
    }
    if (asWindows1252)
        for (CsvRecord& record : parsed.records)
            for (std::string& field : record.fields)
                field = TesselEngine::Windows1252ToUtf8(field);
    text.records = std::move(parsed.records);
    return text;
}

} // namespace VaskEdit
