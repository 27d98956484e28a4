#pragma once
// Alignment of child widgets inside their parent, as the class library lays out forms: top-
// and bottom-aligned children take the full width and stack inwards from their edge, then left-
// and right-aligned ones the remaining height, and a client-aligned child takes what is left.
// Within one kind, children stack in the order they were created. A child keeps its own height
// (top, bottom) or width (left, right); changing it, or resizing the parent, realigns.

class QWidget;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

void SetAlign(QWidget* child, TAlign align);
TAlign AlignOf(const QWidget* child);

// Lays out the aligned children of `parent` at once (normally done on every change).
void Realign(QWidget* parent);
