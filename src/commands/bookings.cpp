#include "commands/bookings.h"

#include <algorithm>
#include <charconv>

namespace quarvel {

std::string Booking::words() const
{
    std::string w = count + ' ' + type;
    if (times > 1)
        w += ", " + std::to_string(times) + " times";
    return w;
}

std::vector<Booking> bookingsOf(std::string_view tag)
{
    std::vector<Booking> bookings;
    while (!tag.empty()) {
        const std::size_t end = std::min(tag.find('\n'), tag.size());
        const std::string_view line = tag.substr(0, end);
        tag.remove_prefix(std::min(end + 1, tag.size()));
        const std::size_t blank = line.find(' ');
        const std::size_t second = blank == line.npos ? line.npos : line.find(' ', blank + 1);
        Booking b;
        if (second == line.npos ||
            std::from_chars(line.data(), line.data() + blank, b.times).ptr != line.data() + blank)
            continue; // not a line the system wrote
        b.count = std::string(line.substr(blank + 1, second - blank - 1));
        b.type = std::string(line.substr(second + 1));
        bookings.push_back(std::move(b));
    }
    return bookings;
}

void pickAndNote(Cells &cells, const Section &section, const Row &row)
{
    const double n = value(cells, row.count);
    const std::string count = numberText(n), type = cells.text(row.list);
    if (!section.pick(cells, row) || n == 0 || picksNoType(type))
        return;
    std::vector<Booking> bookings = bookingsOf(cells.tag(row.list));
    const auto same = std::find_if(bookings.begin(), bookings.end(),
                                   [&](const Booking &b) { return b.count == count && b.type == type; });
    if (same != bookings.end())
        ++same->times;
    else
        bookings.push_back({count, type, 1});
    std::string tag;
    for (const Booking &b : bookings)
        tag += (tag.empty() ? "" : "\n") + std::to_string(b.times) + ' ' + b.count + ' ' + b.type;
    cells.setTag(row.list, tag);
}

long bookedBeyondShown(const std::vector<Booking> &bookings, std::string_view shown)
{
    long times = 0;
    for (const Booking &b : bookings)
        times += b.times;
    const bool otherType =
        std::any_of(bookings.begin(), bookings.end(), [&](const Booking &b) { return b.type != shown; });
    return times > 1 || otherType ? times : 0;
}

} // namespace quarvel
