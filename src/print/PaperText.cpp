#include "print/PaperText.h"

#include <algorithm>

namespace kivrun::paper {
namespace {

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// Lays out the lines of one paragraph (a text without line breaks).
class ParagraphWrap {
  public:
    ParagraphWrap(std::u16string_view text, int room, const controls::TextWidth& measure,
                  WrapStyle style, std::vector<std::u16string>& lines)
        : text_(text), room_(room), measure_(measure), style_(style), lines_(lines) {}

    void Run() {
        std::size_t at = 0;
        bool first = true;
        while (true) {
            const std::size_t blanks = at;
            while (at < text_.size() && IsBlank(text_[at]))
                ++at;
            if (at == text_.size()) break;
            const std::size_t word = at;
            while (at < text_.size() && !IsBlank(text_[at]))
                ++at;
            Place(first ? 0 : blanks, word, at);
            first = false;
        }
        if (open_)
            Emit(lineStart_, lineEnd_);
        else if (style_.keepEmptyLines && first)
            lines_.emplace_back();
    }

  private:
    bool Fits(int width) const { return style_.belowRoom ? width < room_ : width <= room_; }
    int Width(std::size_t from, std::size_t to) const {
        return measure_(text_.substr(from, to - from));
    }
    void Emit(std::size_t from, std::size_t to) {
        std::u16string line(text_.substr(from, to - from));
        std::replace(line.begin(), line.end(), u'\t', u' ');
        lines_.push_back(std::move(line));
    }

    // The word [word, end), after the blanks from `blanks` (the paragraph's leading blanks
    // for its first word, else those between it and the word before).
    void Place(std::size_t blanks, std::size_t word, std::size_t end) {
        const int wordWidth = Width(word, end);
        if (open_) {
            const int width = lineWidth_ + Width(blanks, word) + wordWidth;
            if (Fits(width)) {
                lineEnd_ = end;
                lineWidth_ = width;
                return;
            }
            Emit(lineStart_, lineEnd_);
            open_ = false;
            blanks = word;  // blanks where a line breaks go
        }
        const int lead = blanks < word ? Width(blanks, word) : 0;
        if (Fits(lead + wordWidth)) {
            Open(blanks, end, lead + wordWidth);
            return;
        }
        // Too wide for a line of its own: cut where each line ends.
        std::size_t from = blanks;
        while (true) {
            int width = 0;
            const std::size_t cut = LongestFit(from, word, end, width);
            if (cut == end) {
                Open(from, end, width);
                return;
            }
            Emit(from, cut);
            from = word = cut;
        }
    }

    void Open(std::size_t from, std::size_t to, int width) {
        open_ = true;
        lineStart_ = from;
        lineEnd_ = to;
        lineWidth_ = width;
    }

    // The end of the longest start of [from, end) that fits, holding at least one character
    // from `word` on; its width in `width`. The cut of the line before is tried first (the
    // lines of a long word are alike), then the length is doubled and halved, so it measures
    // about as many characters as the line holds, however long the word is.
    std::size_t LongestFit(std::size_t from, std::size_t word, std::size_t end, int& width) {
        auto whole = [&](std::size_t to) {
            // A character of two code units stays whole.
            return to < end && IsLowSurrogate(text_[to]) ? to + 1 : to;
        };
        std::size_t good = whole(word + 1);  // at least one character, fitting or not
        width = Width(from, good);
        if (!Fits(width)) return good;
        std::size_t bad = end + 1;  // none known yet
        auto probe = [&](std::size_t to) {
            const int w = Width(from, to);
            if (Fits(w)) {
                good = to;
                width = w;
                return true;
            }
            bad = to;
            return false;
        };
        std::size_t step = 1;
        if (lastCut_ > good - from && good < end && probe(whole(std::min(end, from + lastCut_)))) {
            step = lastCut_;
            if (good < end) probe(whole(good + 1));
        }
        while (bad > end && good < end) {
            if (!probe(whole(std::min(end, good + step)))) break;
            step *= 2;
        }
        while (bad <= end && bad - good > 1) {
            std::size_t mid = good + (bad - good) / 2;
            if (IsLowSurrogate(text_[mid])) ++mid;
            if (mid >= bad) break;
            probe(mid);
        }
        lastCut_ = good - from;
        return good;
    }

    std::u16string_view text_;
    int room_;
    const controls::TextWidth& measure_;
    WrapStyle style_;
    std::vector<std::u16string>& lines_;
    bool open_ = false;
    std::size_t lineStart_ = 0;
    std::size_t lineEnd_ = 0;
    int lineWidth_ = 0;
    std::size_t lastCut_ = 0;
};

}  // namespace

std::vector<std::u16string> WrapLines(std::u16string_view text, int room,
                                      const controls::TextWidth& measure, WrapStyle style) {
    std::vector<std::u16string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(u"\r\n");
        ParagraphWrap(text.substr(0, end), room, measure, style, lines).Run();
        if (end == std::u16string_view::npos) break;
        // "\r\n" is one break.
        const std::size_t next = text.compare(end, 2, u"\r\n") == 0 ? end + 2 : end + 1;
        text = text.substr(next);
    }
    return lines;
}

std::vector<long> PageStarts(const std::vector<int>& rowLines, int linesPerPage, PageFill fill) {
    linesPerPage = std::max(1, linesPerPage);
    std::vector<long> starts{0};
    int used = 0;
    for (std::size_t row = 0; row < rowLines.size(); ++row) {
        const int lines = std::clamp(rowLines[row], 1, linesPerPage);
        const bool over =
            fill == PageFill::Whole ? used + lines > linesPerPage : used + lines >= linesPerPage;
        if (used > 0 && over) {
            starts.push_back(static_cast<long>(row));
            used = 0;
        }
        used += lines;
    }
    return starts;
}

Pages::Pages(std::vector<long> starts, long rows) : starts_(std::move(starts)), rows_(rows) {
    if (starts_.empty()) starts_ = {0};
}

long Pages::First(int page) const {
    if (page < 0 || page >= Count()) return 0;
    return starts_[static_cast<std::size_t>(page)];
}

long Pages::End(int page) const {
    if (page < 0 || page >= Count()) return 0;
    return page + 1 < Count() ? starts_[static_cast<std::size_t>(page + 1)] : rows_;
}

std::string FooterText(int page, int pageCount) {
    return "Page " + std::to_string(page) + " of " + std::to_string(pageCount);
}

}  // namespace kivrun::paper
