#include "CommandSupport.h"

#include <iostream>

namespace VaskCli {

int Fail(const std::string& message) {
    std::cerr << message << "\n";
    return 1;
}

int Fail(const TesselEngine::Failure& failure) {
    return Fail(TesselEngine::FailureMessage(failure));
}

int FailForLast() {
    return Fail(TesselEngine::LastFailure());
}

int Fail(const std::string& message, const TesselEngine::Failure& failure) {
    return Fail(message + "\n" + TesselEngine::FailureMessage(failure));
}

void ReportSkipped(const std::vector<std::string>& skipped) {
    for (const auto& file : skipped)
        std::cerr << "Could not read \"" << file << "\"; skipped.\n";
}

VaskEdit::Jobs::ProgressFn ProgressTo(Progress& bar) {
    return [&bar](const VaskEdit::Jobs::JobProgress& progress) { bar.Report(progress.percent); };
}

std::string RowField(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

void PrintInfoRow(std::string_view name, std::string_view owner, std::string_view quest) {
    std::cout << name << '\t' << owner << '\t' << quest << '\n';
}

void PrintInfoRows(const TesselEngine::TTL::Vector<VaskEdit::VaskInfoCache>& rows) {
    for (const auto& r : rows)
        PrintInfoRow(r.Name.View(), r.Owner.View(), r.Quest.View());
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    // 0x80 to 0x9F: the characters Windows puts there; the five it leaves free stand
    // for themselves, as in Latin-1.
    static constexpr char16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        const char32_t code = b >= 0x80 && b < 0xA0 ? High[b - 0x80] : b;
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

} // namespace VaskCli
