#include "views/widgets/appfont.h"

#include "platform/platform.h"
#include "platform/screen.h"

QFont ScaledFont(QFont font, int pixels) {
    font.setPixelSize(ScaleForDpi(pixels, Platform::Get().ScreenDpiY()));
    return font;
}

QFont AppFont() {
    QFont font(QStringLiteral("Arial"));
    // Liberation Sans where "Arial" itself is missing: the same widths, so
    // texts cut to fit on the handheld fit here too.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setWeight(QFont::Medium);
    return ScaledFont(font, 13);
}
