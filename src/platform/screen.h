#pragma once

// Screen layouts: dialogs exist in one form for each.
enum class ScreenLayout { Portrait = 0, Landscape = 1, Square = 2 };

// Portrait when at least 320 pixels high, square when as high as wide,
// landscape otherwise.
constexpr ScreenLayout GetScreenLayout(int width, int height) {
    if (height >= 320) {
        return ScreenLayout::Portrait;
    }
    return height == width ? ScreenLayout::Square : ScreenLayout::Landscape;
}

// A size designed at 96 dots per inch, for a screen of `dpi`.
constexpr int ScaleForDpi(int size, int dpi) {
    return (size * dpi + 48) / 96;
}
