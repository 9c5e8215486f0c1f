#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "print/PrintUnitLayout.h"
#include "print/ui/GPrintout.h"

namespace kivrun {

// A printout of rows of text in columns, under a heading on every page: what printouts
// that are not a view (a weights routine) are made of. A concrete printout derives from
// it: SetUp gives its fonts, margins and column sets, and it hands over its rows. Lengths
// are print units (see PaperUnits).
class GPrintUnit : public GPrintout {
  public:
    // Column flags.
    enum ColumnFlags : int {
        kLeft = 0,
        kRight = 1,
        kCenter = 2,
        kBold = 8,  // the column's texts in a bold row font
    };
    struct Column {
        QString title;
        double fraction = 0;  // of the printable width
        int flags = kLeft;
        int spacing = 0;  // room each side of the text, besides the cell padding
    };

    bool Layout(const GPage& page, const GProgress& progress) override;
    int PageCount() const override { return layout_.PageCount(); }
    void PaintPage(QPainter& painter, const QRect& pageRect, int page) const override;

    const PrintUnitLayout& PageLayout() const { return layout_; }
    // The printed rectangle of a column of a set, in print units.
    PrintUnitLayout::Span ColumnSpan(int set, int index) const;

  protected:
    // Called at the start of every layout: define the fonts, margins and columns here.
    virtual void SetUp() = 0;
    virtual int RowCount() const = 0;
    virtual QStringList RowTexts(int row) const = 0;
    // The column set a row is printed in.
    virtual int RowColumnSet(int) const { return 0; }
    // The heading at the top of a page; none when empty.
    virtual QString HeadingText(int) const { return {}; }

    // Defines (or redefines) column index of a column set.
    void DefineColumn(int set, int index, const QString& title, double fraction, int flags = kLeft,
                      int spacing = 0);
    void SetMargins(int left, int top, int right, int bottom);
    void SetCellPadding(int horizontal, int vertical);
    void SetFonts(const QFont& heading, const QFont& titles, const QFont& rows);
    // The heading's height; its font's character height unless set.
    void SetHeadingHeight(int units) { headingHeight_ = units; }
    // The printed width and character height of a text in a font.
    int TextWidth(const QString& text, const QFont& font) const;
    int CharHeight(const QFont& font) const;

    const QFont& HeadingFont() const { return headingFont_; }
    const QFont& TitleFont() const { return titleFont_; }
    const QFont& RowFont() const { return rowFont_; }

  private:
    std::vector<double> Fractions(int set) const;
    void PaintCells(QPainter& painter, int set, const QStringList& texts, int top, int height,
                    const QFont& font) const;

    std::map<int, std::map<int, Column>> sets_;
    QFont headingFont_ = PaperFont(QStringLiteral("Arial"), PaperUnits(12));
    QFont titleFont_ = PaperFont(QStringLiteral("Arial"), PaperUnits(10), QFont::Bold);
    QFont rowFont_ = PaperFont(QStringLiteral("Arial"), PaperUnits(10));
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
    int padX_ = 0, padY_ = 0;
    int headingHeight_ = -1;
    QSize units_;
    PrintUnitLayout layout_;
};

}  // namespace kivrun
