// The about window: its credits scrolling up tick by tick, and "&Ok" or the
// window frame giving the main window its input back.

#include <QAction>
#include <QPushButton>

#include "about/About.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class AboutTest : public WindowTest {};

TEST_F(AboutTest, TheCreditsRiseFivePixelsATickAndComeBackFromTheBottom) {
    form.mnuAbout->trigger();
    About* about = editor.about();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "Credits");
    EXPECT_EQ(about->Command1->text(), "&Ok");
    EXPECT_EQ(about->Timer1->Interval(), 100);
    EXPECT_FALSE(form.isEnabled());

    about->Rnd = [] { return 0.5; };  // draws of 3 and 6: no sparkle, no sprite
    const QImage& credits = about->res().Picture3;
    const int h = about->Surface->innerHeight();
    const int x = (about->Surface->innerWidth() - credits.width()) / 2;
    EXPECT_EQ(about->creditsTop, h);
    for (int tick = 1; tick <= 3; ++tick) {
        about->Timer1_Timer();
        EXPECT_EQ(about->creditsTop, h - 5 * tick);
    }
    // The picture's top rows are on show, the rest still below the edge.
    const int top = about->creditsTop;
    for (int row = 0; row < 15; ++row) {
        for (int column = 0; column < credits.width(); column += 7) {
            ASSERT_EQ(about->Surface->Point(x + column, top + row).rgb(),
                      credits.pixel(column, row))
                << column << "," << row;
        }
    }

    about->creditsTop = -credits.height() - 20;
    about->Timer1_Timer();
    EXPECT_EQ(about->creditsTop, h - 5);
}

TEST_F(AboutTest, OkAndTheWindowFrameGiveTheMainWindowBack) {
    OpenTileset(PatternTileset(2, 4, 4));
    const bool animSpeed = MenuEnabled(form.mnuAnimSpeed);
    for (const bool byFrame : {false, true}) {
        form.mnuAbout->trigger();
        ASSERT_NE(editor.about(), nullptr);
        EXPECT_FALSE(form.isEnabled());
        if (byFrame) {
            editor.about()->close();
        } else {
            editor.about()->Command1->click();
        }
        EXPECT_EQ(editor.about(), nullptr);
        EXPECT_TRUE(form.isEnabled());
        // The menus keep the states they had before.
        EXPECT_TRUE(MenuEnabled(form.mnuTile));
        EXPECT_EQ(MenuEnabled(form.mnuAnimSpeed), animSpeed);
    }
}

}  // namespace
}  // namespace pixmill::test
