#pragma once

namespace synopter {

// The two halves of the main window: the left edition (chooser cb1, pane
// RichEdit1, list ListBox1) and the right one.
enum class Side { Left, Right };

} // namespace synopter
