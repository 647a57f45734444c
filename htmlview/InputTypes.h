#pragma once
// The mouse-button and shift-state types of the view's mouse and key events. They stand in for
// the window layer's own until the view is one of its controls; the names and values are the
// class library's, so the events keep their signatures when the window layer's types replace these.
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4;
