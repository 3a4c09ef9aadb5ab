#include "platform/print/PaperCodes.h"

namespace paper {
namespace {
struct Entry {
    int code;
    QPageSize::PageSizeId id;
};
constexpr Entry kEntries[] = {
    {Letter, QPageSize::Letter}, {Legal, QPageSize::Legal}, {A3, QPageSize::A3},
    {A4, QPageSize::A4},         {A5, QPageSize::A5},       {B4, QPageSize::JisB4},
    {B5, QPageSize::JisB5},
};
}  // namespace

std::optional<QPageSize> pageSizeOf(int code)
{
    for (const Entry& e : kEntries)
        if (e.code == code) return QPageSize(e.id);
    return std::nullopt;
}

int codeOf(const QPageSize& size)
{
    for (const Entry& e : kEntries)
        if (size.isEquivalentTo(QPageSize(e.id))) return e.code;
    return User;
}

}  // namespace paper
