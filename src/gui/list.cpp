#include "engine/host.h"
#include "gui/widgets.h"

namespace {
constexpr int kRow = 40;
constexpr int kSquare = 20;         // the scroll squares at the right-hand corners
constexpr int kScrollPauseMs = 50;  // holding a square turns the list one step per frame, this much apart
}  // namespace

int ListRowItem(const Ilist& list, int row) {
    const int count = list.items.count;
    if (row == 0) return count > 0 ? count - 1 : -1;
    const int i = row - 1;
    return i >= 0 && i <= count - 2 && i * kRow < list.height - 2 * kRow ? i : -1;
}

void Ilist::Process() {
    int left = 0, top = 0;
    if (!Begin(left, top)) return;
    Pr2D_Rect(left, top, width, height, 0x000000, 64, 1);
    Pr2D_Rect(left, top, width, height, 0xFFFFFF, 64, 0);
    if (!noScrollButtons) {
        const int squareX = left + width - kSquare, downY = top + height - kSquare;
        Pr2D_Rect(squareX, top, kSquare, kSquare, 0xFFFFFF, 64, 0);
        Pr2D_Rect(squareX, downY, kSquare, kSquare, 0xFFFFFF, 64, 0);
        if (MouseInRect(squareX, top, kSquare, kSquare) && Mouse_Down(MB_LEFT)) {
            RotateList(items, +1);
            Host_Sleep(kScrollPauseMs);
        }
        if (MouseInRect(squareX, downY, kSquare, kSquare) && Mouse_Down(MB_LEFT)) {
            RotateList(items, -1);
            Host_Sleep(kScrollPauseMs);
        }
    }
    // The bar marks the row that shows the item at `selected`: the second
    // row, or the first when the list holds one item.
    if (!noSelectionBar) {
        const int barY = top + selected * kRow + (items.count == 1 ? 0 : kRow);
        Pr2D_Rect(left, barY, width, kRow, 0xFFFFFF, 64, 1);
    }
    if (MouseInside()) Pr2D_Rect(left, top, width, height, HighlightColor, 64, 1);
    for (int row = 0;; ++row) {
        const int item = ListRowItem(*this, row);
        if (item < 0) break;
        DrawCaption(left + 10, top + row * kRow + 4, items.items[item], TextColor);
    }
}
