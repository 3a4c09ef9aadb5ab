#pragma once
#include <QPageSize>
#include <optional>

// The printer's paper codes, as the print settings store them. B5 is JIS B5 (182 × 257 mm).
namespace paper {

constexpr int Letter = 1;
constexpr int Legal = 5;
constexpr int A3 = 8;
constexpr int A4 = 9;
constexpr int A5 = 11;
constexpr int B4 = 12;
constexpr int B5 = 13;
// A size without a code of its own (a custom or unlisted paper).
constexpr int User = 256;

// The page size of a code; nullopt for a code this program does not know.
std::optional<QPageSize> pageSizeOf(int code);
// The code of a page size; User when it has none.
int codeOf(const QPageSize& size);

}  // namespace paper
