#include "AnimationState.h"
#include "Form1.h"
#include "Picture1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// The real window, with the end of the program replaced by a flag so that the test goes on.
class Form1Test : public ::testing::Test {
  protected:
    Form1 form{[this] { ++ends; }};
    Picture1& picture = *form.picture1();
    int ends = 0;

    QPixmap image(int number) const {
        return form.findChild<QLabel*>(QStringLiteral("Image%1").arg(number))->pixmap();
    }
    // The frame on screen is the picture of holder Image(index + 1), shared rather than copied.
    bool showing(int index) const {
        return picture.picture().cacheKey() == image(index + 1).cacheKey();
    }
    void type(const QString& text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(&picture, &press);
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, picture.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&picture, &event);
    }
    // What the window system delivers for a click and for a double-click.
    void click(Qt::MouseButton button, QPoint at = {50, 50}) {
        mouse(QEvent::MouseButtonPress, at, button);
        mouse(QEvent::MouseButtonRelease, at, button);
    }
    void doubleClick(QPoint at = {50, 50}) {
        click(Qt::LeftButton, at);
        mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton);
    }
};

TEST_F(Form1Test, WindowIsFixedSizeWithTitleAndNoWayToCloseItFromTheTitleBar) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vantrel  SpaceBar+-/*mouse,. ESC"));
    EXPECT_EQ(form.minimumSize(), QSize(277, 522));
    EXPECT_EQ(form.maximumSize(), QSize(277, 522));
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    for (Qt::WindowType button : {Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint,
                                  Qt::WindowMaximizeButtonHint, Qt::WindowSystemMenuHint}) {
        EXPECT_FALSE(flags.testFlag(button)) << button;
    }
}

TEST_F(Form1Test, PictureAreaIsTallerThanTheWindowAndTakesAllInput) {
    EXPECT_EQ(picture.geometry(), QRect(0, 0, 277, 768));
    EXPECT_EQ(form.focusWidget(), &picture);
    EXPECT_TRUE(picture.hasMouseTracking());
    for (int number = 1; number <= 24; ++number) {
        const auto* holder = form.findChild<QLabel*>(QStringLiteral("Image%1").arg(number));
        ASSERT_NE(holder, nullptr) << number;
        EXPECT_EQ(holder->parentWidget(), &picture);
        EXPECT_TRUE(holder->isHidden());
        EXPECT_EQ(holder->geometry(), QRect(0, 0, 280, 539));
        EXPECT_EQ(holder->pixmap().depth() > 0, true);
    }
}

TEST(Picture1Scale, PixelsMapOntoTheUserScale) {
    struct Case {
        QPointF pixels;
        QPointF user;
    };
    const Case cases[] = {
        {{0, 0}, {0, 0}},
        {{277, 768}, {14.882797f, 29.84375f}},
        {{277, 522}, {14.882797f, 20.2844238f}}, // the window's bottom-right corner
        {{-277, -768}, {-14.882797f, -29.84375f}},
        {{32767, 32767}, {1760.52209f, 1273.29443f}}, // as far out as X11 reports
    };
    for (const Case& c : cases) {
        const QPointF user = Picture1::toUserScale(c.pixels);
        EXPECT_FLOAT_EQ(user.x(), c.user.x()) << c.pixels.x();
        EXPECT_FLOAT_EQ(user.y(), c.user.y()) << c.pixels.y();
    }
}

TEST_F(Form1Test, LoadShowsFrameZeroAndTheFirstTickFrameOne) {
    form.load();
    EXPECT_TRUE(showing(0));
    EXPECT_EQ(picture.picture().size(), QSize(280, 539));
    form.state.n = 1;
    form.state.k = -1; // no pause
    form.runTick();
    EXPECT_TRUE(showing(1));
    for (int expected = 2; expected < 2 + 24; ++expected) {
        form.runTick();
        ASSERT_TRUE(showing(expected % 24)) << expected;
    }
}

TEST_F(Form1Test, TypedCharactersBecomeCommandsOneAtATime) {
    struct Case {
        const char* what;
        QString text;
        int n;
    };
    const Case cases[] = {
        {"plus", "+", Command::runForward},
        {"minus", "-", Command::runBackward},
        {"several characters: the last acts", "+-/", Command::stepBack},
        {"a letter", "q", 1},
        {"no text (Shift, F1, arrows)", "", 1},
        {"a surrogate pair", QString::fromUtf8("\xF0\x9F\x98\x80"), 1},
    };
    for (const Case& c : cases) {
        form.state.n = 1;
        type(c.text);
        EXPECT_EQ(form.state.n, c.n) << c.what;
    }
    EXPECT_EQ(ends, 0);
}

TEST_F(Form1Test, KeypadKeysActLikeTheirCharacters) {
    struct Case {
        Qt::Key key;
        int n;
    };
    for (const Case& c :
         {Case{Qt::Key_Plus, Command::runForward}, Case{Qt::Key_Minus, Command::runBackward},
          Case{Qt::Key_Asterisk, Command::stepForward}, Case{Qt::Key_Slash, Command::stepBack}}) {
        form.state.n = 1;
        QTest::keyClick(&picture, c.key, Qt::KeypadModifier);
        EXPECT_EQ(form.state.n, c.n) << c.key;
    }
}

TEST_F(Form1Test, EscapeEndsTheProgramEvenInsideOtherText) {
    QTest::keyClick(&picture, Qt::Key_Escape);
    EXPECT_EQ(ends, 1);
    type(QStringLiteral("+\x1b"));
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(form.state.n, Command::runForward);
}

TEST_F(Form1Test, PointerMotionSetsTheDelayFromItsPosition) {
    mouse(QEvent::MouseMove, {100, 300});
    // x = 14.882797 * 100 / 277, y = 29.84375 * 300 / 768
    EXPECT_NEAR(form.state.k, 4384.5, 0.1);
    mouse(QEvent::MouseMove, {0, 300});
    EXPECT_EQ(form.state.k, 0.0f);
    mouse(QEvent::MouseMove, {-40, 300}, Qt::LeftButton); // dragged out of the area
    EXPECT_LT(form.state.k, 0.0f);
    mouse(QEvent::MouseMove, {32767, 32767}, Qt::LeftButton);
    EXPECT_FLOAT_EQ(form.state.k, 156916416.0f) << "long, about 80 s, but finite";
}

TEST_F(Form1Test, ClickTogglesScrubModeAndDoubleClickEndsAfterOneToggle) {
    click(Qt::LeftButton);
    EXPECT_EQ(form.state.nm, 1);
    click(Qt::RightButton);
    EXPECT_EQ(form.state.nm, 1) << "only the left button clicks";
    mouse(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {50, 600}, Qt::LeftButton);
    EXPECT_EQ(form.state.nm, 1) << "released outside the area: no click";
    click(Qt::LeftButton);
    EXPECT_EQ(form.state.nm, 0);
    EXPECT_EQ(ends, 0);
    doubleClick();
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(form.state.nm, 1) << "the click ahead of the double-click toggled once";
}

TEST_F(Form1Test, ACloseRequestEndsTheProgram) {
    form.close();
    EXPECT_EQ(ends, 1);
}

// Where the program ends is seen from the outside: these run in a child process.
void reportAndExit(const Form1& form) {
    std::fprintf(stderr, "ended: updo=%d l=%d\n", form.state.updo, form.state.l);
    std::_Exit(0);
}

TEST(Form1DeathTest, EscapeWhileLoadingEndsBeforeTheAnimationStarts) {
    EXPECT_EXIT(
        {
            Form1* form = nullptr;
            form = new Form1([&form] { reportAndExit(*form); });
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b");
            QApplication::postEvent(form->picture1(), escape.clone());
            form->load();
            std::fprintf(stderr, "loaded\n");
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(0), "ended: updo=0 l=0");
}

TEST(Form1DeathTest, ShowingTheWindowStartsTheAnimation) {
    EXPECT_EXIT(
        {
            Form1* form = nullptr;
            form = new Form1([&form] { reportAndExit(*form); });
            form->show();
            // ESC as soon as the animation has started: it is handled after the first tick.
            auto* poll = new QTimer(form);
            QObject::connect(poll, &QTimer::timeout, form, [form] {
                if (form->state.updo == 1) {
                    QTest::keyClick(form->picture1(), Qt::Key_Escape);
                }
            });
            poll->start(20);
            QApplication::exec();
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(0), "ended: updo=1 l=1");
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
