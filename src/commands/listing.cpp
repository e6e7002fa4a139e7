#include "commands/listing.h"

#include "rows/cellnames.h"
#include "rows/sections.h"

namespace quarvel {
namespace {

// The words of a text, one space between them.
std::string simplified(const std::string &text)
{
    std::string words;
    for (char c : text) {
        const bool space = c == ' ' || (c >= '\t' && c <= '\r');
        if (!space)
            words += c;
        else if (!words.empty() && words.back() != ' ')
            words += ' ';
    }
    if (!words.empty() && words.back() == ' ')
        words.pop_back();
    return words;
}

// The header's attack lines: each label, its box, the "Number" beside it and
// that box.
constexpr auto kAttackFrom = toArray<Id>({Id::Label84, Id::Text35, Id::Label86, Id::Text37});
constexpr auto kAttackOn = toArray<Id>({Id::Label85, Id::Text36, Id::Label87, Id::Text38});
constexpr auto kMissionType = toArray<Id>({Id::Label3, Id::Combo2});

} // namespace

std::string sentenceOf(const Cells &cells, Span<Id> labels)
{
    std::string sentence;
    for (Id label : labels)
        sentence += (label == *labels.begin() ? "" : " ") + simplified(cells.text(label));
    return sentence;
}

Listing listingOf(const Cells &cells)
{
    Listing listing;
    for (const Section *section : kSections) {
        Listing::Section listed{std::string(section->name), {}};
        for (const Row &row : section->rows) {
            const std::string type = simplified(cells.text(row.list));
            if (type.empty() || picksNoType(type))
                continue;
            const std::string count = simplified(cells.text(row.count));
            std::string text = count.empty() ? type : count + ' ' + type;
            if (row.marching && cells.ticked(*row.marching))
                text += " (marching)";
            listed.rows.push_back(text);
        }
        if (!listed.rows.empty())
            listing.force.push_back(listed);
    }
    for (Span<Id> sentence : kSummarySentences)
        listing.summary.push_back(sentenceOf(cells, sentence));
    return listing;
}

std::vector<std::string> summaryLines(const Cells &cells)
{
    std::vector<std::string> lines;
    for (Span<Id> attack : {Span<Id>(kAttackFrom), Span<Id>(kAttackOn)}) {
        auto words = [&](int i) { return simplified(cells.text(attack[i])); };
        // Two blanks part the place from its number, as the header sets them apart.
        lines.push_back(words(0) + ' ' + words(1) + "  " + words(2) + ' ' + words(3));
    }
    lines.push_back(sentenceOf(cells, kMissionType));
    for (Span<Id> sentence : kSummarySentences)
        lines.push_back(sentenceOf(cells, sentence));
    return lines;
}

} // namespace quarvel
