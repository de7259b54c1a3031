#pragma once
// What an export reports: done, or why not. A failed export never leaves a
// file behind (the target stays as it was).

#include <string>

namespace exporting {

struct ExportResult {
    bool ok = false;
    std::string reason;  // empty when ok

    static ExportResult Done() { return {true, {}}; }
    static ExportResult Failed(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace exporting
