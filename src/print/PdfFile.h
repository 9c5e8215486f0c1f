#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// A PDF written directly: pages of filled boxes, rules and text in embedded TrueType fonts.
// Printing a long list through a general painter costs some tens of bytes and a number
// formatted per character; here a piece of text is one string of glyph numbers, so a list
// of thousands of pages is written in a fraction of the time. Lengths are in the caller's
// units, x to the right and y down from the top left of the printable area.
namespace kivrun::pdf {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Where the units go on the sheet: the sheet's size in points, the printable area's top
// left corner in points from the sheet's top left, and points per unit.
struct PageGeometry {
    double widthPoints = 612;
    double heightPoints = 792;
    double left = 0, top = 0;
    double scaleX = 1, scaleY = 1;
};

// A TrueType font as its tables ("head", "glyf", ...), whole; the file embeds only the
// glyphs its pages use.
struct FontTables {
    std::string postscriptName;
    std::map<std::string, std::string> tables;
};

class File {
  public:
    File(std::u16string title, PageGeometry geometry);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // The font's number for Text, or -1 when its tables are not a TrueType font this file
    // can embed (a missing or damaged table).
    int AddFont(const FontTables& font);

    void BeginPage();
    void Fill(double x, double y, double width, double height, Rgb colour);
    void HorizontalRule(double x1, double x2, double y, double width, Rgb colour);
    // Glyphs of a font, by number, the first starting at x on the base line y, each after
    // the one before at the font's own advance. `text` is what they read as, one character
    // a glyph, for copying and searching the PDF.
    void Text(int font, double size, double x, double y, const std::vector<std::uint16_t>& glyphs,
              std::u16string_view text, Rgb colour);
    void EndPage();
    int PageCount() const { return static_cast<int>(pages_.size()); }

    // The whole file; empty when a font could not be cut down to the glyphs used.
    std::string Finish();

  private:
    struct Font;
    void CloseText();
    void SetFillColour(Rgb colour);

    std::u16string title_;
    PageGeometry geometry_;
    std::vector<Font> fonts_;
    std::vector<std::string> pages_;  // their contents, compressed
    std::string content_;             // the page being drawn
    bool inText_ = false;
    int textFont_ = -1;
    double textSize_ = 0;
    Rgb fill_;
    bool fillSet_ = false;
};

// A TrueType font with only the glyphs given (and those they are made of) left in it; the
// other glyphs keep their numbers but lose their outlines. Empty when the tables are damaged.
std::string SubsetTrueType(const std::map<std::string, std::string>& tables,
                           const std::vector<bool>& used);

}  // namespace kivrun::pdf
