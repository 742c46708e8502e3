// SPDX-License-Identifier: GPL-3.0-or-later
#include "mclcd.h"

#include "lcd/glyphs.h"
#include "lcd/imagecanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <utility>

namespace margino {

PictureBox &mcLCD::canvas() {
    if (!Canvas)
        throw RuntimeError(err::ObjectNotSet,
                           QStringLiteral("Variabile oggetto o variabile del blocco With non "
                                          "impostata"));
    return *Canvas;
}

void mcLCD::NewLCD(PictureBox &PBox) {
    Canvas = &PBox;
    PBox.setPixelScale();
    PBox.setAutoRedraw(true);
    CellLeft = 2;
    CellTop = 2;
    // The height is a single-precision value; the conversion rounds halves to even.
    const float height = PBox.ScaleHeight() - 6.0f;
    if (!(height >= -32768.5f && height <= 32767.5f))
        raiseOverflow();
    CellHeight = qint64(std::nearbyint(height));
    CellWidth = CellHeight / 2 + 3;
    kept_ = keptCellsFor(CellWidth.value(), CellHeight.value());
    lastImage_ = nullptr; // a new binding: nothing drawn here is known to be there
}

std::shared_ptr<mcLCD::KeptCells> mcLCD::keptCellsFor(int width, int height) {
    static std::map<std::pair<int, int>, std::weak_ptr<KeptCells>> sizes;
    std::erase_if(sizes, [](const auto &size) { return size.second.expired(); });
    std::weak_ptr<KeptCells> &kept = sizes[{width, height}];
    std::shared_ptr<KeptCells> cells = kept.lock();
    if (!cells)
        kept = cells = std::make_shared<KeptCells>();
    return cells;
}

void mcLCD::setForeColor(OleColor Color) {
    canvas().setForeColor(Color);
}

void mcLCD::setBackColor(OleColor Color) {
    canvas().setBackColor(Color);
}

void mcLCD::setCaption(const QString &Value) {
    PictureBox &box = canvas();
    const Int16 start = CellLeft;
    // An image clears itself when its background is set; other boxes are cleared first. An
    // image still holding this object's last caption is cleared only where a cell changes.
    auto *image = dynamic_cast<ImageCanvas *>(&box);
    bool cleared = !(image && image == lastImage_ && image->drawings() == drawingsAfterLast_);
    lastImage_ = nullptr;
    const auto clear = [&] {
        if (!std::exchange(cleared, true))
            box.setBackColor(Background);
    };
    if (!image)
        box.Cls();
    if (cleared)
        box.setBackColor(Background);

    try {
        const Int16 pitch = CellWidth + 5;
        // A row holds W - 1 cells, whatever the box's width: the text's last character lands
        // in the last of them and the cells before it show unlit eights.
        const Int16 n = qint64(CellWidth.value()) - Value.size() - 1;
        // An image takes kept cells, the same pixels for far less work. A row reaching towards
        // the end of the 16-bit range is drawn stroke by stroke, so an overflow is raised
        // exactly where the drawing raises it.
        image_ = image;
        planned_.clear();
        const qint64 cells = std::max<qint64>(n.value(), 0) + Value.size();
        if (CellHeight.value() < 1 || CellHeight.value() > 1000 ||
            start.value() + (cells + 1) * pitch.value() > 30000 || std::abs(CellTop.value()) > 1000)
            image_ = nullptr;
        if (!image_)
            clear();

        for (CellIndex = 1; CellIndex <= n; CellIndex = CellIndex + 1) {
            draw(UnlitEight);
            CellLeft = CellLeft + pitch;
        }

        setColour(box, CaptionStart);
        for (const QChar c : Value) {
            if (c == u'.' || c == u',') {
                draw(PointOnEight);
                CellLeft = CellLeft + pitch;
            } else if (c == u':') {
                draw(PointMark);
                CellLeft = CellLeft + (CellWidth - 2);
            } else {
                draw(c.unicode());
                CellLeft = CellLeft + pitch;
            }
        }
        if (image_) {
            if (!stampChangedCells(cleared)) {
                clear();
                stampAll();
            }
            box.setForeColor(colour_);
            lastImage_ = image_;
            drawingsAfterLast_ = image_->drawings();
        }
    } catch (...) {
        clear(); // a failed caption leaves no old one standing
        image_ = nullptr;
        throw;
    }
    image_ = nullptr;
    // Only a complete caption puts the position back; an error leaves it where drawing stopped.
    CellLeft = start;
}

// Cells stand apart (a point mark's narrow cell included), so a cell's rectangle holds only
// background and is copied whole; were it to meet the last one, only its strokes.
void mcLCD::stampAll() {
    int stampedRight = std::numeric_limits<int>::min();
    for (const Planned &cell : planned_) {
        const QRect bounds = cell.kept->image.bounds().translated(cell.at);
        image_->stamp(cell.kept->image, cell.at.x(), cell.at.y(), bounds.left() > stampedRight);
        if (!bounds.isEmpty())
            stampedRight = std::max(stampedRight, bounds.right());
    }
    shown_ = planned_;
}

// On an image that holds the last caption, cell for cell in the same places, none meeting
// another, a cell that changed is cleared and copied and the others are left: the pixels of a
// whole new drawing. False, drawing nothing, where that does not hold.
bool mcLCD::stampChangedCells(bool cleared) {
    const auto apart = [](const std::vector<Planned> &cells) {
        int right = std::numeric_limits<int>::min();
        for (const Planned &cell : cells) {
            const QRect bounds = cell.kept->image.bounds().translated(cell.at);
            if (bounds.isEmpty())
                continue;
            if (bounds.left() <= right)
                return false;
            right = bounds.right();
        }
        return true;
    };
    if (cleared || planned_.size() != shown_.size() || !apart(planned_) || !apart(shown_))
        return false;
    for (std::size_t i = 0; i < planned_.size(); ++i)
        if (planned_[i].at != shown_[i].at)
            return false;
    for (std::size_t i = 0; i < planned_.size(); ++i) {
        const Planned &was = shown_[i], &cell = planned_[i];
        if (cell.kept == was.kept)
            continue;
        image_->clearRect(was.kept->image.bounds().translated(was.at));
        image_->stamp(cell.kept->image, cell.at.x(), cell.at.y(), true);
    }
    shown_ = planned_;
    return true;
}

void mcLCD::draw(char32_t item) {
    if (!image_) {
        drawItem(*Canvas, {CellLeft, CellTop, CellWidth, CellHeight}, item);
        return;
    }
    // Copied when the whole caption is known, so unchanged cells can be left as they are.
    const Kept &cell = kept(item);
    planned_.push_back({&cell, QPoint(CellLeft.value(), CellTop.value())});
    colour_ = cell.after;
}

// A cell is drawn once per item, starting colour and position parity (the point mark's
// corners fall on half pixels at some heights, and halves round to even), on an image of its
// own whose background no stroke uses, and kept as the runs that are not background.
const mcLCD::Kept &mcLCD::kept(char32_t item) {
    const int code = item < 128                                ? int(item)
                     : item >= UnlitEight && item <= PointMark ? int(128 + item - UnlitEight)
                                                               : -1;
    const int colour = colour_ == CaptionStart ? 0 : colour_ == Unlit ? 1 : colour_ == Lit ? 2 : -1;
    const int index =
        code < 0 || colour < 0
            ? -1
            : ((code * 3 + colour) * 2 + (CellLeft.value() & 1)) * 2 + (CellTop.value() & 1);
    if (index >= 0 && kept_->quick[index])
        return *kept_->quick[index];
    const Kept &found = keptSlow(item);
    if (index >= 0)
        kept_->quick[index] = &found;
    return found;
}

const mcLCD::Kept &mcLCD::keptSlow(char32_t item) {
    const quint64 key = item | quint64(colour_) << 21 | quint64(CellLeft.value() & 1) << 45 |
                        quint64(CellTop.value() & 1) << 46;
    if (const auto found = kept_->byKey.find(key); found != kept_->byKey.end())
        return found->second;
    const int w = CellWidth.value(), h = CellHeight.value();
    const QPoint origin(2 * w + (CellLeft.value() & 1), 2 * h + (CellTop.value() & 1));
    ImageCanvas scratch(QSize(origin.x() + 3 * w, origin.y() + 3 * h));
    constexpr OleColor transparent = 0x010203;
    scratch.setBackColor(transparent);
    const OleColor before = colour_;
    scratch.setForeColor(colour_);
    drawItem(scratch, {origin.x(), origin.y(), CellWidth, CellHeight}, item);
    const Kept cell{GlyphImage(scratch.image(), origin, ImageCanvas::toRgb(transparent),
                               ImageCanvas::toRgb(Background)),
                    colour_};
    colour_ = before;
    return kept_->byKey.emplace(key, cell).first->second;
}

void mcLCD::drawItem(PictureBox &box, const Cell &cell, char32_t item) {
    switch (item) {
    case UnlitEight:
        drawUnlitEight(box, cell);
        break;
    case PointOnEight:
        drawUnlitEight(box, cell);
        drawPointMark(box, cell);
        break;
    case PointMark:
        drawPointMark(box, cell);
        break;
    default:
        DrawChar(box, cell, QChar(char16_t(item)));
    }
}

void mcLCD::setColour(PictureBox &box, OleColor colour) {
    colour_ = colour;
    box.setForeColor(colour);
}

void mcLCD::drawUnlitEight(PictureBox &box, const Cell &cell) {
    setColour(box, Unlit);
    for (const short segment : glyphs::basicSegments())
        DrawSegment(box, cell, segment);
}

void mcLCD::DrawChar(PictureBox &box, const Cell &cell, QChar c) {
    const glyphs::Glyph *glyph = glyphs::find(c);
    if (!glyph)
        return;
    if (glyph->drawsOwnColours)
        setColour(box, Lit);
    for (const short segment : glyph->lit)
        DrawSegment(box, cell, segment);
    if (glyph->drawsOwnColours) {
        setColour(box, Unlit);
        for (const short segment : glyph->unlit)
            DrawSegment(box, cell, segment);
    }
}

// A square of side H / 14 whose lower-right corner is the bottom of the middle column.
void mcLCD::drawPointMark(PictureBox &box, const Cell &cell) {
    setColour(box, Lit);
    const double d = double(cell.H.value()) / 14.0;
    const Int16 middle = cell.x + cell.W / 2;
    const Int16 bottom = cell.y + cell.H;
    box.Box(float(middle.value() - d), float(bottom.value()), float(middle.value()),
            float(bottom.value() - d));
}

} // namespace margino
