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

namespace {
QPixmap decodeFrame(int index) {
    const auto bmp = frameBmp(index);
    QImage image;
    image.loadFromData(bmp.data(), static_cast<int>(bmp.size()), "BMP");
    return QPixmap::fromImage(image);
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
    for (int index = 1; index < frameCount; ++index) {
        frames.set(index, images_[index]->pixmap());
        QCoreApplication::processEvents();
    }
}

void Form1::runTick() {
    picture1_->showFrame(frames.lookup(tick(state)));
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
