#include "table/CardDrawing.h"

#include "table/Resize.h"

namespace tarvo {

int FaceIndex(TStr2 code) {
    return IsRealCard(code) ? CardNumber(code) - 1 : -1;
}

void DrawCutFrame(int x, int y, int w, int h, QPainter& target) {
    // Lines two pixels short of each corner, so that the corners read as rounded.
    const int r = x + w - 1, b = y + h - 1;
    target.fillRect(x + 2, y, w - 4, 1, Qt::black);
    target.fillRect(x + 2, b, w - 4, 1, Qt::black);
    target.fillRect(x, y + 2, 1, h - 4, Qt::black);
    target.fillRect(r, y + 2, 1, h - 4, Qt::black);
}

void DrawCard(int x, int y, TStr2 code, const ImageStore& store, QPainter& target) {
    const int index = FaceIndex(code);
    if (index < 0) return;
    const QImage& face = store.faces[index];
    if (store.mode == ImageMode::Small) {
        DrawCutFrame(x, y, 71, 96, target);
        target.drawImage(x + 1, y + 1, face);
    } else {
        DrawScaled(x, y, face, true, store.cellWidth, store.cellHeight, target, store.scale);
    }
}

void DrawCardBack(int x, int y, const ImageStore& store, QPainter& target) {
    const QImage& back = store.backs[std::clamp(store.currentBack, 1, 10) - 1];
    if (store.mode == ImageMode::Small) {
        DrawCutFrame(x, y, 71, 96, target);
        target.drawImage(x + 1, y + 1, back);
    } else {
        DrawScaled(x, y, back, true, store.cellWidth, store.cellHeight, target, store.scale);
    }
}

void DrawCardBackRotated(int x, int y, const ImageStore& store, QPainter& target) {
    const QImage& back = store.rotatedBacks[std::clamp(store.currentBack, 1, 10) - 1];
    if (store.mode == ImageMode::Small) {
        DrawCutFrame(x, y, 96, 71, target);
        target.drawImage(x + 1, y + 1, back);
    } else {
        DrawScaled(x, y, back, true, store.cellHeight, store.cellWidth, target, store.scale);
    }
}

} // namespace tarvo
