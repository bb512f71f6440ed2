#include "Form1.h"

#include "EmbeddedFrames.h"
#include "EmbeddedIcon.h"
#include "Keyboard.h"
#include "MotifHints.h"
#include "Mouse.h"
#include "Picture1.h"
#include "Tick.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QWindow>
#include <cstdlib>
#include <cstring>

namespace {
QPixmap decodeFrame(int index) {
    const auto bmp = frameBmp(index);
    QImage image;
    image.loadFromData(bmp.data(), static_cast<int>(bmp.size()), "BMP");
    return QPixmap::fromImage(image);
}

// Where two frames (one bit a pixel, the same size) differ, as bands of rows, each as wide as the
// differences in its rows. Rows a few apart share a band: a few more pixels to draw, but fewer
// pieces to draw and to send to the X server.
QRegion differences(const QImage& from, const QImage& to) {
    constexpr int mergedGap = 8;
    const int rowBytes = (from.width() + 7) / 8;
    QRegion region;
    QRect band;
    for (int y = 0; y < from.height(); ++y) {
        const uchar* a = from.constScanLine(y);
        const uchar* b = to.constScanLine(y);
        if (std::memcmp(a, b, static_cast<std::size_t>(rowBytes)) == 0) {
            continue;
        }
        int first = 0;
        while (a[first] == b[first]) {
            ++first;
        }
        int last = rowBytes - 1;
        while (a[last] == b[last]) {
            --last;
        }
        const QRect row(first * 8, y, (last - first + 1) * 8, 1);
        if (!band.isNull() && y - band.bottom() <= mergedGap) {
            band = band.united(row);
        } else {
            region += band;
            band = row;
        }
    }
    region += band;
    return region & from.rect();
}

// The icon's PNG files built into the program, one pixmap for each size.
QIcon programIcon() {
    QIcon icon;
    for (const IconPicture& picture : iconPictures()) {
        QPixmap pixmap;
        pixmap.loadFromData(picture.png.data(), static_cast<uint>(picture.png.size()), "PNG");
        icon.addPixmap(pixmap);
    }
    return icon;
}
} // namespace

Form1::Form1(std::function<void()> endProgram)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      endProgram_(std::move(endProgram)), picture1_(new Picture1(this)),
      delay_(Delay::calibrated()) {
    setObjectName("Form1");
    setWindowTitle(title);
    setWindowIcon(programIcon());
    setFixedSize(clientWidth, clientHeight);

    // Hidden, inert holders that carry the pictures; the frame table shares them.
    for (int index = 0; index < frameCount; ++index) {
        QLabel* image = new QLabel(picture1_);
        image->setObjectName(QStringLiteral("Image%1").arg(index + 1));
        image->setPixmap(decodeFrame(index));
        image->setGeometry(0, 0, image->pixmap().width(), image->pixmap().height());
        image->setAttribute(Qt::WA_TransparentForMouseEvents);
        image->hide();
        images_[index] = image;
    }

    connect(picture1_, &Picture1::characterTyped, this, &Form1::keyPressed);
    connect(picture1_, &Picture1::pointerMoved, this,
            [this](float x, float y) { pointerMoved(state, x, y); });
    connect(picture1_, &Picture1::clicked, this, [this] { clicked(state); });
    connect(picture1_, &Picture1::doubleClicked, this, &Form1::quit);
    picture1_->setFocus();

    // The native window exists from here on, so the window manager hints can be in place before
    // it is first mapped, and its exposure can be watched.
    winId();
    publishMoveOnlyHints(*windowHandle());
    windowHandle()->installEventFilter(this);
}

void Form1::defaultEnd() {
    std::_Exit(EXIT_SUCCESS);
}

void Form1::load() {
    frames.set(0, images_[0]->pixmap());
    picture1_->showFrame(frames.lookup(0));
    shown_ = 0;
    for (int index = 1; index < frameCount; ++index) {
        frames.set(index, images_[index]->pixmap());
        QCoreApplication::processEvents();
    }
    // Where each frame differs from each other one, worked out once, so that a tick repaints and
    // sends only what changes on screen.
    std::array<QImage, frameCount> bits;
    for (int index = 0; index < frameCount; ++index) {
        bits[index] = frames.lookup(index).toImage().convertToFormat(QImage::Format_Mono,
                                                                     Qt::ThresholdDither);
    }
    for (int from = 0; from < frameCount; ++from) {
        for (int to = 0; to < frameCount; ++to) {
            changes_[from * frameCount + to] = differences(bits[from], bits[to]);
        }
    }
}

void Form1::runTick() {
    const int next = tick(state);
    const QPixmap& frame = frames.lookup(next);
    if (shown_ < 0) {
        picture1_->showFrame(frame);
    } else {
        picture1_->showFrame(frame, changes_[shown_ * frameCount + next]);
    }
    shown_ = next;
    delay_(state.k);
    QCoreApplication::processEvents();
}

void Form1::animate() {
    start(state);
    for (;;) {
        runTick();
    }
}

void Form1::quit() {
    // Form1 draws nothing of its own (the picture area covers it), so there is nothing to clear.
    endProgram_();
}

void Form1::keyPressed(char16_t code) {
    if (code == 27) {
        quit();
        return;
    }
    keyTyped(state, code);
}

// The animation starts when the window is first activated. A window that is shown but never
// activated (an X server with no window manager, a kiosk session) starts on its first exposure.
// Either way the start runs from the event loop rather than nested inside the event.
void Form1::beginOnce() {
    if (begun_) {
        return;
    }
    begun_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            load();
            animate();
        },
        Qt::QueuedConnection);
}

bool Form1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        beginOnce();
    }
    return QWidget::event(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        beginOnce();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->ignore();
    quit();
}
