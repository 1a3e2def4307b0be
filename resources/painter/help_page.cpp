// The switches help page F351B, set from resources/help/switches.txt (the
// file's head describes its few marks). The page is shown in a scroll box,
// so it is one long white sheet with headings that catch the eye while
// scrolling.

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "artwork.h"
#include "layout/help_layout.h"
#include "look.h"
#include "registry.h"

#ifndef VXR_HELP_TEXT
#error "VXR_HELP_TEXT must name the switches help text file"
#endif

namespace vxr::painter {

namespace {

constexpr int kMargin = 14;
constexpr int kIndentStep = 14;
constexpr int kRightLimit = 8;  // nothing may come closer to the right edge
constexpr int kTextRow = 13;
constexpr int kCommandRow = 14;
constexpr int kSectionRow = 22;
constexpr int kTitleRow = 34;
constexpr int kGapRow = 5;

class PageSetter {
public:
    PageSetter(Bitmap& page, std::string source) : page_(page), canvas_(page), source_(std::move(source)) {}

    void set(const std::string& line, int number) {
        number_ = number;
        if (line.starts_with(";")) return;
        if (line.find_first_not_of(' ') == std::string::npos) return advance(kGapRow);
        if (line.starts_with("## ")) return section(line.substr(3));
        if (line.starts_with("# ")) return title(line.substr(2));
        if (line.starts_with("> ")) return command(line.substr(2));
        if (line.starts_with("@columns")) return columns(line.substr(8));
        if (line.starts_with("|")) return row(line.substr(1));
        return running(line);
    }

    int height() const { return y_; }

private:
    [[noreturn]] void fail(const std::string& why) const {
        throw std::runtime_error(source_ + ":" + std::to_string(number_) + ": " + why);
    }

    void advance(int rowHeight) {
        y_ += rowHeight;
        if (y_ > page_.height() - kGapRow) fail("the help page is full (" + std::to_string(page_.height()) + " px)");
    }

    // Writes `words` at (x, y_ + dy), failing when they would pass `limit`.
    void put(int x, int dy, const std::string& words, const char* family, int points, Color color, bool bold,
             int limit) {
        if (x + textWidth(canvas_, words, family, points, bold) > limit) fail("too wide for the page: " + words);
        text(canvas_, x, y_ + dy, words, family, points, color, bold);
    }

    int pageLimit() const { return page_.width() - kRightLimit; }

    void title(const std::string& words) {
        put(kMargin, 7, words, kSans, 12, pal(2), true, pageLimit() - 40);
        makerLogo(page_, page_.width() - kRightLimit - 28, 4, 28);
        page_.fill({kMargin - 6, y_ + 27, page_.width() - kRightLimit, y_ + 29}, pal(2));
        advance(kTitleRow);
    }

    void section(const std::string& words) {
        const Rect band{kMargin - 6, y_ + 4, page_.width() - kRightLimit, y_ + 19};
        page_.fill(band, pal(9));
        page_.fill({band.left, band.bottom, band.right, band.bottom + 1}, pal(1));
        page_.fill({band.left, band.top, band.left + 3, band.bottom}, pal(2));
        put(kMargin, 6, words, kTahoma, 8, kBlack, true, pageLimit());
        advance(kSectionRow);
    }

    void command(const std::string& words) {
        put(kMargin + 2 * kIndentStep, 1, words, kSans, 8, pal(2), true, pageLimit());
        advance(kCommandRow);
    }

    void columns(const std::string& stops) {
        std::istringstream in(stops);
        stops_.clear();
        for (int x = 0; in >> x;) stops_.push_back(x);
        if (stops_.empty()) fail("@columns needs at least one stop");
    }

    void row(const std::string& cells) {
        std::vector<std::string> parts;
        std::istringstream in(cells);
        for (std::string cell; std::getline(in, cell, '|');) parts.push_back(cell);
        if (parts.size() > stops_.size()) fail("more cells than column stops");
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const int limit = i + 1 < stops_.size() ? stops_[i + 1] - 6 : pageLimit();
            put(stops_[i], 0, parts[i], kSans, 8, kBlack, i == 0, limit);
        }
        advance(kTextRow);
    }

    void running(const std::string& line) {
        const std::size_t words = line.find_first_not_of(' ');
        const int indent = static_cast<int>(words / 2) * kIndentStep;
        put(kMargin + indent, 0, line.substr(words), kSans, 8, kBlack, false, pageLimit());
        advance(kTextRow);
    }

    Bitmap& page_;
    Canvas canvas_;
    std::string source_;
    int number_ = 0;
    int y_ = 4;
    std::vector<int> stops_{kMargin + 2 * kIndentStep};
};

Bitmap helpPage() {
    const char* source = VXR_HELP_TEXT;
    std::ifstream in(source);
    if (!in) throw std::runtime_error(std::string("cannot read the help text ") + source);
    Bitmap page = blank(pictureWidth(layout::kHelpPagePicture), pictureHeight(layout::kHelpPagePicture), kWhite);
    PageSetter setter(page, source);
    int number = 0;
    for (std::string line; std::getline(in, line);) setter.set(line, ++number);
    return page;
}

}  // namespace

void addHelpPage(Registry& registry) { registry[layout::kHelpPagePicture] = helpPage; }

}  // namespace vxr::painter
