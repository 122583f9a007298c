// How VB writes what the other syntaxes keep as counts: array bounds and
// fixed-length strings.
//
// A member's 数组 holds element counts in every syntax ("6", "2,3" for two
// dimensions), as E and C write them. VB declares bounds instead: x(5) and
// x(0 To 5) hold six elements, so a count n is written (0 To n - 1), which
// means the same whatever Option Base says.
//
// A VB fixed-length string member keeps its VB type "String * N": N bytes
// of ANSI text inside the structure. E writes it as a 字节型 array of N, C#
// as a ByValTStr string of SizeConst N, VB as String * N again. N may be a
// constant's name where no number for it was known.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace declarium {

// The number a constant's name stands for, where it is known.
using NameValue = std::function<std::optional<std::int64_t>(std::string_view name)>;

// A whole number written in decimal (a sign allowed) or after "&H"; blanks around it allowed.
std::optional<std::int64_t> VbWholeNumber(std::string_view text);

// The length of a "String * N" type (N as written, trimmed), or nothing for
// any other type.
std::optional<std::string_view> FixedStringLength(std::string_view type);

// The counts of a VB bounds text (what stands between the parentheses of
// "x(5)", "x(1 To 4, 0 To 2)"), joined by ",". A bound that is a name takes
// its number from lookup; otherwise the count is written with the name
// ("MAX_PATH + 1") and the name added to unresolved.
std::string CountsOfVbBounds(std::string_view bounds, const NameValue& lookup, std::vector<std::string>* unresolved);

// The bounds VB declares for counts ("6" gives "0 To 5", "2,3" gives
// "0 To 1, 0 To 2"); a count that is no number is written with " - 1".
std::string VbBoundsOfCounts(std::string_view counts);

// The product of counts when every one is a number.
std::optional<std::int64_t> CountProduct(std::string_view counts);

// Counts (or a length) whose names are given their numbers by lookup and
// worked out ("MAX_PATH + 1" with MAX_PATH 260 gives "261"); a count that
// still holds a name stays as it is, with the names it lacks added to
// unresolved.
std::string ResolveCounts(std::string_view counts, const NameValue& lookup, std::vector<std::string>* unresolved);

// Whether a count or length text depends on a constant's name, and which
// names: the words of it that are no numbers.
std::vector<std::string> NamesIn(std::string_view counts);

}  // namespace declarium
