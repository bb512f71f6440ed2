// Checks what the tick benchmark times: a tick puts on screen only the part of the picture that
// changes, so the screen must still show exactly the new frame after every tick, whichever way the
// animation moved. The program runs as usual with no pause; after each tick (in its event pass) a
// screenshot of the window is compared with the frame it should show, and a key from + - * / .
// and none is typed for the next tick, chosen at random with a fixed seed.
//   screen_check <ticks>    (under an X server: DISPLAY must be set)
// Prints how many ticks moved the animation by -2 .. +2 frames; exits with 1 at the first
// screenshot that differs.
#include "Form1.h"
#include "Picture1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// The visible part of the window, 277 x 522, one bool a pixel: white or not.
bool sameVisiblePixels(const QImage& shown, const QImage& frame) {
    constexpr int width = 277;
    constexpr int height = 522;
    if (shown.width() < width || shown.height() < height) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((qGray(shown.pixel(x, y)) >= 128) != (qGray(frame.pixel(x, y)) >= 128)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const long ticks = argc > 1 ? std::atol(argv[1]) : 5000;
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    Form1 form;

    std::mt19937 random(20240611);
    std::array<long, frameCount> moves{}; // by how far l moved, modulo 24
    long checked = 0;
    int lastFrame = -1;
    const char16_t keys[] = {u'+', u'-', u'*', u'/', u'.', 0, 0, 0};

    // A zero-interval timer runs once in every event pass, so once a tick.
    QTimer afterTick;
    QObject::connect(&afterTick, &QTimer::timeout, [&] {
        if (form.state.updo != 1) {
            return; // not animating yet
        }
        form.state.k = -1;
        const QImage shown = form.screen()->grabWindow(form.winId()).toImage();
        if (!sameVisiblePixels(shown, form.picture1()->picture().toImage())) {
            std::fprintf(stderr, "screen_check: after tick %ld the window does not show frame %d\n",
                         checked + 1, form.state.l);
            std::_Exit(1);
        }
        if (lastFrame >= 0) {
            ++moves[static_cast<std::size_t>((form.state.l - lastFrame + frameCount) % frameCount)];
        }
        lastFrame = form.state.l;
        const char16_t key = keys[random() % std::size(keys)];
        if (key != 0) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(key)));
            QApplication::sendEvent(form.picture1(), &press);
        }
        if (++checked == ticks) {
            std::printf("checked=%ld\n", checked);
            std::printf("moves=-2:%ld -1:%ld 0:%ld +1:%ld +2:%ld other:%ld\n", moves[22], moves[23],
                        moves[0], moves[1], moves[2],
                        checked - 1 - moves[22] - moves[23] - moves[0] - moves[1] - moves[2]);
            std::fflush(stdout);
            std::_Exit(0);
        }
    });
    afterTick.start(0);
    form.show();
    return application.exec();
}
