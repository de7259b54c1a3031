#pragma once
// Keeps the pointer inside the confinement rectangle: an application-wide
// event filter that, on every mouse move, puts the pointer back inside.

#include "platform/WinTypes.h"

#include <QObject>

#include <optional>

namespace platform {

class CursorClipFilter : public QObject {
public:
    explicit CursorClipFilter(QObject* parent) : QObject(parent) {}

    // Moves the pointer inside the rectangle when it is outside.
    static void Enforce(const RECT& rect);
    // Whether this display lets the program move the pointer (not offscreen,
    // not Wayland), unless an answer was imposed.
    static bool CanMovePointer();
    // Imposes the answer of CanMovePointer, for a display whose name says
    // nothing of whether it places the pointer; nullopt asks the display
    // again.
    static void ImposePointerMoves(std::optional<bool> allowed);

    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace platform
