#include <gtest/gtest.h>

#include <QStringList>
#include <cstdio>

#include "galleryscreens.h"
#include "layoutproblems.h"
#include "report/sortorderscope.h"
#include "support/testplatform.h"

// Every screen the gallery draws, in the three forms of the handheld's screen:
// nothing cut, clipped or outside, and no pad over a control.
TEST(Layout, EveryScreenFitsEveryForm) {
    SortOrderScope sortOrder;
    TestPlatform platform;
    GalleryScreens gallery(platform.Path(QStringLiteral("Trips.xbf")));
    int screens = 0;
    int widgets = 0;
    for (const GalleryForm& form : kGalleryForms) {
        gallery.SetForm(form);
        for (const GalleryScreens::Screen& screen : gallery.Screens()) {
            screen.show([&](QWidget* window, QWidget*) {
                const LayoutProblems problems(window);
                ++screens;
                widgets += problems.WidgetsChecked();
                for (const QString& problem : problems.List()) {
                    const QString where =
                        QStringLiteral("%1 (%2): ").arg(screen.name, QLatin1String(form.name));
                    ADD_FAILURE() << (where + problem).toStdString();
                }
            });
        }
    }
    std::printf("layout check: %d screens in %zu forms, %d widgets\n", screens,
                std::size(kGalleryForms), widgets);
    RecordProperty("screens", screens);
    RecordProperty("widgets", widgets);
    EXPECT_GT(screens, 0);
}
