#pragma once
// Creates the widget and the framework object for one template control.

#include "platform/qt/ControlRecord.h"

#include <memory>

class QWidget;

namespace platform::detail {

// The control at its template rectangle (converted to pixels), with its
// styles applied, as a child of parent.
std::unique_ptr<ControlRecord> CreateControl(const ControlTemplate& tpl, QWidget* parent);

// The height of a drop-down combo box's closed field (13 dialog units).
constexpr int kComboFieldHeight = 21;

}  // namespace platform::detail
