// SPDX-License-Identifier: GPL-3.0-or-later
// The LCD's kept cells: each cell drawn once on an image of its own, shared by the panels of
// one cell size, and copied into a panel's image, only where a caption changed.
#include "mclcd.h"

#include "lcd/imagecanvas.h"

#include <algorithm>
#include <limits>
#include <map>

namespace margino {

std::shared_ptr<mcLCD::KeptCells> mcLCD::keptCellsFor(int width, int height) {
    static std::map<std::pair<int, int>, std::weak_ptr<KeptCells>> sizes;
    std::erase_if(sizes, [](const auto &size) { return size.second.expired(); });
    std::weak_ptr<KeptCells> &kept = sizes[{width, height}];
    std::shared_ptr<KeptCells> cells = kept.lock();
    if (!cells)
        kept = cells = std::make_shared<KeptCells>();
    return cells;
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
        // Lit and unlit segments alike are drawn, so a digit mostly covers the last one whole.
        const QRect old = was.kept->image.bounds().translated(was.at);
        if (!cell.kept->image.bounds().translated(cell.at).contains(old))
            image_->clearRect(old);
        image_->stamp(cell.kept->image, cell.at.x(), cell.at.y(), true);
    }
    shown_ = planned_;
    return true;
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

} // namespace margino
