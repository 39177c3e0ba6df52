// Drawing one card, one back or one turned back of the image store onto a canvas.
#pragma once

#include <QPainter>

#include "core/Card.h"
#include "table/ImageStore.h"

namespace tarvo {

// Index 0..35 of a card code in the store, or -1 for codes that draw no face ("##", "00", ...).
int FaceIndex(TStr2 code);

// The small-mode frame around a cell of w x h with its corner pixels cut off.
void DrawCutFrame(int x, int y, int w, int h, QPainter& target);

void DrawCard(int x, int y, TStr2 code, const ImageStore& store, QPainter& target);
void DrawCardBack(int x, int y, const ImageStore& store, QPainter& target);
void DrawCardBackRotated(int x, int y, const ImageStore& store, QPainter& target);

} // namespace tarvo
