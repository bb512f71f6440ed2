#include "Picture1.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

Picture1::Picture1(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture1");
    setGeometry(0, 0, pixelWidth, pixelHeight);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // Every visible pixel is covered by the frame, so Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Picture1::showFrame(const QPixmap& frame) {
    picture_ = frame;
    repaint();
}

void Picture1::showFrame(const QPixmap& frame, const QRegion& changed) {
    picture_ = frame;
    if (!changed.isEmpty()) {
        repaint(changed);
    }
}

QPointF Picture1::toUserScale(QPointF pixels) {
    return {static_cast<float>(double{scaleWidth} * pixels.x() / pixelWidth),
            static_cast<float>(double{scaleHeight} * pixels.y() / pixelHeight)};
}

void Picture1::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    // One rectangle of the region at a time: clipped to a plain rectangle, Qt copies the pixels
    // straight across, where a clip of several rectangles sends them through its general blending
    // path, and hands large ones to helper threads.
    for (const QRect& part : event->region()) {
        painter.setClipRect(part);
        painter.drawPixmap(part.topLeft(), picture_, part);
    }
}

void Picture1::keyPressEvent(QKeyEvent* event) {
    // Characters, not keys: a key that types nothing sends nothing, and text that carries several
    // characters (an input method, a composed key) is handed on one character at a time.
    for (const QChar character : event->text()) {
        emit characterTyped(character.unicode());
    }
}

void Picture1::mouseMoveEvent(QMouseEvent* event) {
    const QPointF position = toUserScale(event->position());
    emit pointerMoved(static_cast<float>(position.x()), static_cast<float>(position.y()));
}

void Picture1::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        leftPressed_ = true;
    }
}

void Picture1::mouseReleaseEvent(QMouseEvent* event) {
    // A click is the left button pressed and released over the area, as with any button; the
    // part of the area below the window's edge cannot be seen, so a release there is outside.
    if (event->button() == Qt::LeftButton && leftPressed_) {
        leftPressed_ = false;
        const QRect visible = rect() & parentWidget()->rect();
        if (visible.contains(event->position().toPoint())) {
            emit clicked();
        }
    }
}

void Picture1::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        leftPressed_ = false;
        emit doubleClicked();
    }
}
