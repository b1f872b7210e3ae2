#pragma once

// Windows virtual-key codes: what the platform puts in WindowEvent::key and
// the index of GLWindow::keyDown.
namespace VK {
constexpr int ESCAPE = 0x1B;
constexpr int SPACE = 0x20;
constexpr int LEFT = 0x25, UP = 0x26, RIGHT = 0x27, DOWN = 0x28;
constexpr int KEY_0 = 0x30;  // digits 0x30..0x39
constexpr int KEY_A = 0x41;  // letters 0x41..0x5A
constexpr int F1 = 0x70, F2 = 0x71, F3 = 0x72, F4 = 0x73, F5 = 0x74, F6 = 0x75;
constexpr int F7 = 0x76, F8 = 0x77, F9 = 0x78, F10 = 0x79, F11 = 0x7A, F12 = 0x7B;
}  // namespace VK
