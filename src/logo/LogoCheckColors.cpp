#include "logo/LogoCheckColors.h"

#include "logo/BootScreen.h"

#include <array>
#include <string>
#include <utility>

namespace logo {

namespace {

using Usage = std::array<bool, 256>;

Usage UsedEntries(const LogoImage& picture)
{
    Usage used{};
    for (const std::uint8_t index : picture.pixels)
        used[index] = true;
    return used;
}

bool SameRgb(const RgbQuad& a, const RgbQuad& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// "240, 242 to 250 and 255": entries in ranges, the way a user reads them.
std::string DescribeEntries(const std::vector<int>& entries)
{
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < entries.size();) {
        std::size_t end = i;
        while (end + 1 < entries.size() && entries[end + 1] == entries[end] + 1)
            ++end;
        parts.push_back(end == i ? std::to_string(entries[i])
                                 : std::to_string(entries[i]) + " to " + std::to_string(entries[end]));
        i = end + 1;
    }
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += i + 1 == parts.size() ? " and " : ", ";
        text += parts[i];
    }
    return text;
}

void CheckUnusedCycling(const Usage& used, int first, std::vector<Finding>& findings)
{
    std::vector<int> unused;
    for (int entry = first; entry <= 255; ++entry) {
        if (!used[static_cast<std::size_t>(entry)])
            unused.push_back(entry);
    }
    const int count = 256 - first;
    if (static_cast<int>(unused.size()) == count) {
        findings.push_back({"cycle-unused",
                            "none of the " + std::to_string(count) + " cycling entries (" + std::to_string(first)
                                + " to 255) is used by a pixel, so nothing moves; draw with them or use Make "
                                  "Animated Bar",
                            FindingWeight::Problem});
    } else if (!unused.empty()) {
        const bool one = unused.size() == 1;
        findings.push_back({"cycle-unused",
                            std::string(one ? "entry " : "entries ") + DescribeEntries(unused)
                                + (one ? " cycles" : " cycle") + " but no pixel uses "
                                + (one ? "it" : "them") + "; the colour only passes through the cycle (an animated "
                                  "bar keeps one such entry), draw with it or lower the count",
                            FindingWeight::Advice});
    }
}

// Neighbours in the cycle that the file tells apart but the screen does not:
// a pixel shows the same colour two ticks running, as if the cycle stopped.
void CheckStalls(const ColorTable& table, const ColorTable& shown, int first, std::vector<Finding>& findings)
{
    if (first == 255)
        return;
    std::vector<std::pair<int, int>> stalls;
    for (int entry = first; entry <= 255; ++entry) {
        const int next = entry == 255 ? first : entry + 1;
        const auto a = static_cast<std::size_t>(entry);
        const auto b = static_cast<std::size_t>(next);
        if (SameRgb(shown[a], shown[b]) && !SameRgb(table[a], table[b]))
            stalls.emplace_back(entry, next);
    }
    if (stalls.empty())
        return;
    std::string text = "cycling entries " + std::to_string(stalls[0].first) + " and " + std::to_string(stalls[0].second)
        + " differ only below 6 bits, so the screen shows one colour and the cycle seems to stall";
    if (stalls.size() > 1)
        text += " (" + std::to_string(stalls.size()) + " such neighbours)";
    text += "; make neighbouring cycling colours differ by at least 4 in a channel (Place Colour)";
    findings.push_back({"cycle-stall", text, FindingWeight::Problem});
}

// Used entries outside the cycle that only differ in the bits the DAC drops.
void CheckWasted(const Usage& used, const ColorTable& table, const ColorTable& shown, int first,
                 std::vector<Finding>& findings)
{
    int wasted = 0;
    std::pair<int, int> example{-1, -1};
    for (int entry = 1; entry < first; ++entry) {
        const auto i = static_cast<std::size_t>(entry);
        if (!used[i])
            continue;
        for (int earlier = 0; earlier < entry; ++earlier) {
            const auto j = static_cast<std::size_t>(earlier);
            if (used[j] && SameRgb(shown[i], shown[j]) && !SameRgb(table[i], table[j])) {
                if (wasted++ == 0)
                    example = {earlier, entry};
                break;
            }
        }
    }
    if (wasted == 0)
        return;
    findings.push_back({"wasted-entries",
                        std::to_string(wasted) + (wasted == 1 ? " entry differs" : " entries differ")
                            + " from another only below 6 bits (first " + std::to_string(example.first) + " and "
                            + std::to_string(example.second)
                            + "), which the screen does not show; give each such pair one colour with Place Colour, "
                              "then Remove Unused Colours frees "
                            + std::to_string(wasted) + (wasted == 1 ? " entry" : " entries"),
                        FindingWeight::Advice});
}

}  // namespace

void CheckLogoColors(const LogoImage& picture, std::uint8_t count, std::vector<Finding>& findings)
{
    const Usage used = UsedEntries(picture);
    ColorTable table{};
    std::copy(picture.colorTable.begin(), picture.colorTable.end(), table.begin());
    const ColorTable shown = ThroughDac(table);
    const int first = 256 - count;
    if (count != 0) {
        CheckUnusedCycling(used, first, findings);
        CheckStalls(table, shown, first, findings);
    }
    CheckWasted(used, table, shown, first, findings);
}

}  // namespace logo
